#pragma once
#include <string>
#include <vector>

#include "platform/text_painter.h"
#include "render/list_metrics.h"
#include "render/value_row.h"

namespace render {

// A row's text where it is drawn, in pixels of the row image.
struct PlacedText {
    int x = 0, y = 0;
    std::wstring text;
    bool operator==(const PlacedText&) const = default;
};

// Each text where it is designed to go, as long as it fits there. Where it does not, the row
// yields room rather than drawing one text over another or off the row: a value that runs off
// the right moves left up to its label, one over its label moves right while the row has room,
// and a label still in the way is cut with "…". Widths are measured in the painter's font.
std::vector<PlacedText> fitRowTexts(const std::vector<RowText>& texts,
                                    platform::TextPainter& painter, const ListMetrics& metrics);

// Texts that stand in one line in this order (a drive's figures), each at its designed x where
// it can: none starts before `left` (pixels), none overlaps the one before, the last ends
// within the row. Returns false when they cannot all fit; the positions are then still in order
// from `left`, the last ones running off the row.
struct InOrder {
    int x = 0;      // designed start, then the fitted one
    int width = 0;  // measured
    int ink = 0;    // measured to the last inked column: what must stay on the row
};
bool fitInOrder(std::vector<InOrder>& texts, int left, int rowWidth);

}  // namespace render
