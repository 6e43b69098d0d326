// The oars, thrust and steering; the boat's motion, edge, bob and the pushes off plants and walls.
#include <cmath>
#include <gtest/gtest.h>

#include "audio/listener.h"
#include "audio/sound.h"
#include "base/random.h"
#include "world.h"

// One tick's worth of mouse input, read as the tick reads it.
static void input(float row, float steer_in = 0.0f) {
    row_input = row;
    steer_input = steer_in;
    read_mouse();
}

TEST(Oars, FullForwardSweepsThreePointTwoDegreesAndStopsAtTheEnd) {
    blank_world();
    oar_sweep = -15.0f;
    input(500.0f); // clamped to 100, scaled to 80
    EXPECT_FLOAT_EQ(oar_sweep, -11.8f);
    int ticks = 1;
    while (oar_sweep < 14.999f && ticks < 20) {
        input(100.0f);
        ticks++;
    }
    EXPECT_EQ(ticks, 10);
    EXPECT_NEAR(oar_sweep, 15.0f, 1e-5f);
    EXPECT_EQ(row_input, 0.0f);
    EXPECT_EQ(steer_input, 0.0f);
}

TEST(Oars, AStrokeFromTheEndOfTheArcGivesNoThrustAndASilentSplash) {
    blank_world();
    oar_sweep = 15.0f;
    input(100.0f);
    EXPECT_EQ(row_vx, 0.0f);
    EXPECT_EQ(row_vy, 0.0f);
    EXPECT_EQ(oar_sweep, 15.0f);
    ASSERT_EQ(logged_events.size(), 1u);
    EXPECT_EQ(logged_events[0].id, SOUND_ROW_SPLASH);
    EXPECT_EQ(logged_events[0].amount, 0.0f);
}

TEST(Oars, SplashAmountFollowsTheMotionTheArcAllowed) {
    blank_world();
    input(100.0f);
    EXPECT_FLOAT_EQ(logged_events.back().amount, 80.0f * 0.0005f);
    input(-100.0f);
    EXPECT_FLOAT_EQ(logged_events.back().amount, 80.0f * 0.0002f);
    oar_sweep = 14.0f; // only 1 degree left: 25 units of input
    input(100.0f);
    EXPECT_FLOAT_EQ(logged_events.back().amount, 25.0f * 0.0005f);
    input(0.0f);
    EXPECT_EQ(logged_events.back().amount, 0.0f);
    EXPECT_EQ(count_events(SOUND_ROW_SPLASH), 4);
}

TEST(Thrust, StraightStrokeDrivesAlongTheHeadingWithoutTurning) {
    blank_world();
    input(100.0f);
    EXPECT_FLOAT_EQ(row_vx, 0.008f);
    EXPECT_EQ(row_vy, 0.0f);
    EXPECT_EQ(turn_rate, 0.0f);
    blank_world();
    boat_heading = TWO_PI_F / 4.0f;
    input(100.0f);
    EXPECT_NEAR(row_vx, 0.0f, 1e-9f);
    EXPECT_FLOAT_EQ(row_vy, 0.008f);
}

TEST(Thrust, FullBalanceTurnsAndDrivesNothingFasterClockwise) {
    blank_world();
    steer = 2.5f;
    input(100.0f);
    EXPECT_EQ(row_vx, 0.0f);
    EXPECT_FLOAT_EQ(turn_rate, -0.004f);
    blank_world();
    steer = -2.5f;
    input(100.0f);
    EXPECT_EQ(row_vx, 0.0f);
    EXPECT_FLOAT_EQ(turn_rate, 0.0016f);
}

TEST(Thrust, PartlyBalancedStrokeSplitsBetweenDriveAndTurn) {
    blank_world();
    steer = 1.0f; // factor 0.5
    input(100.0f);
    EXPECT_FLOAT_EQ(row_vx, 0.004f);
    EXPECT_FLOAT_EQ(turn_rate, -0.002f);
}

TEST(Thrust, ReturnSweepNeitherDrivesNorTurns) {
    blank_world();
    steer = 2.5f;
    oar_sweep = 10.0f;
    input(-100.0f);
    EXPECT_EQ(row_vx, 0.0f);
    EXPECT_EQ(turn_rate, 0.0f);
    EXPECT_FLOAT_EQ(oar_sweep, 6.8f);
}

TEST(Thrust, BalanceChangedThisTickActsFromTheNextStroke) {
    blank_world();
    input(100.0f, 100.0f); // steer becomes 0.27 after the stroke
    EXPECT_FLOAT_EQ(row_vx, 0.008f);
    EXPECT_FLOAT_EQ(steer, 0.27f);
}

