#include "render/render_state.h"

namespace render {

RenderState::RenderState(ListMetrics m) {
    rescale(m);
    resizePending = false;  // nothing has been shown yet
}

void RenderState::rescale(ListMetrics m) {
    metrics = m;
    // A row's image is made when the row is first painted: a hidden item or an empty drive slot
    // holds none.
    for (Image& row : rows) row.resize(0, 0);
    for (Image& row : driveRows) row.resize(0, 0);
    newVersionRow.resize(0, 0);
    graph.resize(m.graphWidth, m.graphHeight);
    graphScroll.resize(m.graphWidth, m.graphHeight);
    list.resize(m.listWidth, 0);  // composing the list sizes it
    graphPrevious = graphCurrent = 0;
    listHeight = 0;
    resizePending = true;
}

}  // namespace render
