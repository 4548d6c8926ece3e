#include "ui/main_window_size.h"

#include <gtest/gtest.h>

#include <array>

#include "ui/options/window_commands.h"

using namespace ui;

TEST(MainWindowSize, StoredSizesGiveTheTicksClientArea) {
    // The defaults, and what "サイズ初期化" stores, read back as the list's own area.
    ClientSize defaults = clientSizeFromStored(2496, 2258);
    EXPECT_EQ(defaults.width, kMainClientWidth);
    EXPECT_EQ(defaults.height, 142);
    for (int list : {0, 14, 212}) {
        options::MainWindowSizeTwips reset = options::resetMainWindowSize(list);
        ClientSize client = clientSizeFromStored(reset.width, reset.height);
        EXPECT_EQ(client.width, kMainClientWidth) << list;
        EXPECT_EQ(client.height, list) << list;
    }
    // A window the user sized is stored so that it reads back the same; an unchanged one keeps
    // its stored value exactly.
    EXPECT_EQ(storedWidthFor(2496, 218), 218 * 15 + 126);
    EXPECT_EQ(clientSizeFromStored(storedWidthFor(2496, 218), 2258).width, 218);
    EXPECT_EQ(storedHeightFor(2258, 182), 182 * 15 + 128);
    EXPECT_EQ(storedWidthFor(2500, 158), 2500);
    EXPECT_EQ(storedHeightFor(2270, 142), 2270);
    // A stored size smaller than the frame is an empty area, not a negative one.
    EXPECT_EQ(clientSizeFromStored(0, 15).height, 0);
}

TEST(MainWindowSize, EdgesAndCornersSizeTheWindow) {
    // A 160 x 100 window: 4-pixel bands, corners reaching 12 pixels along each edge.
    EXPECT_EQ(sizingEdgeAt(80, 50, 160, 100), SizingEdge::None);
    EXPECT_EQ(sizingEdgeAt(4, 50, 160, 100), SizingEdge::None);
    EXPECT_EQ(sizingEdgeAt(3, 50, 160, 100), SizingEdge::Left);
    EXPECT_EQ(sizingEdgeAt(156, 50, 160, 100), SizingEdge::Right);
    EXPECT_EQ(sizingEdgeAt(80, 0, 160, 100), SizingEdge::Top);
    EXPECT_EQ(sizingEdgeAt(80, 99, 160, 100), SizingEdge::Bottom);
    EXPECT_EQ(sizingEdgeAt(159, 99, 160, 100), SizingEdge::BottomRight);
    EXPECT_EQ(sizingEdgeAt(148, 97, 160, 100), SizingEdge::BottomRight);
    EXPECT_EQ(sizingEdgeAt(147, 97, 160, 100), SizingEdge::Bottom);
    EXPECT_EQ(sizingEdgeAt(157, 88, 160, 100), SizingEdge::BottomRight);
    EXPECT_EQ(sizingEdgeAt(0, 0, 160, 100), SizingEdge::TopLeft);
    EXPECT_EQ(sizingEdgeAt(158, 5, 160, 100), SizingEdge::TopRight);
    EXPECT_EQ(sizingEdgeAt(2, 90, 160, 100), SizingEdge::BottomLeft);
}
