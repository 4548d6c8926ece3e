#include "render/taskbar_caption.h"

namespace render {

std::wstring updateTaskbarCaption(const TaskbarChoices& choices, const std::wstring& cpuText,
                                  const std::wstring& memoryText, const std::wstring& inText,
                                  const std::wstring& outText) {
    std::wstring text;
    if (choices.cpu) text = cpuText + L" ";
    if (choices.mem) text += memoryText + L" ";
    if (choices.in) text += inText + L"受 ";
    if (choices.out) text += outText + L"送 ";
    if (text.empty()) text = L"KorvaNT";
    return text;
}

}  // namespace render
