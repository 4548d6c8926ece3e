#include <gtest/gtest.h>

#include "base/twips.h"
#include "fakes/monitor_rig.h"
#include "render/graph.h"
#include "render/value_row.h"
#include "ui/main_window_size.h"

using fakes::MonitorRig;
using render::ListMetrics;

namespace {

constexpr base::DpiScale k120{120}, k144{144}, k192{192};

// A list of every kind of row: the graph, single rows, the memo of three lines, four drives.
void showEveryKind(MonitorRig& rig) {
    rig.showAll();
    rig.live.memoText = L"a\r\nb\r\nc";
    rig.live.settings.graphSource = 1;
}

bool blackRow(const render::Image& image, int y, int width) {
    for (int x = 0; x < width; ++x)
        if (image.pixel(x, y) != render::rgb(0, 0, 0)) return false;
    return true;
}

}  // namespace

// Every designed length scales by DPI/96; the list's edges are scaled from their designed places,
// so a list stays the scaled size of its 96-DPI self however many rows it has.
TEST(DisplayScale, ListGeometryScalesByDpiOver96) {
    for (base::DpiScale scale : {k120, k144, k192}) {
        const ListMetrics m(scale);
        const double factor = scale.dpi / 96.0;
        EXPECT_NEAR(m.rowHeight, 13 * factor, 1.0) << scale.dpi;
        EXPECT_NEAR(m.graphHeight, 29 * factor, 1.0) << scale.dpi;
        EXPECT_NEAR(m.listWidth, 158 * factor, 0.5) << scale.dpi;
        EXPECT_GT(m.listWidth, m.rowWidth) << "the stretch's extra column";
    }
    // 96 DPI is the design itself.
    const ListMetrics plain;
    EXPECT_EQ(plain.rowHeight, 13);
    EXPECT_EQ(plain.graphHeight, 29);
    EXPECT_EQ(plain.listWidth, 158);
    EXPECT_EQ(plain.listHeight, 1333);
    EXPECT_EQ(plain.linesHeight(3), 39);
    EXPECT_EQ(base::DpiScale{}.px(-7), -7);
    EXPECT_EQ(k144.px(-7), -11) << "halves away from zero";
}

TEST(DisplayScale, ComposedListIsTheScaledSizeAndMatchesItsForecast) {
    MonitorRig plain;
    showEveryKind(plain);
    plain.tick();
    const int designed = plain.presenter.lastY;
    ASSERT_GT(designed, 400);

    for (base::DpiScale scale : {k120, k144, k192}) {
        MonitorRig rig;
        showEveryKind(rig);
        rig.tick();
        rig.cycle.rescale(scale);
        const int forecast = rig.cycle.upcomingListHeight();
        rig.tick();
        const int y = rig.presenter.lastY;
        EXPECT_EQ(y, forecast) << scale.dpi;
        EXPECT_NEAR(y, designed * scale.dpi / 96.0, 1.0) << scale.dpi;
        // Separators where the 96-DPI ones are, scaled.
        int separators = 0;
        for (int designedY = 1; designedY < designed; ++designedY) {
            if (!blackRow(plain.images.list, designedY, 157) ||
                blackRow(plain.images.list, designedY - 1, 157))
                continue;
            ++separators;
            EXPECT_TRUE(blackRow(rig.images.list, scale.px(designedY), rig.images.metrics.rowWidth))
                << scale.dpi << " " << designedY;
        }
        EXPECT_GT(separators, 20);
        EXPECT_EQ(rig.images.list.width(), ListMetrics(scale).listWidth);
        ASSERT_TRUE(rig.presenter.lastSize.has_value()) << "a new scale sizes the window";
        EXPECT_EQ(rig.presenter.lastSize->scaleHeight, y);
    }
}

