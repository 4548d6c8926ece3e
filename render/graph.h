#pragma once
#include <cstdint>

#include "render/render_state.h"
#include "render/render_types.h"

namespace render {

// What the graph reads on a tick.
struct GraphInputs {
    int source = 0;  // 0 none, 1 processor, 2 memory, 3 received, 4 sent
    int cpuTotalPercent = 0;
    int memoryPercent = 0;
    std::int64_t rateIn = 0;  // whole Kbyte/s or Kbit/s
    std::int64_t rateOut = 0;
    int receiveFullScale = 1;  // the speed sliders
    int sendFullScale = 1;
    bool bitMode = false;  // rates in Kbit/s
    Colour lineColour = 0;
};

// The new sample height for a source in a graph `graphHeight` pixels high, at least 1;
// `previous` for source 0.
int graphSampleHeight(const GraphInputs& in, int previous, int graphHeight = kGraphHeight);

// Sets graphCurrent, draws the new sample at the right edge and scrolls the graph one column (at
// the state's DPI, the scaled column).
void updateGraph(RenderState& state, const GraphInputs& in);

// A new graph source: both samples back to 0, the picture cleared, and the window sized to the
// list at the next tick.
void restartGraph(RenderState& state);

// The graph's background colour, taking effect at once (the picture starts afresh).
void setGraphBackground(RenderState& state, Colour colour);

}  // namespace render
