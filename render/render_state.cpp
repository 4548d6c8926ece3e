#include "render/render_state.h"

#include "render/rounding.h"

namespace render {

RenderState::RenderState() {
    for (Image& row : rows) row.resize(kRowWidth, kRowHeight);
    for (Image& row : driveRows) row.resize(kRowWidth, kRowHeight);
    newVersionRow.resize(kRowWidth, kRowHeight);
    graph.resize(kGraphWidth, kGraphHeight);
    graphScroll.resize(kGraphWidth, kGraphHeight);
    list.resize(kListWidth, kListHeight);
}

}  // namespace render
