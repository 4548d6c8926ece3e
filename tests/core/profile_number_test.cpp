#include "platform/profile_number.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

using platform::leadingInt32;

TEST(ProfileNumber, LeadingNumberClampsToThe32BitRangeInsteadOfWrapping) {
    EXPECT_EQ(leadingInt32(std::wstring(10000, L'7')), INT_MAX);
    EXPECT_EQ(leadingInt32(L"99999999999"), INT_MAX);
    EXPECT_EQ(leadingInt32(L"-99999999999"), INT_MIN);
    EXPECT_EQ(leadingInt32(L"-" + std::wstring(10000, L'9')), INT_MIN);
    EXPECT_EQ(leadingInt32(L"2147483647"), INT_MAX);
    EXPECT_EQ(leadingInt32(L"2147483648"), INT_MAX);
    EXPECT_EQ(leadingInt32(L"-2147483648"), INT_MIN);
    EXPECT_EQ(leadingInt32(L"-2147483633"), -2147483633);  // the button-face colour
    EXPECT_EQ(leadingInt32(L"000000000000000000000012"), 12);
}

TEST(ProfileNumber, OnlyTheLeadingDecimalNumberCounts) {
    EXPECT_EQ(leadingInt32(L"12abc"), 12);
    EXPECT_EQ(leadingInt32(L" \t-7 "), -7);
    EXPECT_EQ(leadingInt32(L"+5"), 5);
    EXPECT_EQ(leadingInt32(L"abc"), 0);
    EXPECT_EQ(leadingInt32(L"-"), 0);
    EXPECT_EQ(leadingInt32(L""), 0);
    EXPECT_EQ(leadingInt32(L"0x10"), 0);
}
