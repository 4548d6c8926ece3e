#pragma once
#include <optional>
#include <span>

#include "render/render_state.h"
#include "settings/display_catalogue.h"
#include "settings/live_settings.h"

namespace render {

// Composes the shown rows into state.list in list order, each followed by a black separator, at
// the geometry of state.metrics;
// the drives' rows stand at item 112's place and the new-version row comes last (it also sets
// resizePending). memoLines is the memo's line count (at least 1 is used). Returns y, the height
// of the composed list.
// The rows of the shown sources (state.sourceRows) follow the items, before the new-version row.
int composeList(RenderState& state, std::span<const settings::DisplayRow> rows,
                std::span<const settings::DriveRow> drives, int memoLines, bool showNewVersion,
                int sourceRows = 0);

// The height composeList gives these rows at the metrics' DPI, without composing them: what the
// window is sized to before the first tick.
int listHeightFor(std::span<const settings::DisplayRow> rows,
                  std::span<const settings::DriveRow> drives, int memoLines, bool showNewVersion,
                  const ListMetrics& metrics = ListMetrics{}, int sourceRows = 0);

// The main window's size for a list of y pixels.
struct MainWindowSize {
    int scaleHeight;  // client height in list pixels
};

// In fixed-size mode (drawMode 1) or when a resize is pending, the window is sized to the list
// and the pending flag is cleared; otherwise the window keeps its size.
std::optional<MainWindowSize> presentListSizing(int y, int drawType, bool& resizePending);

// What the tick keeps after presenting: the sample becomes the previous one, y the list height.
void finishPresentation(RenderState& state, int y);

}  // namespace render
