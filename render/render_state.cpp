#include "render/render_state.h"

namespace render {

RenderState::RenderState(ListMetrics m) {
    rescale(m);
    resizePending = false;  // nothing has been shown yet
}

void RenderState::rescale(ListMetrics m) {
    metrics = m;
    for (Image& row : rows) row.resize(m.rowWidth, m.rowHeight);
    for (Image& row : driveRows) row.resize(m.rowWidth, m.rowHeight);
    newVersionRow.resize(m.rowWidth, m.rowHeight);
    graph.resize(m.graphWidth, m.graphHeight);
    graphScroll.resize(m.graphWidth, m.graphHeight);
    list.resize(m.listWidth, 0);  // composing the list sizes it
    graphPrevious = graphCurrent = 0;
    listHeight = 0;
    resizePending = true;
}

}  // namespace render
