#pragma once
#include <string>
#include <string_view>

namespace render {

struct TaskbarChoices {
    bool cpu = false;  // processor load
    bool mem = false;  // memory use
    bool in = false;   // receive rate
    bool out = false;  // send rate
};

// The taskbar button's caption from the chosen readings, "KorvaNT" when none is chosen.
std::wstring updateTaskbarCaption(const TaskbarChoices& choices, std::wstring_view cpuText,
                                  std::wstring_view memoryText, std::wstring_view inText,
                                  std::wstring_view outText);

}  // namespace render
