#include "render/value_row.h"

#include "render/draw.h"
#include "render/rounding.h"
#include "render/row_fit.h"

namespace render {

int valueTextX(int rightEdge, const std::wstring& value) {
    // Characters are counted, not display widths: every character is taken as 6 px.
    return rightEdge - 6 * static_cast<int>(value.size());
}

RowPicture pictureOf(const ValueRow& content) {
    RowPicture picture{content.barWidth, {}};
    if (!content.name.empty())
        picture.texts.push_back(textAt(5, content.nameY, content.name, TextRole::Label));
    if (!content.value.empty()) {
        RowText value =
            textAt(valueTextX(content.rightEdge, content.value), 1, content.value, TextRole::Value);
        value.endsAt = content.valueEndsAt;
        picture.texts.push_back(std::move(value));
    }
    return picture;
}

void drawRowPicture(Image& row, const RowPicture& picture, const Image* strip,
                    platform::TextPainter& painter, const ListMetrics& m) {
    row.clear();
    if (picture.barWidth && strip)
        copyBlock(row, 0, 0, m.x(*picture.barWidth), m.rowHeight, *strip, 0, 0);
    for (const PlacedText& text : fitRowTexts(picture.texts, painter, m))
        if (!text.text.empty()) painter.drawText(row, text.x, text.y, text.text, row.foreground());
}

}  // namespace render
