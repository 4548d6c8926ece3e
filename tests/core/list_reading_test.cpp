#include "ui/list_reading.h"

#include <gtest/gtest.h>

// The keyboard walks the rows; the row it is on keeps its place as rows come and go.
TEST(ListReading, TheKeyboardWalksTheRowsThatAreThere) {
    std::vector<monitor::ShownRow> rows{
        {L"CPU", L"1%", 0, 13}, {L"Memory", L"2%", 14, 13}, {L"Graph", L"", 28, 29}};
    ui::ListReading reading([&] { return rows; });
    EXPECT_FALSE(reading.focused()) << "no row before the first key";
    EXPECT_TRUE(reading.move(-1));
    EXPECT_EQ(reading.focused(), 2) << "Up from nowhere lands on the last row";
    EXPECT_FALSE(reading.move(1)) << "the last row stays the last";
    EXPECT_TRUE(reading.moveToEnd(false));
    EXPECT_EQ(reading.focused(), 0);
    EXPECT_TRUE(reading.move(1));
    EXPECT_EQ(reading.focused(), 1);

    rows.pop_back();
    rows.pop_back();
    EXPECT_EQ(reading.focused(), 0) << "a row taken away moves the keyboard onto one that is";
    rows.clear();
    EXPECT_FALSE(reading.focused());
    EXPECT_FALSE(reading.move(1));

    rows = {{L"CPU", L"1%", 0, 13}, {L"Graph", L"", 14, 29}};
    EXPECT_EQ(reading.rowAt(0), 0);
    EXPECT_EQ(reading.rowAt(13), std::nullopt) << "the separator belongs to no row";
    EXPECT_EQ(reading.rowAt(42), 1);
    EXPECT_EQ(reading.rowAt(43), std::nullopt);
}