TEST(Thrust, RowingAloneNeverExceedsThreeTenths) {
    blank_world();
    boat_heading = 0.7f;
    for (int i = 0; i < 400; i++) {
        oar_sweep = -15.0f;
        input(100.0f);
        float speed = std::sqrt(row_vx * row_vx + row_vy * row_vy);
        ASSERT_LE(speed, 0.3f * 1.000001f) << "stroke " << i;
    }
    EXPECT_NEAR(std::sqrt(row_vx * row_vx + row_vy * row_vy), 0.3f, 1e-6f);
    EXPECT_NEAR(std::atan2(row_vy, row_vx), 0.7f, 1e-5f);
}

TEST(Steering, BalanceIsClampedAndDeflectsOnlyPastTheDeadZone) {
    blank_world();
    input(0.0f, 100.0f);
    EXPECT_FLOAT_EQ(steer, 0.27f);
    EXPECT_EQ(steer_deflection, 0.0f);
    for (int i = 0; i < 20; i++) input(0.0f, 100.0f);
    EXPECT_EQ(steer, 2.5f);
    EXPECT_EQ(steer_deflection, 1.0f);
    steer = -1.0f;
    input(0.0f);
    EXPECT_FLOAT_EQ(steer_deflection, -0.5f);
    for (int i = 0; i < 20; i++) input(0.0f, -1000.0f);
    EXPECT_EQ(steer, -2.5f);
    EXPECT_EQ(steer_deflection, -1.0f);
}

TEST(Motion, BothVelocitiesMoveTheBoatAndDecayAtTheirOwnRates) {
    blank_world();
    row_vx = 0.1f;
    drift_vy = 0.2f;
    move_boat();
    EXPECT_FLOAT_EQ(boat_x, 0.1f);
    EXPECT_FLOAT_EQ(boat_y, 0.2f);
    EXPECT_FLOAT_EQ(row_vx, 0.097f);
    EXPECT_FLOAT_EQ(drift_vy, 0.196f);
    Vec3 l = listener_pos.load();
    EXPECT_EQ(l.x, boat_x);
    EXPECT_EQ(l.y, boat_y);
    EXPECT_EQ(l.z, 0.0f);
}

TEST(Motion, AShoveBouncesOffTheEdgeButRowingHoldsTheBoatOnIt) {
    blank_world();
    boat_x = 54.9f;
    drift_vx = 0.5f;
    move_boat();
    EXPECT_EQ(boat_x, 55.0f);
    EXPECT_FLOAT_EQ(drift_vx, -0.49f);
    move_boat();
    EXPECT_LT(boat_x, 55.0f);

    blank_world();
    boat_y = -54.9f;
    row_vy = -0.3f;
    move_boat();
    EXPECT_EQ(boat_y, -55.0f);
    EXPECT_LT(row_vy, 0.0f);
    move_boat();
    EXPECT_EQ(boat_y, -55.0f);
}

TEST(Bob, AveragesTheNineCellsAroundTheBoatWithWrap) {
    blank_world();
    // Boat at x in (-1, 0) truncates to cell 0: rows 54..56; y = -55 wraps to column 109.
    boat_x = -0.5f;
    boat_y = -55.0f;
    sea_height[55 * SEA_SIZE + 109] = 0.9f; // inside
    sea_height[54 * SEA_SIZE + 1] = 0.9f;   // inside (column -54 + 55)
    sea_height[53 * SEA_SIZE + 0] = 5.0f;   // outside
    bob_boat();
    EXPECT_FLOAT_EQ(boat_bob, 0.02f);
    EXPECT_EQ(sea_cell(-55), 0);
    EXPECT_EQ(sea_cell(-56), 109);
    EXPECT_EQ(sea_cell(55), 0);
    EXPECT_EQ(sea_cell(0), 55);
}

TEST(PlantPush, PushTheBoatOutToPointEightAndBump) {
    blank_world();
    plants.resize(2);
    plants[0] = {0.3f, 0.0f, 0, 0, 0};
    plants[1] = {9.0f, 9.0f, 0, 0, 0};
    push_off_plants();
    EXPECT_FLOAT_EQ(boat_x, 0.3f - 0.8f);
    EXPECT_EQ(boat_y, 0.0f);
    ASSERT_EQ(logged_events.size(), 1u);
    EXPECT_EQ(logged_events[0].id, SOUND_PLANT_BUMP);
    EXPECT_EQ(logged_events[0].x, 0.3f);
}

