#pragma once
#include <cstdint>

#include "platform/clipboard_writer.h"

namespace win32 {

// Every write of the program's own, counted: the readers' caches are told by the system's change
// notices only once the message queue has been handled.
std::uint32_t clipboardWritesSoFar();

class ClipboardWriterWin32 : public platform::ClipboardWriter {
public:
    bool writeText(const std::wstring& text) override;
};

}  // namespace win32
