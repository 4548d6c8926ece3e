#include "render/list_composer.h"

#include <algorithm>

#include "render/draw.h"
#include "render/rounding.h"
#include "settings/settings.h"

namespace render {

namespace {

constexpr Colour kSeparator = 0;

// Places the image as the rows from designed y to y + height, draws the separator below and
// returns the next designed y. Each edge is scaled from its designed place, so the picture's
// rows and separators keep the scaled pitch of the whole list.
int place(Image& list, const ListMetrics& m, int y, const Image& image, int height) {
    const base::DpiScale& s = m.scale;
    const int width = m.rowWidth;
    const int top = s.px(y), bottom = s.px(y + height), next = s.px(y + height + 1);
    // What a smaller image does not cover must not show an older list.
    if (image.width() < width || image.height() < bottom - top)
        fillBox(list, 0, top, width - 1, bottom - 1, list.background());
    copyBlock(list, 0, top, width, bottom - top, image, 0, 0);
    if (next - bottom == 1)
        drawLine(list, 0, bottom, width, bottom, kSeparator);
    else
        fillBox(list, 0, bottom, width - 1, next - 1, kSeparator);
    return y + height + 1;
}

}  // namespace

int composeList(RenderState& state, std::span<const settings::DisplayRow> rows,
                std::span<const settings::DriveRow> drives, int memoLines, bool showNewVersion,
                int sourceRows) {
    Image& list = state.list;
    const ListMetrics& m = state.metrics;
    // The image holds what is shown, up to the tallest list a window can take: a short list
    // keeps no memory for rows it does not have.
    const int needed = std::min(
        listHeightFor(rows, drives, memoLines, showNewVersion, m, sourceRows), m.listHeight);
    if (list.height() != needed || list.width() != m.listWidth) {
        list.resize(m.listWidth, needed);
        state.listHeight = 0;  // a new image: nothing of the last list is left to clear
    }
    int y = 0;
    for (const settings::DisplayRow& row : rows) {
        if (!row.shown) continue;
        using settings::Item;
        if (row.id == Item::Graph) {
            y = place(list, m, y, state.graph, kGraphHeight);
        } else if (row.id == Item::Memo) {
            y = place(list, m, y, state.rows[settings::slotOf(Item::Memo)],
                      kRowHeight * std::max(1, memoLines));
        } else if (row.id == Item::Drives) {
            size_t count = std::min(drives.size(), state.driveRows.size());
            for (size_t i = 0; i < count; ++i)
                if (drives[i].checked) y = place(list, m, y, state.driveRows[i], kRowHeight);
        } else {
            y = place(list, m, y, state.rows[settings::slotOf(row.id)], kRowHeight);
        }
    }
    const int sources = std::min(sourceRows, static_cast<int>(state.sourceRows.size()));
    for (int i = 0; i < sources; ++i) y = place(list, m, y, state.sourceRows[i], kRowHeight);
    if (showNewVersion) {
        y = place(list, m, y, state.newVersionRow, kRowHeight);
        state.resizePending = true;
    }
    y = m.scale.px(y);
    // Rows and separators cover every pixel above y, so only what the previous, longer list
    // left below y needs clearing: the same picture as clearing first, at a fraction of the cost.
    if (state.listHeight > y)
        fillBox(list, 0, y, list.width() - 1, state.listHeight - 1, list.background());
    return y;
}

int listHeightFor(std::span<const settings::DisplayRow> rows,
                  std::span<const settings::DriveRow> drives, int memoLines, bool showNewVersion,
                  const ListMetrics& m, int sourceRows) {
    using settings::Item;
    constexpr int kPitch = kRowHeight + 1;
    int y = 0;  // designed
    for (const settings::DisplayRow& row : rows) {
        if (!row.shown) continue;
        if (row.id == Item::Graph) {
            y += kGraphHeight + 1;
        } else if (row.id == Item::Memo) {
            y += kRowHeight * std::max(1, memoLines) + 1;
        } else if (row.id == Item::Drives) {
            size_t count = std::min(drives.size(), settings::kDriveSlots);
            for (size_t i = 0; i < count; ++i)
                if (drives[i].checked) y += kPitch;
        } else {
            y += kPitch;
        }
    }
    y += kPitch * std::max(sourceRows, 0);
    return m.scale.px(showNewVersion ? y + kPitch : y);
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
