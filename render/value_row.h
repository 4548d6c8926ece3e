#pragma once
#include <optional>
#include <string>

#include "platform/text_painter.h"
#include "render/image.h"

namespace render {

// What one value row shows.
struct ValueRow {
    std::wstring name;   // printed at (5, nameY); empty for none
    std::wstring value;  // ends near rightEdge: 6 px per character, characters counted
    int rightEdge = 148;
    std::optional<int> barWidth;  // columns of the bar strip; none for items without a bar
    int nameY = 1;
};

// Clears the row to its background, copies the bar from `strip` (clipped, never clamped),
// prints the name and the value text in the row's foreground colour.
void drawValueRow(Image& row, const ValueRow& content, const Image* strip,
                  platform::TextPainter& painter);

// x at which a value text starts so that it ends at rightEdge.
int valueTextX(int rightEdge, const std::wstring& value);

}  // namespace render
