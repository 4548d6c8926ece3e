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

int graphSampleHeight(const GraphInputs& in, int previous) {
    double height;
    switch (in.source) {
        case settings::kGraphProcessor:
            height = kGraphHeight * in.cpuTotalPercent / 100.0;
            break;
        case settings::kGraphMemory:
            height = kGraphHeight * in.memoryPercent / 100.0;
            break;
        case settings::kGraphReceive:
            height = in.rateIn * double(kGraphHeight) / fullScale(in.receiveFullScale, in.bitMode);
            break;
        case settings::kGraphSend:
            height = in.rateOut * double(kGraphHeight) / fullScale(in.sendFullScale, in.bitMode);
            break;
        default:
            return previous;
    }
    // An idle line still shows on the bottom row. Taller samples are not clamped: the picture
    // clips them; the bound only keeps the number small.
    return static_cast<int>(std::clamp<std::int64_t>(roundHalfEven(height), 1, 32767));
}

void updateGraph(RenderState& state, const GraphInputs& in) {
    state.graphCurrent = graphSampleHeight(in, state.graphCurrent);
    if (in.source < settings::kGraphProcessor || in.source > settings::kGraphSend) return;
    Image& graph = state.graph;
    // One white point per tick becomes a white middle line as the picture scrolls.
    graph.setPixel(155, 15, rgb(255, 255, 255));
    drawLine(graph, 155, kGraphHeight - state.graphCurrent, 154, kGraphHeight - state.graphPrevious,
             in.lineColour);
    copyBlock(state.graphScroll, 0, 0, kGraphWidth, kGraphHeight, graph, 0, 0);
    copyBlock(graph, 0, 0, kGraphWidth, kGraphHeight, state.graphScroll, 1, 0);
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