// The row's picture is designed at 96 DPI; at 144 its texts stand at the scaled places (the font
// of that size draws them) and its bar is the scaled width, cut from the scaled strip.
TEST(DisplayScale, RowPictureAtTheScaledPlaces) {
    const ListMetrics m(k144);
    render::Image strip(m.rowWidth, m.rowHeight, render::rgb(0, 200, 0));
    render::Image row(m.rowWidth, m.rowHeight, render::rgb(255, 255, 255));
    row.setForeground(render::rgb(1, 2, 3));
    fakes::FakeTextPainter painter;
    render::ValueRow content{L"CPU", L"50%", 148, 78};
    render::drawValueRow(row, content, &strip, painter, m);

    ASSERT_EQ(painter.calls.size(), 2u);
    EXPECT_EQ(painter.calls[0].x, 8);  // 5 * 1.5, halves up
    EXPECT_EQ(painter.calls[0].y, 2);
    EXPECT_EQ(painter.calls[1].x, 222 - 9 * 3) << "the value still ends at the scaled edge";
    EXPECT_EQ(row.pixel(116, 10), render::rgb(0, 200, 0));  // 78 * 1.5 = 117 columns of bar
    EXPECT_EQ(row.pixel(117, 10), render::rgb(255, 255, 255));
    EXPECT_EQ(row.pixel(116, m.rowHeight - 1), render::rgb(0, 200, 0)) << "the bar's full height";
}

TEST(DisplayScale, GraphScrollsByTheScaledColumnAtTheScaledHeight) {
    render::RenderState state{ListMetrics(k192)};
    state.graph.setBackground(render::rgb(0, 0, 0));
    state.graphScroll.setBackground(render::rgb(0, 0, 0));
    render::GraphInputs idle;
    idle.source = 1;
    idle.lineColour = render::rgb(0, 255, 0);
    for (int i = 0; i < 200; ++i) render::updateGraph(state, idle);
    const int bottom = state.metrics.graphHeight - 1;
    ASSERT_EQ(state.graph.height(), 58);
    // Both lines two pixels thick, as one pixel is at 96 DPI.
    for (int x = 0; x < 300; ++x) {
        EXPECT_EQ(state.graph.pixel(x, bottom), render::rgb(0, 255, 0)) << x;
        EXPECT_EQ(state.graph.pixel(x, bottom - 1), render::rgb(0, 255, 0)) << x;
        EXPECT_EQ(state.graph.pixel(x, bottom - 2), render::rgb(0, 0, 0)) << x;
        EXPECT_EQ(state.graph.pixel(x, 30), render::rgb(255, 255, 255)) << "middle line " << x;
        EXPECT_EQ(state.graph.pixel(x, 31), render::rgb(255, 255, 255)) << "middle line " << x;
    }
    idle.cpuTotalPercent = 100;
    render::updateGraph(state, idle);
    EXPECT_EQ(state.graphCurrent, 58) << "a full sample is the scaled height";
}

// Twips are 1/1440 inch: a position saved at 150 % reads back at 100 % two thirds as many
// pixels from the corner, the same distance in inches; an unmoved window keeps its value.
TEST(DisplayScale, StoredTwipsAreReadAtTheMonitorsDpi) {
    const float saved = base::twipsFor(0, 300, 144);
    EXPECT_EQ(saved, 3000.0f);
    EXPECT_EQ(base::pixelsFromTwips(saved, 96), 200);
    EXPECT_EQ(base::pixelsFromTwips(saved, 192), 400);
    EXPECT_EQ(base::twipsFor(1234, base::pixelsFromTwips(1234, 192), 192), 1234.0f);
    EXPECT_EQ(base::twipsFor(0, 3, 192), 22.5f);

    // The stored window size gives the scaled list at the monitor's DPI, and back.
    const int listHeight = 21 * 10;
    const float width = ui::storedWidthFor(0, ui::mainClientWidthFor(144), 144);
    const float height = ui::storedHeightFor(0, listHeight, 144);
    ui::ClientSize client = ui::clientSizeFromStored(width, height, 144);
    EXPECT_EQ(client.width, 237);
    EXPECT_EQ(client.height, listHeight);
}
