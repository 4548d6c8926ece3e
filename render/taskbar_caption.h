#pragma once
#include <string>

namespace render {

struct TaskbarChoices {
    bool cpu = false;  // processor load
    bool mem = false;  // memory use
    bool in = false;   // receive rate
    bool out = false;  // send rate
};

// The taskbar button's caption from the chosen readings, "KorvaNT" when none is chosen.
std::wstring updateTaskbarCaption(const TaskbarChoices& choices, const std::wstring& cpuText,
                                  const std::wstring& memoryText, const std::wstring& inText,
                                  const std::wstring& outText);

}  // namespace render
