#include "render/value_row.h"

#include "render/draw.h"
#include "render/rounding.h"

namespace render {

int valueTextX(int rightEdge, const std::wstring& value) {
    // Characters are counted, not display widths: every character is taken as 6 px.
    return rightEdge - 6 * static_cast<int>(value.size());
}

void drawValueRow(Image& row, const ValueRow& content, const Image* strip,
                  platform::TextPainter& painter) {
    row.clear();
    if (content.barWidth && strip)
        copyBlock(row, 0, 0, *content.barWidth, kRowHeight, *strip, 0, 0);
    if (!content.name.empty())
        painter.drawText(row, 5, content.nameY, content.name, row.foreground());
    if (!content.value.empty())
        painter.drawText(row, valueTextX(content.rightEdge, content.value), 1, content.value,
                         row.foreground());
}

}  // namespace render
