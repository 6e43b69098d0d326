// The sea's two passes on the wrapping grid.
#include <gtest/gtest.h>

#include "world.h"

static float &height(int r, int c) {
    return sea_height[r * SEA_SIZE + c];
}
static float &velocity(int r, int c) {
    return sea_velocity[r * SEA_SIZE + c];
}

TEST(Sea, AFlatSeaStaysFlat) {
    blank_world();
    for (float &h : sea_height) h = 0.125f;
    for (int i = 0; i < 50; i++) update_sea();
    for (int i = 0; i < SEA_SIZE * SEA_SIZE; i++) {
        ASSERT_EQ(sea_height[i], 0.125f) << i;
        ASSERT_EQ(sea_velocity[i], 0.0f) << i;
    }
}

TEST(Sea, ARaisedCellSpreadsAQuarterOfItsExcessToEachNeighbour) {
    blank_world();
    height(40, 60) = 1.0f;
    update_sea();
    const float share = 0.25f * 0.01f;
    EXPECT_FLOAT_EQ(velocity(39, 60), share);
    EXPECT_FLOAT_EQ(velocity(41, 60), share);
    EXPECT_FLOAT_EQ(velocity(40, 59), share);
    EXPECT_FLOAT_EQ(velocity(40, 61), share);
    EXPECT_FLOAT_EQ(velocity(40, 60), -0.01f);
    EXPECT_FLOAT_EQ(height(40, 61), share); // heights follow the new velocities
    EXPECT_FLOAT_EQ(height(40, 60), 0.99f);
    EXPECT_EQ(velocity(41, 61), 0.0f); // diagonals wait a tick
    EXPECT_EQ(velocity(40, 62), 0.0f);
}

TEST(Sea, DisturbancesWrapAcrossBothEdges) {
    blank_world();
    height(0, 30) = 1.0f;
    height(70, 109) = 1.0f;
    update_sea();
    EXPECT_FLOAT_EQ(velocity(109, 30), 0.0025f);
    EXPECT_FLOAT_EQ(velocity(1, 30), 0.0025f);
    EXPECT_FLOAT_EQ(velocity(70, 0), 0.0025f);
    EXPECT_FLOAT_EQ(velocity(70, 108), 0.0025f);
    blank_world();
    height(0, 0) = 1.0f;
    update_sea();
    EXPECT_FLOAT_EQ(velocity(109, 0), 0.0025f);
    EXPECT_FLOAT_EQ(velocity(0, 109), 0.0025f);
}

TEST(Sea, EveryCellSeesThePreviousTicksHeights) {
    blank_world();
    height(10, 10) = 1.0f;
    update_sea();
    // Had (10, 10)'s new height been visible to (10, 11), the latter would differ.
    EXPECT_FLOAT_EQ(velocity(10, 11), velocity(10, 9));
    EXPECT_FLOAT_EQ(velocity(11, 10), velocity(9, 10));
}

TEST(Sea, TheNeighbourSumIsTakenUpDownLeftRight) {
    blank_world();
    // Values whose float sum depends on the order of addition.
    height(5, 5) = 0.0f;
    height(4, 5) = 1e-8f;
    height(6, 5) = 1.0f;
    height(5, 4) = -1.0f;
    height(5, 6) = 1e-8f;
    update_sea();
    float sum = ((1e-8f + 1.0f) + -1.0f) + 1e-8f; // 1e-8; left and right first would give 0
    EXPECT_EQ(velocity(5, 5), (sum * 0.25f - 0.0f) * 0.01f);
    EXPECT_NE(velocity(5, 5), 0.0f);
}
