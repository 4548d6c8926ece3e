#include "base/twips.h"

#include <gtest/gtest.h>

// A window that has not moved keeps its stored twips; a moved one takes its pixels in twips.
TEST(Twips, StoredTwipsSurviveUntilTheWindowMoves) {
    EXPECT_EQ(base::pixelsFromTwips(1234), 82);
    EXPECT_EQ(base::twipsFor(1234, 82), 1234);
    EXPECT_EQ(base::twipsFor(1234, 83), 1245);
    EXPECT_EQ(base::pixelsFromTwips(-20), -1);
    EXPECT_EQ(base::twipsFor(-20, -1), -20);
    EXPECT_EQ(base::twipsFor(0, -1), -15);
}
