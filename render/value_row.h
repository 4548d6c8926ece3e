#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/text_painter.h"
#include "render/list_metrics.h"
#include "render/render_types.h"

namespace render {

// What a text is to its row when the texts do not fit where they are designed to go.
enum class TextRole {
    Fixed,  // stays where it is put, cut by the row's edges (the clipboard's text, the memo)
    Label,  // a row's name: cut with "…" when its value needs the room
    Value,  // moves to stay on the row and clear of its label
};

// One text of a row, at its top-left corner.
struct RowText {
    int x = 0;
    int y = 1;
    std::wstring text;
    TextRole role = TextRole::Fixed;
    // Placed by its measured width to end here, instead of starting at x.
    std::optional<int> endsAt{};
    // Starts where the text before it ends, measured (one line drawn in two parts).
    bool followsPrevious = false;
    bool operator==(const RowText&) const = default;
};
inline RowText textAt(int x, int y, std::wstring text, TextRole role = TextRole::Fixed) {
    RowText t;
    t.x = x;
    t.y = y;
    t.text = std::move(text);
    t.role = role;
    return t;
}

// Everything a row image shows: the filled part of its bar and its texts. Two equal pictures
// on the same image, colours and strip give the same pixels.
struct RowPicture {
    std::optional<int> barWidth;  // columns of the bar strip; none for items without a bar
    std::vector<RowText> texts;
    bool operator==(const RowPicture&) const = default;
};

// What one value row shows: a name and a value text ending near its right edge.
struct ValueRow {
    std::wstring name;   // printed at (5, nameY); empty for none
    std::wstring value;  // ends near rightEdge: 6 px per character, characters counted
    int rightEdge = 148;
    std::optional<int> barWidth{};
    int nameY = 1;
    // When set, the value is measured and ends here instead: for texts whose width counting
    // characters does not tell (full-width characters, another language).
    std::optional<int> valueEndsAt{};
};
RowPicture pictureOf(const ValueRow& content);

// Clears the row to its background, copies the bar from `strip` (clipped, never clamped),
// prints the texts in the row's foreground colour. The picture is in designed (96-DPI) pixels;
// it is drawn at the metrics' scale, the text by a painter whose font has that scale's size.
void drawRowPicture(Image& row, const RowPicture& picture, const Image* strip,
                    platform::TextPainter& painter, const ListMetrics& metrics = ListMetrics{});
inline void drawValueRow(Image& row, const ValueRow& content, const Image* strip,
                         platform::TextPainter& painter,
                         const ListMetrics& metrics = ListMetrics{}) {
    drawRowPicture(row, pictureOf(content), strip, painter, metrics);
}

// x at which a value text starts so that it ends at rightEdge.
int valueTextX(int rightEdge, const std::wstring& value);

}  // namespace render
