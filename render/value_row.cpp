#include "render/value_row.h"

#include "render/draw.h"
#include "render/rounding.h"

namespace render {

int valueTextX(int rightEdge, const std::wstring& value) {
    // Characters are counted, not display widths: every character is taken as 6 px.
    return rightEdge - 6 * static_cast<int>(value.size());
}

RowPicture pictureOf(const ValueRow& content) {
    RowPicture picture{content.barWidth, {}};
    if (!content.name.empty()) picture.texts.push_back({5, content.nameY, content.name});
    if (!content.value.empty())
        picture.texts.push_back({valueTextX(content.rightEdge, content.value), 1, content.value});
    return picture;
}

void drawRowPicture(Image& row, const RowPicture& picture, const Image* strip,
                    platform::TextPainter& painter, const ListMetrics& m) {
    row.clear();
    if (picture.barWidth && strip)
        copyBlock(row, 0, 0, m.x(*picture.barWidth), m.rowHeight, *strip, 0, 0);
    for (const RowText& text : picture.texts)
        if (!text.text.empty())
            painter.drawText(row, m.x(text.x), m.y(text.y), text.text, row.foreground());
}

}  // namespace render
