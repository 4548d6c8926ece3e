#pragma once
#include "platform/clipboard_writer.h"

namespace win32 {

class ClipboardWriterWin32 : public platform::ClipboardWriter {
public:
    bool writeText(const std::wstring& text) override;
};

}  // namespace win32
