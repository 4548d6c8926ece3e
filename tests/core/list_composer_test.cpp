#include "render/list_composer.h"

#include <gtest/gtest.h>

#include "render/taskbar_caption.h"

using namespace render;
using settings::DisplayRow;
using settings::DriveRow;

namespace {

constexpr Colour kListBack = rgb(1, 1, 1);

RenderState stateWithColouredRows() {
    RenderState state;
    state.list.setBackground(kListBack);
    // Every image painted as the row painter makes it, a colour of its own: rows by slot,
    // drives, the graph, the notice.
    const ListMetrics& m = state.metrics;
    auto paint = [&m](Image& row, Colour colour) {
        row.resize(m.rowWidth, m.rowHeight);
        row.setBackground(colour);
    };
    for (size_t slot = 0; slot < state.rows.size(); ++slot)
        paint(state.rows[slot], rgb(100 + slot, 0, 0));
    for (size_t i = 0; i < state.driveRows.size(); ++i)
        paint(state.driveRows[i], rgb(0, 100 + i, 0));
    state.graph.setBackground(rgb(0, 0, 200));
    paint(state.newVersionRow, rgb(128, 255, 255));
    return state;
}

std::vector<DisplayRow> rows(std::initializer_list<std::pair<const wchar_t*, bool>> items) {
    std::vector<DisplayRow> out;
    for (auto [id, shown] : items) out.push_back({*settings::itemOfId(id), 0, 0, shown});
    return out;
}

// The colour of each stretch of the list's first column from y = 0 to `height`, with lengths.
std::vector<std::pair<Colour, int>> bands(const Image& list, int height) {
    std::vector<std::pair<Colour, int>> out;
    for (int y = 0; y < height; ++y) {
        Colour c = list.pixel(0, y);
        if (out.empty() || out.back().first != c)
            out.push_back({c, 1});
        else
            ++out.back().second;
    }
    return out;
}

using Bands = std::vector<std::pair<Colour, int>>;

}  // namespace

TEST(ComposeList, ShownRowsInListOrderWithSeparators) {
    RenderState state = stateWithColouredRows();
    auto list = rows({{L"101", true},
                      {L"100", true},
                      {L"104", false},
                      {L"110", true},
                      {L"105", true},
                      {L"123", true}});
    int y = composeList(state, list, {}, 1, false);
    EXPECT_EQ(y, 70);
    Bands expected = {{rgb(101, 0, 0), 13}, {0, 1}, {rgb(100, 0, 0), 13}, {0, 1},
                      {rgb(110, 0, 0), 13}, {0, 1}, {rgb(105, 0, 0), 13}, {0, 1},
                      {rgb(123, 0, 0), 13}, {0, 1}};
    EXPECT_EQ(state.list.height(), 70) << "the image holds the list, no more";
    EXPECT_EQ(bands(state.list, 70), expected);
    // The separators span the row's 157 columns; the 158th column is list background.
    for (int x = 0; x < 157; ++x) ASSERT_EQ(state.list.pixel(x, 13), 0u) << x;
    EXPECT_EQ(state.list.pixel(157, 13), kListBack);
    EXPECT_EQ(state.list.pixel(157, 0), kListBack);
    EXPECT_EQ(state.list.pixel(156, 0), rgb(101, 0, 0));

    // Adding the graph takes 29 rows and a separator.
    auto withGraph = rows({{L"113", true},
                           {L"101", true},
                           {L"100", true},
                           {L"110", true},
                           {L"105", true},
                           {L"123", true}});
    EXPECT_EQ(composeList(state, withGraph, {}, 1, false), 100);
    EXPECT_EQ(listHeightFor(withGraph, {}, 1, false), 100);
    EXPECT_EQ(bands(state.list, 31), (Bands{{rgb(0, 0, 200), 29}, {0, 1}, {rgb(101, 0, 0), 1}}));

    // A shorter list after a longer one leaves nothing of the old one in its image.
    finishPresentation(state, 100);
    EXPECT_EQ(composeList(state, rows({{L"100", true}}), {}, 1, false), 14);
    EXPECT_EQ(state.list.height(), 14);
    EXPECT_EQ(bands(state.list, 14), (Bands{{rgb(100, 0, 0), 13}, {0, 1}}));
    finishPresentation(state, 14);
    EXPECT_EQ(composeList(state, rows({{L"100", false}}), {}, 1, false), 0);
    EXPECT_EQ(state.list.height(), 0);
}

