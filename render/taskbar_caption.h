#pragma once
#include <string>

namespace render {

struct TaskbarChoices {
    bool cpu = false;  // TaskCPU
    bool mem = false;  // TaskMEM
    bool in = false;   // TaskIn
    bool out = false;  // TaskOut
};

// The taskbar button's caption from the chosen readings, "KorvaNT" when none is chosen.
std::wstring updateTaskbarCaption(const TaskbarChoices& choices, const std::wstring& cpuText,
                                  const std::wstring& memoryText, const std::wstring& inText,
                                  const std::wstring& outText);

}  // namespace render
