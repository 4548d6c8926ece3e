#include "render/number_pattern.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "render/rounding.h"

using namespace render;

TEST(NumberPattern, PatternsTheReadingsUse) {
    struct Case {
        double value;
        const wchar_t* pattern;
        const wchar_t* text;
    };
    const Case cases[] = {
        {12345.678, L"##GB ###.00", L"12GB 345.68"},
        {345.5, L"##GB ###.00", L"GB 345.50"},
        {1234567.891, L"##GB ###.00", L"1234GB 567.89"},
        {0.5, L"##GB ###.00", L"GB .50"},
        {12345.0 / 1024, L"##,##0.#0", L"12.06"},
        {500.0 / 1024, L"##,##0.#0", L"0.49"},
        {1234.5, L"##,##0.#0", L"1,234.50"},
        {0, L"##,##0.#0", L"0.00"},
        {5, L"00", L"05"},
        {59, L"00", L"59"},
        {123, L"00", L"123"},
        {2.5, L"0", L"3"},  // formatting rounds halves away from zero
        {0.285, L"0.00", L"0.29"},
        {9.999, L"0.00", L"10.00"},
        {-1234.5, L"#,##0.0", L"-1,234.5"},
        {-0.001, L"0.00", L"0.00"},
        {7, L"#", L"7"},
        {0, L"#", L""},
        {1.5, L"0.##", L"1.5"},
        {1, L"0.##", L"1."},
        {12.5, L".00", L"12.50"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatNumber(c.value, c.pattern), c.text) << c.pattern << " " << c.value;
}

TEST(NumberPattern, WholeNumbersAreExactAndGroupedByTheLocale) {
    EXPECT_EQ(formatNumber(0, L"#,##0"), L"0");
    EXPECT_EQ(formatNumber(999, L"#,##0"), L"999");
    EXPECT_EQ(formatNumber(1000, L"#,##0"), L"1,000");
    EXPECT_EQ(formatNumber(1234567, L"#,##0"), L"1,234,567");
    EXPECT_EQ(formatNumber(std::int64_t{9007199254740993}, L"#,##0"), L"9,007,199,254,740,993");
    EXPECT_EQ(formatNumber(INT64_MIN, L"0"), L"-9223372036854775808");
    EXPECT_EQ(formatNumber(-5, L"00"), L"-05");

    NumberSymbols german{L".", L","};
    EXPECT_EQ(formatNumber(1234567, L"#,##0", german), L"1.234.567");
    EXPECT_EQ(formatNumber(1234.5, L"##,##0.#0", german), L"1.234,50");
    NumberSymbols none{L"", L"."};
    EXPECT_EQ(formatNumber(1234567, L"#,##0", none), L"1234567");
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    const std::pair<double, std::int64_t> cases[] = {
        {0.5, 0},  {1.5, 2},   {2.5, 2},   {3.5, 4},   {2.4999, 2}, {2.5001, 3},
        {-0.5, 0}, {-1.5, -2}, {-2.5, -2}, {-2.6, -3}, {78.5, 78},  {0, 0},
    };
    for (auto [value, rounded] : cases) EXPECT_EQ(roundHalfEven(value), rounded) << value;
}

TEST(Rounding, BarWidths) {
    EXPECT_EQ(barWidthFor(100), 157);
    EXPECT_EQ(barWidthFor(0), 0);
    EXPECT_EQ(barWidthFor(50), 78);  // 78.5
    EXPECT_EQ(barWidthFor(1), 2);    // 1.57
    EXPECT_EQ(barWidthFor(200), 314);
    EXPECT_EQ(barWidthFor(1e300), 1000000);
}