TEST(ComposeList, MemoTakesItsLines) {
    RenderState state = stateWithColouredRows();
    state.rows[22].resize(157, 39);
    state.rows[22].setBackground(rgb(122, 0, 0));
    auto list = rows({{L"122", true}, {L"100", true}});
    EXPECT_EQ(composeList(state, list, {}, 3, false), 40 + 14);
    EXPECT_EQ(listHeightFor(list, {}, 3, false), 40 + 14) << "the height before the first tick";
    EXPECT_EQ(bands(state.list, 41), (Bands{{rgb(122, 0, 0), 39}, {0, 1}, {rgb(100, 0, 0), 1}}));
    // An empty memo still has one line.
    finishPresentation(state, 54);
    state.rows[22].resize(157, 13);
    EXPECT_EQ(composeList(state, list, {}, 0, false), 28);
    // More lines than the memo's image holds: the rest of its place is blank, not old list.
    finishPresentation(state, 28);
    EXPECT_EQ(composeList(state, rows({{L"100", true}, {L"122", true}}), {}, 2, false), 14 + 27);
    EXPECT_EQ(bands(state.list, 41),
              (Bands{{rgb(100, 0, 0), 13}, {0, 1}, {rgb(122, 0, 0), 13}, {kListBack, 13}, {0, 1}}));
}

TEST(ComposeList, DrivesStandAtTheirItemsPlaceInDriveOrder) {
    RenderState state = stateWithColouredRows();
    auto list = rows({{L"100", true}, {L"112", true}, {L"101", true}});
    std::vector<DriveRow> drives = {{L"C", 0, true}, {L"D", 0, false}, {L"E", 0, true}};
    EXPECT_EQ(composeList(state, list, drives, 1, false), 56);
    EXPECT_EQ(listHeightFor(list, drives, 1, true), 56 + 14);
    EXPECT_EQ(bands(state.list, 56), (Bands{{rgb(100, 0, 0), 13},
                                            {0, 1},
                                            {rgb(0, 100, 0), 13},
                                            {0, 1},
                                            {rgb(0, 102, 0), 13},
                                            {0, 1},
                                            {rgb(101, 0, 0), 13},
                                            {0, 1}}));
    // Hidden item 112 shows no drives at all.
    list[1].shown = false;
    EXPECT_EQ(composeList(state, list, drives, 1, false), 28);
}

TEST(ComposeList, NewVersionRowComesLastAndAsksForAResize) {
    RenderState state = stateWithColouredRows();
    auto list = rows({{L"100", true}});
    EXPECT_EQ(composeList(state, list, {}, 1, true), 28);
    EXPECT_TRUE(state.resizePending);
    EXPECT_EQ(bands(state.list, 28),
              (Bands{{rgb(100, 0, 0), 13}, {0, 1}, {rgb(128, 255, 255), 13}, {0, 1}}));
}

TEST(ComposeList, ListBeyondItsImageIsClipped) {
    RenderState state = stateWithColouredRows();
    std::vector<DisplayRow> many;
    for (int i = 0; i < 120; ++i) many.push_back({settings::Item::CpuTotal, 0, 0, true});
    EXPECT_EQ(composeList(state, many, {}, 1, false), 120 * 14);
    EXPECT_EQ(state.list.pixel(0, state.list.height() - 1) != kListBack, true);
}

TEST(PresentSizing, FixedModeFollowsTheListVariableModeOnlyWhenAsked) {
    bool pending = false;
    auto fixed = presentListSizing(70, 1, pending);
    ASSERT_TRUE(fixed);
    EXPECT_EQ(fixed->scaleHeight, 70);

    EXPECT_FALSE(presentListSizing(70, 0, pending));
    pending = true;
    auto once = presentListSizing(100, 0, pending);
    ASSERT_TRUE(once);
    EXPECT_EQ(once->scaleHeight, 100);
    EXPECT_FALSE(pending);
    EXPECT_FALSE(presentListSizing(100, 0, pending));

    RenderState state;
    state.graphCurrent = 9;
    finishPresentation(state, 100);
    EXPECT_EQ(state.graphPrevious, 9);
    EXPECT_EQ(state.listHeight, 100);
}

TEST(TaskbarCaption, ChosenReadingsInOrder) {
    const std::wstring cpu = L"23%", mem = L"1234MB/4096MB", in = L"12Kbyte/秒", out = L"3Kbyte/秒";
    EXPECT_EQ(updateTaskbarCaption({true, true, true, true}, cpu, mem, in, out),
              L"23% 1234MB/4096MB 12Kbyte/秒受 3Kbyte/秒送 ");
    EXPECT_EQ(updateTaskbarCaption({}, cpu, mem, in, out), L"KorvaNT");
    EXPECT_EQ(updateTaskbarCaption({false, false, false, true}, cpu, mem, in, out),
              L"3Kbyte/秒送 ");
    EXPECT_EQ(updateTaskbarCaption({false, true, false, false}, cpu, mem, in, out),
              L"1234MB/4096MB ");
    // An empty reading still counts as chosen.
    EXPECT_EQ(updateTaskbarCaption({true, false, false, false}, L"", mem, in, out), L" ");
}
