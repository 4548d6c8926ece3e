#include "render/list_composer.h"

#include <algorithm>

#include "render/draw.h"
#include "render/rounding.h"
#include "settings/settings.h"

namespace render {

namespace {

constexpr Colour kSeparator = 0;

// Places `height` rows of `image` at y, draws the separator below and returns the next y.
int place(Image& list, int y, const Image& image, int height) {
    // What a smaller image does not cover must not show an older list.
    if (image.width() < kRowWidth || image.height() < height)
        fillBox(list, 0, y, kRowWidth - 1, y + height - 1, list.background());
    copyBlock(list, 0, y, kRowWidth, height, image, 0, 0);
    drawLine(list, 0, y + height, kRowWidth, y + height, kSeparator);
    return y + height + 1;
}

}  // namespace

int composeList(RenderState& state, std::span<const settings::DisplayRow> rows,
                std::span<const settings::DriveRow> drives, int memoLines, bool showNewVersion) {
    Image& list = state.list;
    int y = 0;
    for (const settings::DisplayRow& row : rows) {
        if (!row.shown) continue;
        using settings::Item;
        if (row.id == Item::Graph) {
            y = place(list, y, state.graph, kGraphHeight);
        } else if (row.id == Item::Memo) {
            y = place(list, y, state.rows[settings::slotOf(Item::Memo)],
                      kRowHeight * std::max(1, memoLines));
        } else if (row.id == Item::Drives) {
            size_t count = std::min(drives.size(), state.driveRows.size());
            for (size_t i = 0; i < count; ++i)
                if (drives[i].checked) y = place(list, y, state.driveRows[i], kRowHeight);
        } else {
            y = place(list, y, state.rows[settings::slotOf(row.id)], kRowHeight);
        }
    }
    if (showNewVersion) {
        y = place(list, y, state.newVersionRow, kRowHeight);
        state.resizePending = true;
    }
    // Rows and separators cover every pixel above y, so only what the previous, longer list
    // left below y needs clearing: the same picture as clearing first, at a fraction of the cost.
    if (state.listHeight > y)
        fillBox(list, 0, y, list.width() - 1, state.listHeight - 1, list.background());
    return y;
}

int listHeightFor(std::span<const settings::DisplayRow> rows,
                  std::span<const settings::DriveRow> drives, int memoLines, bool showNewVersion) {
    using settings::Item;
    int y = 0;
    for (const settings::DisplayRow& row : rows) {
        if (!row.shown) continue;
        if (row.id == Item::Graph) {
            y += kGraphHeight + 1;
        } else if (row.id == Item::Memo) {
            y += kRowHeight * std::max(1, memoLines) + 1;
        } else if (row.id == Item::Drives) {
            size_t count = std::min(drives.size(), settings::kDriveSlots);
            for (size_t i = 0; i < count; ++i)
                if (drives[i].checked) y += kRowHeight + 1;
        } else {
            y += kRowHeight + 1;
        }
    }
    return showNewVersion ? y + kRowHeight + 1 : y;
}

std::optional<MainWindowSize> presentListSizing(int y, int drawType, bool& resizePending) {
    if (drawType != settings::kFixedSize && !resizePending) return std::nullopt;
    resizePending = false;
    return MainWindowSize{y};
}

void finishPresentation(RenderState& state, int y) {
    state.graphPrevious = state.graphCurrent;
    state.listHeight = y;
}

}  // namespace render
