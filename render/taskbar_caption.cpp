#include "render/taskbar_caption.h"

#include "base/texts.h"

namespace render {

std::wstring updateTaskbarCaption(const TaskbarChoices& choices, const std::wstring& cpuText,
                                  const std::wstring& memoryText, const std::wstring& inText,
                                  const std::wstring& outText) {
    std::wstring text;
    if (choices.cpu) text = cpuText + L" ";
    if (choices.mem) text += memoryText + L" ";
    if (choices.in) text += base::format(base::Text::CaptionReceive, {inText});
    if (choices.out) text += base::format(base::Text::CaptionSend, {outText});
    if (text.empty()) text = base::text(base::Text::CaptionEmpty);
    return text;
}

}  // namespace render
