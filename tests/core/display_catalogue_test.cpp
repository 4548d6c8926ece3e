#include "settings/display_catalogue.h"

#include <gtest/gtest.h>

#include <cwchar>

#include "settings/packed_fields.h"
#include "settings/settings.h"

using namespace settings;

TEST(DisplayRows, DefaultsGiveTheCatalogueInDefaultOrderWithItsColours) {
    Settings s;
    auto rows =
        buildDisplayRows(s.displayOrder, s.displayMarks, s.displayColours1, s.displayColours2);
    ASSERT_EQ(rows.size(), 23u);
    EXPECT_EQ(settings::idOf(rows[0].id), 113);
    EXPECT_EQ(settings::idOf(rows[1].id), 100);
    EXPECT_EQ(settings::idOf(rows[22].id), 123);
    // Shown by default: the catalogue's flags, whatever the position.
    for (const DisplayRow& row : rows) {
        bool expected = !(settings::idOf(row.id) == 106 || settings::idOf(row.id) == 107 ||
                          settings::idOf(row.id) == 108 || settings::idOf(row.id) == 109 ||
                          settings::idOf(row.id) == 116 || settings::idOf(row.id) == 117 ||
                          settings::idOf(row.id) == 118 || settings::idOf(row.id) == 119 ||
                          settings::idOf(row.id) == 123);
        EXPECT_EQ(row.shown, expected) << settings::idOf(row.id);
    }
    EXPECT_EQ(rows[1].colour1, 16777215);
    EXPECT_EQ(rows[1].colour2, 255);
    EXPECT_EQ(rows[0].colour1, -2147483633);
    EXPECT_EQ(settings::idOf(rows[16].id), 116);
    EXPECT_EQ(rows[16].colour2, 8454143);
}

TEST(DisplayRows, OddListsBuildWhatTheStringSays) {
    // An id twice gives two rows.
    auto twice = buildDisplayRows(L"100100", L"11", L"", L"");
    ASSERT_EQ(twice.size(), 2u);
    EXPECT_EQ(settings::idOf(twice[1].id), 100);

    // An unknown id adds nothing; visibility is by row index, not by position in the string.
    auto unknown = buildDisplayRows(L"999100", L"10", L"", L"");
    ASSERT_EQ(unknown.size(), 1u);
    EXPECT_EQ(settings::idOf(unknown[0].id), 100);
    EXPECT_TRUE(unknown[0].shown);

    // A short check-mark string leaves the extra rows hidden; other characters too.
    auto shortMarks = buildDisplayRows(L"100101102103", L"1x", L"", L"");
    ASSERT_EQ(shortMarks.size(), 4u);
    EXPECT_TRUE(shortMarks[0].shown);
    EXPECT_FALSE(shortMarks[1].shown);
    EXPECT_FALSE(shortMarks[3].shown);

    // Only the first positions, one for each slot, count; a short tail adds nothing.
    std::wstring many;
    for (size_t i = 0; i < kMainListPositions + 6; ++i) many += L"104";
    EXPECT_EQ(buildDisplayRows(many + L"10", L"", L"", L"").size(), kMainListPositions);
    EXPECT_TRUE(buildDisplayRows(L"10", L"1", L"", L"").empty());
    // Every three digits that name no item of the catalogue (today 120 among them) add nothing.
    for (int id = 0; id < 1000; ++id) {
        wchar_t digits[4];
        std::swprintf(digits, 4, L"%03d", id);
        bool known = catalogueItem(Item(id)) != nullptr;
        EXPECT_EQ(buildDisplayRows(digits, L"1", L"", L"").size(), known ? 1u : 0u) << id;
    }
}

TEST(DisplayRows, EmptyColoursAreBlack) {
    auto rows = buildDisplayRows(L"100104", L"11", L"00000000255", L"");
    EXPECT_EQ(rows[0].colour1, 255);
    EXPECT_EQ(rows[0].colour2, 0);
    EXPECT_EQ(rows[1].colour1, 0);
}

TEST(PackedFields, FieldsByPositionAndPadding) {
    EXPECT_EQ(colourField(L"00000000001 00000000002", 1), L"00000000002");
    EXPECT_EQ(colourField(L"00000000001", 1), L"");
    EXPECT_EQ(colourField(L"0000000000", 0), L"0000000000");
    EXPECT_EQ(colourCell(255), L"00000000255");
    EXPECT_EQ(colourCell(-2147483633), L"-2147483633");
    EXPECT_EQ(colourCell(0), L"00000000000");
    EXPECT_EQ(colourCell(-214), L"-0000000214");  // reads back as itself
    EXPECT_EQ(parseColour(colourCell(-214)), -214);
}

TEST(PackedFields, ColourTextReadsAsA32BitValue) {
    EXPECT_EQ(parseColour(L"00016777215"), 16777215);
    EXPECT_EQ(parseColour(L" 65280 "), 65280);
    EXPECT_EQ(parseColour(L"-2147483633"), -2147483633);
    EXPECT_EQ(parseColour(L""), 0);
    EXPECT_EQ(parseColour(L"abc"), 0);
    EXPECT_EQ(parseColour(L"12x4"), 12);
    EXPECT_EQ(parseColour(L"99999999999"), 2147483647);  // held at the 32-bit limits
    EXPECT_EQ(parseColour(L"-99999999999"), -2147483647 - 1);
}