TEST(PlantPush, LaterPlantsSeeTheMovedBoat) {
    blank_world();
    plants.resize(2);
    plants[0] = {0.5f, 0.0f, 0, 0, 0};  // pushes the boat to -0.3
    plants[1] = {-1.0f, 0.0f, 0, 0, 0}; // within 0.8 only after the first push
    push_off_plants();
    EXPECT_FLOAT_EQ(boat_x, -0.2f);
    EXPECT_EQ(count_events(SOUND_PLANT_BUMP), 2);
}

TEST(PlantPush, BoatOnAPlantsCentreStaysButStillBumps) {
    blank_world();
    boat_x = 3.0f;
    boat_y = 4.0f;
    plants.push_back({3.0f, 4.0f, 0, 0, 0});
    push_off_plants();
    EXPECT_EQ(boat_x, 3.0f);
    EXPECT_EQ(boat_y, 4.0f);
    EXPECT_EQ(count_events(SOUND_PLANT_BUMP), 1);
}

TEST(WallPush, PushHalfAUnitOffAndReverseTheDriftAlongTheWall) {
    blank_world();
    walls.push_back({-5.0f, 0.2f, 5.0f, 0.2f, 0, 0, 0, 0}); // along x, 0.2 above the boat
    drift_vx = 0.3f;
    drift_vy = 0.1f;
    row_vx = 0.05f;
    push_off_walls();
    EXPECT_EQ(boat_x, 0.0f);
    EXPECT_FLOAT_EQ(boat_y, -0.3f);
    EXPECT_FLOAT_EQ(drift_vx, -0.3f);
    EXPECT_FLOAT_EQ(drift_vy, 0.1f);
    EXPECT_EQ(row_vx, 0.05f);
    ASSERT_EQ(logged_events.size(), 1u);
    EXPECT_EQ(logged_events[0].id, SOUND_WALL_BUMP);
    EXPECT_EQ(logged_events[0].y, boat_y);
}

TEST(WallPush, BoatBeyondTheEndsOrFarAwayIsLeftAlone) {
    blank_world();
    walls.push_back({1.0f, 0.0f, 5.0f, 0.0f, 0, 0, 0, 0});  // ends before the boat
    walls.push_back({-5.0f, 2.0f, 5.0f, 2.0f, 0, 0, 0, 0}); // 2 away
    push_off_walls();
    EXPECT_EQ(boat_x, 0.0f);
    EXPECT_EQ(boat_y, 0.0f);
    EXPECT_TRUE(logged_events.empty());
}

TEST(WallPush, BoatOnTheWallsLineStaysButTheDriftStillTurns) {
    blank_world();
    walls.push_back({0.0f, -5.0f, 0.0f, 5.0f, 0, 0, 0, 0});
    drift_vy = 0.2f;
    push_off_walls();
    EXPECT_EQ(boat_x, 0.0f);
    EXPECT_EQ(boat_y, 0.0f);
    EXPECT_FLOAT_EQ(drift_vy, -0.2f);
    EXPECT_EQ(count_events(SOUND_WALL_BUMP), 1);
}

TEST(WallPush, AZeroLengthWallPushesNothing) {
    blank_world();
    walls.push_back({0.0f, 0.0f, 0.0f, 0.0f, 0, 0, 0, 0}); // both ends on the boat
    walls.push_back({0.1f, 0.1f, 0.1f, 0.1f, 0, 0, 0, 0});
    drift_vx = 0.2f;
    push_off_walls();
    EXPECT_EQ(boat_x, 0.0f);
    EXPECT_EQ(boat_y, 0.0f);
    EXPECT_EQ(drift_vx, 0.2f);
    EXPECT_TRUE(logged_events.empty());
}

TEST(Draws, BoatPhasesDrawNothing) {
    blank_world();
    uint64_t sounds = event_draws(SOUND_PLANT_BUMP) + event_draws(SOUND_WALL_BUMP);
    plants.push_back({0.2f, 0.0f, 0, 0, 0});
    walls.push_back({-5.0f, 0.3f, 5.0f, 0.3f, 0, 0, 0, 0});
    uint64_t before = random_draws();
    input(100.0f, 30.0f);
    move_boat();
    turn_boat();
    bob_boat();
    push_off_plants();
    push_off_walls();
    EXPECT_EQ(count_events(SOUND_PLANT_BUMP), 1);
    EXPECT_EQ(count_events(SOUND_WALL_BUMP), 1);
    EXPECT_EQ(random_draws() - before, sounds);
}
