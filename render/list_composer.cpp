#include "render/list_composer.h"

#include <algorithm>

#include "render/draw.h"
#include "render/rounding.h"

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

int idOf(const std::wstring& text) {
    int id = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return 0;
        id = id * 10 + (c - L'0');
        if (id > 1000) return 0;
    }
    return id;
}

}  // namespace

int composeList(RenderState& state, std::span<const settings::DisplayRow> rows,
                std::span<const settings::DriveRow> drives, int memoLines, bool showNewVersion) {
    Image& list = state.list;
    int y = 0;
    for (const settings::DisplayRow& row : rows) {
        if (!row.shown) continue;
        int id = idOf(row.id);
        if (id == 113) {
            y = place(list, y, state.graph, kGraphHeight);
        } else if (id == 122) {
            y = place(list, y, state.rows[22], kRowHeight * std::max(1, memoLines));
        } else if (id == 112) {
            size_t count = std::min(drives.size(), state.driveRows.size());
            for (size_t i = 0; i < count; ++i)
                if (drives[i].checked) y = place(list, y, state.driveRows[i], kRowHeight);
        } else if (id >= 100 && id < 100 + static_cast<int>(state.rows.size())) {
            y = place(list, y, state.rows[id - 100], kRowHeight);
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

std::optional<MainWindowSize> presentListSizing(int y, int drawType, bool& resizePending) {
    if (drawType != 1 && !resizePending) return std::nullopt;
    resizePending = false;
    return MainWindowSize{y * 15 + 128, y, 2496};
}

void finishPresentation(RenderState& state, int y) {
    state.graphPrevious = state.graphCurrent;
    state.listHeight = y;
}

}  // namespace render
