// The sea window's heights and normals: the whole-unit window, its rim, the torus, the cache.
#include <gtest/gtest.h>

#include <cmath>

#include "render/passes.h"
#include "sim/state.h"

static float &cell(int r, int c) {
    return sea_height[r * SEA_SIZE + c];
}

// Every cell a different height, so that a wrong row or column shows.
static void number_the_cells() {
    for (int r = 0; r < SEA_SIZE; r++)
        for (int c = 0; c < SEA_SIZE; c++) cell(r, c) = r * 0.001f + c * 0.00001f;
}

TEST(SeaWindow, CentreIsTheBoatTruncatedTowardsZero) {
    number_the_cells();
    boat_x = 0.9f, boat_y = -0.9f;
    EXPECT_EQ(sea_height_at(0, 0), cell(55, 55));
    EXPECT_EQ(sea_height_at(3, -7), cell(58, 48));
    boat_x = -3.7f, boat_y = 12.2f;
    EXPECT_EQ(sea_height_at(0, 0), cell(52, 67));
    EXPECT_EQ(sea_height_at(-24, 24), cell(28, 91));
}

TEST(SeaWindow, RimIsAtSeaLevelWhateverTheField) {
    for (float &h : sea_height) h = 0.7f;
    boat_x = 10.2f, boat_y = -31.0f;
    for (int k = -26; k <= 26; k++) {
        EXPECT_EQ(sea_height_at(25, k), 0.0f);
        EXPECT_EQ(sea_height_at(-25, k), 0.0f);
        EXPECT_EQ(sea_height_at(k, 25), 0.0f);
        EXPECT_EQ(sea_height_at(k, -25), 0.0f);
    }
    // Just outside the rim the field is read again: the normals of the rim need it.
    EXPECT_EQ(sea_height_at(26, 0), 0.7f);
    EXPECT_EQ(sea_height_at(-26, -26), 0.7f);
    EXPECT_EQ(sea_height_at(24, -24), 0.7f);
}

TEST(SeaWindow, WrapsRoundTheWorldsEdges) {
    number_the_cells();
    boat_x = 54.5f, boat_y = 0.0f; // rows up to 54 + 24 + 55 = 133, which is row 23
    EXPECT_EQ(sea_height_at(24, 0), cell(23, 55));
    EXPECT_EQ(sea_height_at(1, 0), cell(0, 55));
    EXPECT_EQ(sea_height_at(0, 0), cell(109, 55));
    boat_x = -55.0f, boat_y = 55.0f;
    EXPECT_EQ(sea_height_at(-1, 0), cell(109, 0)); // row -1, column 110
    EXPECT_EQ(sea_height_at(-26, 26), cell(84, 26));
}

TEST(SeaNormal, FlatSeaPointsStraightUp) {
    for (float &h : sea_height) h = 0.0f;
    boat_x = boat_y = 0.0f;
    for (int p = -25; p <= 25; p += 5)
        for (int q = -25; q <= 25; q += 5) {
            Vec3 n = sea_normal_at(p, q);
            EXPECT_EQ(n.x, 0.0f);
            EXPECT_EQ(n.y, 0.0f);
            EXPECT_EQ(n.z, 1.0f);
        }
}

TEST(SeaNormal, TiltedPlaneGivesItsExactNormal) {
    // z = 0.02 x - 0.03 y in world units, cells indexed from the world origin at row 55
    for (int r = 0; r < SEA_SIZE; r++)
        for (int c = 0; c < SEA_SIZE; c++) cell(r, c) = 0.02f * (r - 55) - 0.03f * (c - 55);
    boat_x = boat_y = 0.0f;
    float len = std::sqrt(0.02f * 0.02f + 0.03f * 0.03f + 1.0f);
    for (int p : {-10, 0, 7}) {
        Vec3 n = sea_normal_at(p, p);
        EXPECT_NEAR(n.x, -0.02f / len, 1e-6f);
        EXPECT_NEAR(n.y, 0.03f / len, 1e-6f);
        EXPECT_NEAR(n.z, 1.0f / len, 1e-6f);
        EXPECT_NEAR(n.x * n.x + n.y * n.y + n.z * n.z, 1.0f, 1e-6f);
    }
}

TEST(SeaNormal, RaisedCellTiltsItsDiagonalNeighboursAway) {
    for (float &h : sea_height) h = 0.0f;
    boat_x = boat_y = 0.0f;
    cell(55, 55) = 0.5f;
    Vec3 ne = sea_normal_at(1, 1), sw = sea_normal_at(-1, -1);
    EXPECT_GT(ne.x, 0.0f);
    EXPECT_GT(ne.y, 0.0f);
    EXPECT_LT(sw.x, 0.0f);
    EXPECT_LT(sw.y, 0.0f);
    // The centre's normal uses only its diagonals, which are all flat.
    Vec3 centre = sea_normal_at(0, 0);
    EXPECT_EQ(centre.z, 1.0f);
    EXPECT_EQ(sea_height_at(0, 0), 0.5f);
}

// The frame computes each vertex once; it must be exactly what the lookups give.
TEST(SeaWindow, CachedWindowMatchesTheLookups) {
    unsigned state = 12345;
    for (float &h : sea_height) {
        state = state * 1103515245u + 12345u;
        h = static_cast<int>((state >> 16) % 101 - 50) * 0.003f;
    }
    for (float bx : {0.0f, 54.5f, -55.0f, 17.3f}) {
        boat_x = bx, boat_y = -bx * 0.5f;
        fill_sea_window();
        for (int a = -26; a <= 26; a++)
            for (int b = -26; b <= 26; b++)
                ASSERT_EQ(sea_window_height[a + 26][b + 26], sea_height_at(a, b));
        for (int p = -25; p <= 25; p++)
            for (int q = -25; q <= 25; q++) {
                Vec3 want = sea_normal_at(p, q);
                const Vec3 &got = sea_window_normal[p + 25][q + 25];
                ASSERT_EQ(got.x, want.x);
                ASSERT_EQ(got.y, want.y);
                ASSERT_EQ(got.z, want.z);
            }
    }
}
