#include "render/taskbar_caption.h"

#include "base/texts.h"

namespace render {

std::wstring updateTaskbarCaption(const TaskbarChoices& choices, std::wstring_view cpuText,
                                  std::wstring_view memoryText, std::wstring_view inText,
                                  std::wstring_view outText) {
    std::wstring text;
    if (choices.cpu) (text += cpuText) += L" ";
    if (choices.mem) (text += memoryText) += L" ";
    if (choices.in) text += base::format(base::Text::CaptionReceive, {inText});
    if (choices.out) text += base::format(base::Text::CaptionSend, {outText});
    if (text.empty()) text = base::text(base::Text::CaptionEmpty);
    return text;
}

}  // namespace render
