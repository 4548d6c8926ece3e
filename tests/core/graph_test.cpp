#include "render/graph.h"

#include <gtest/gtest.h>

using namespace render;

namespace {

constexpr Colour kBack = rgb(192, 128, 255);
constexpr Colour kLine = rgb(0, 0, 255);
constexpr Colour kWhite = rgb(255, 255, 255);

RenderState freshState() {
    RenderState state;
    state.graph.setBackground(kBack);
    return state;
}

GraphInputs cpu(int percent) {
    GraphInputs in;
    in.source = 1;
    in.cpuTotalPercent = percent;
    in.lineColour = kLine;
    return in;
}

// One tick: sample, then carry the sample over as the refresh cycle does after presenting.
void tick(RenderState& state, const GraphInputs& in) {
    updateGraph(state, in);
    state.graphPrevious = state.graphCurrent;
}

std::vector<int> linePixelsInColumn(const Image& graph, int x) {
    std::vector<int> ys;
    for (int y = 0; y < graph.height(); ++y)
        if (graph.pixel(x, y) == kLine) ys.push_back(y);
    return ys;
}

}  // namespace

TEST(GraphSample, HeightsBySource) {
    GraphInputs in = cpu(0);
    EXPECT_EQ(graphSampleHeight(in, 7), 1);  // idle still shows on the bottom row
    in.cpuTotalPercent = 100;
    EXPECT_EQ(graphSampleHeight(in, 7), 29);
    in.cpuTotalPercent = 50;
    EXPECT_EQ(graphSampleHeight(in, 7), 14);  // 14.5 to even
    in.cpuTotalPercent = 150;
    EXPECT_EQ(graphSampleHeight(in, 7), 44);  // not clamped (43.5 to even)

    in.source = 2;
    in.memoryPercent = 67;
    EXPECT_EQ(graphSampleHeight(in, 7), 19);  // 19.43

    in.source = 3;
    in.rateIn = 40;
    in.receiveFullScale = 5;  // full scale 40 Kbyte/s
    EXPECT_EQ(graphSampleHeight(in, 7), 29);
    in.bitMode = true;                        // full scale 320 Kbit/s
    EXPECT_EQ(graphSampleHeight(in, 7), 4);   // 3.625
    in.receiveFullScale = 0;                  // no full scale: taken as one step
    EXPECT_EQ(graphSampleHeight(in, 7), 18);  // 40 * 29 / 64

    in.source = 4;
    in.bitMode = false;
    in.rateOut = -100;  // a counter that went back
    in.sendFullScale = 1;
    EXPECT_EQ(graphSampleHeight(in, 7), 1);

    in.source = 0;
    EXPECT_EQ(graphSampleHeight(in, 7), 7);  // none keeps the last sample
}

TEST(Graph, IdleLoadRunsAlongRow28WithAWhiteMiddleLine) {
    RenderState state = freshState();
    for (int i = 0; i < 200; ++i) tick(state, cpu(0));
    // The first tick steps up from the previous sample of 0 (off the bottom edge).
    for (int x = 0; x < 153; ++x) {
        EXPECT_EQ(linePixelsInColumn(state.graph, x), std::vector<int>{28}) << x;
        EXPECT_EQ(state.graph.pixel(x, 15), kWhite) << x;
        EXPECT_EQ(state.graph.pixel(x, 27), kBack);
    }
    EXPECT_EQ(state.graph.pixel(156, 28), kBack);  // the newest column is never drawn
}

TEST(Graph, ScrollsOneColumnPerTick) {
    RenderState state = freshState();
    for (int i = 0; i < 5; ++i) tick(state, cpu(0));
    tick(state, cpu(100));  // a spike: up from row 28 to row 0 ...
    tick(state, cpu(0));    // ... and down again
    const Image snapshot = state.graph;
    EXPECT_EQ(linePixelsInColumn(snapshot, 153).front(), 0);  // the peak
    EXPECT_EQ(linePixelsInColumn(snapshot, 151), std::vector<int>{28});
    for (int k = 1; k <= 10; ++k) {
        tick(state, cpu(0));
        // Everything drawn before has moved k columns to the left, the newest sample is idle.
        for (int x = 0; x + k <= 154; ++x)
            for (int y = 0; y < 29; ++y)
                ASSERT_EQ(state.graph.pixel(x, y), snapshot.pixel(x + k, y))
                    << k << " " << x << "," << y;
        EXPECT_EQ(linePixelsInColumn(state.graph, 154), std::vector<int>{28});
    }
}

TEST(Graph, NoSourceLeavesThePictureAlone) {
    RenderState state = freshState();
    for (int i = 0; i < 3; ++i) tick(state, cpu(40));
    Image before = state.graph;
    GraphInputs none = cpu(90);
    none.source = 0;
    tick(state, none);
    EXPECT_EQ(state.graphCurrent, 12);
    for (int y = 0; y < 29; ++y)
        for (int x = 0; x < 157; ++x) ASSERT_EQ(state.graph.pixel(x, y), before.pixel(x, y));
}

// A new source starts from the bottom line on a clean picture and sizes the window once.
TEST(Graph, RestartClearsThePictureAndStartsFromTheBottom) {
    RenderState state = freshState();
    for (int i = 0; i < 5; ++i) tick(state, cpu(90));
    restartGraph(state);
    EXPECT_TRUE(state.resizePending);
    EXPECT_TRUE(linePixelsInColumn(state.graph, 154).empty());
    EXPECT_EQ(state.graph.pixel(155, 15), kBack);

    GraphInputs memory = cpu(0);
    memory.source = 2;
    memory.memoryPercent = 0;
    tick(state, memory);
    // The first sample joins the bottom line, not the old 90 %.
    for (int y : linePixelsInColumn(state.graph, 153)) EXPECT_GE(y, 27);
}
