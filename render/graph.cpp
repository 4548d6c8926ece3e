#include "render/graph.h"

#include <algorithm>

#include "render/draw.h"
#include "render/rate_scale.h"
#include "render/rounding.h"

namespace render {

namespace {

double fullScale(int slider, bool bitMode) {
    return static_cast<double>(rateFullScale(slider, bitMode ? 1 : 0));
}

}  // namespace

int graphSampleHeight(const GraphInputs& in, int previous, int graphHeight) {
    double height;
    switch (in.source) {
        case settings::kGraphProcessor:
            height = graphHeight * in.cpuTotalPercent / 100.0;
            break;
        case settings::kGraphMemory:
            height = graphHeight * in.memoryPercent / 100.0;
            break;
        case settings::kGraphReceive:
            height = in.rateIn * double(graphHeight) / fullScale(in.receiveFullScale, in.bitMode);
            break;
        case settings::kGraphSend:
            height = in.rateOut * double(graphHeight) / fullScale(in.sendFullScale, in.bitMode);
            break;
        default:
            return previous;
    }
    // An idle line still shows on the bottom row. Taller samples are not clamped: the picture
    // clips them; the bound only keeps the number small.
    return static_cast<int>(std::clamp<std::int64_t>(roundHalfEven(height), 1, 32767));
}

void updateGraph(RenderState& state, const GraphInputs& in) {
    const ListMetrics& m = state.metrics;
    const int width = m.graphWidth, height = m.graphHeight;
    state.graphCurrent = graphSampleHeight(in, state.graphCurrent, height);
    if (in.source < settings::kGraphProcessor || in.source > settings::kGraphSend) return;
    Image& graph = state.graph;
    // A tick is one designed column wide: the newest column, and a step of that many pixels.
    const int newest = m.x(155), step = m.x(1);
    // One white point per tick becomes a white middle line as the picture scrolls. Both lines
    // are a designed pixel thick, so they keep their weight at every scale.
    fillBox(graph, newest - step + 1, m.y(15), newest, m.y(16) - 1, rgb(255, 255, 255));
    for (int t = 0; t < m.y(1); ++t)
        drawLine(graph, newest, height - state.graphCurrent - t, newest - step,
                 height - state.graphPrevious - t, in.lineColour);
    copyBlock(state.graphScroll, 0, 0, width, height, graph, 0, 0);
    copyBlock(graph, 0, 0, width, height, state.graphScroll, step, 0);
}

void restartGraph(RenderState& state) {
    state.resizePending = true;
    state.graphPrevious = 0;
    state.graphCurrent = 0;
    state.graph.clear();
    state.graphScroll.clear();
}

void setGraphBackground(RenderState& state, Colour colour) {
    state.graph.setBackground(colour);
    state.graphScroll.setBackground(colour);
}

}  // namespace render
