// The chaser's hunt and catch, the plants' rings and wandering, and the walls' travels.
#include <cmath>
#include <gtest/gtest.h>

#include "audio/listener.h"
#include "audio/sound.h"
#include "base/random.h"
#include "world.h"

TEST(Chaser, RampsUpAndNeeds577TicksToCoverTen) {
    blank_world();
    chaser_active = true;
    chaser_x = -30.0f;
    int ticks = 0;
    while (chaser_x < -20.0f && ticks < 2000) {
        hunt_boat();
        ticks++;
    }
    EXPECT_EQ(ticks, 577);
    EXPECT_EQ(chaser_ramp, 577);
    Vec3 g = growl_pos.load();
    EXPECT_EQ(g.x, chaser_x);
    EXPECT_EQ(g.z, 0.0f);
    blank_world();
    chaser_active = true;
    chaser_ramp = 1000;
    chaser_y = 10.0f;
    hunt_boat();
    EXPECT_EQ(chaser_ramp, 1000);
    EXPECT_FLOAT_EQ(chaser_y, 10.0f - 0.06f);
}

// The chaser sleeps where the last game left it, at the origin in a first game, and the boat
// starts there too: asleep, it must not catch the boat on the very first tick.
TEST(Chaser, AnInactiveChaserOnTheBoatDoesNotCatchItOnTheFirstTick) {
    blank_world();
    reset_world();
    ASSERT_FALSE(chaser_active);
    ASSERT_EQ(chaser_x, boat_x);
    ASSERT_EQ(chaser_y, boat_y);
    run_tick();
    EXPECT_EQ(count_events(SOUND_CAUGHT), 0);
    EXPECT_FALSE(restart_pending);
    EXPECT_EQ(chaser_ramp, 0);
}

TEST(Chaser, ACatchSoundsJoltsTheBoatTwiceAndRestartsAgainEveryTickInReach) {
    uint64_t sounds = event_draws(SOUND_CAUGHT);
    blank_world(9);
    chaser_active = true;
    chaser_x = 0.5f;
    hunt_boat();
    EXPECT_TRUE(restart_pending);
    ASSERT_EQ(count_events(SOUND_CAUGHT), 1);
    EXPECT_EQ(logged_events[0].x, chaser_x);
    EXPECT_EQ(random_draws(), sounds + 2u);
    // The jolts are the two draws after the sound's: x, then y, by 0.0005 within +-0.05.
    seed_random(9);
    for (uint64_t i = 0; i < sounds; i++) random_int();
    float jolt_x = (random_int() % 201 - 100) * 0.0005f;
    float jolt_y = (random_int() % 201 - 100) * 0.0005f;
    EXPECT_EQ(boat_x, jolt_x);
    EXPECT_EQ(boat_y, jolt_y);
    hunt_boat();
    EXPECT_EQ(count_events(SOUND_CAUGHT), 2);
}

TEST(Chaser, CannotCatchDuringTheEndingButKeepsMoving) {
    blank_world();
    chaser_active = true;
    ending = true;
    chaser_x = 0.3f;
    chaser_ramp = 500;
    hunt_boat();
    EXPECT_FALSE(restart_pending);
    EXPECT_TRUE(logged_events.empty());
    EXPECT_LT(chaser_x, 0.3f);
    EXPECT_EQ(random_draws(), 0u);
}

TEST(Chaser, ExactlyOnTheBoatItStaysPut) {
    blank_world();
    chaser_active = true;
    ending = true;
    chaser_x = boat_x = 2.0f;
    hunt_boat();
    EXPECT_EQ(chaser_x, 2.0f);
    EXPECT_EQ(chaser_y, 0.0f);
}

static void scattered_plants() {
    plants.resize(NUM_PLANTS);
    for (int i = 0; i < NUM_PLANTS; i++)
        plants[i] = {-30.0f + i, 20.0f - i * 0.5f, 7.0f, 8.0f, i % 10};
}

TEST(Plants, InStageThreeTheyRingTheBoatAndTheBowWithoutTouchingTheirTargets) {
    blank_world();
    stage = 3;
    boat_x = 3.0f;
    boat_y = -2.0f;
    boat_heading = 1.0f;
    scattered_plants();
    for (int t = 0; t < 2000; t++) move_plants();
    float ahead_x = boat_x + 4.0f * std::cos(boat_heading);
    float ahead_y = boat_y + 4.0f * std::sin(boat_heading);
    for (int i = 0; i < NUM_PLANTS; i++) {
        const Plant &p = plants[i];
        float angle = i / 50.0f * TWO_PI_F;
        float cx = i % 2 ? ahead_x : boat_x, cy = i % 2 ? ahead_y : boat_y;
        float step = i % 2 ? 0.02f : 0.01f;
        EXPECT_NEAR(p.x, cx + 4.0f * std::cos(angle), step) << i;
        EXPECT_NEAR(p.y, cy + 4.0f * std::sin(angle), step) << i;
        EXPECT_EQ(p.target_x, 7.0f);
        EXPECT_EQ(p.target_y, 8.0f);
    }
    EXPECT_EQ(random_draws(), 0u);
}

TEST(Plants, CloseInFasterFromAfar) {
    blank_world();
    stage = 3;
    plants.assign(2, Plant{});
    plants[0] = {4.0f, 30.0f, 0, 0, 0}; // even: ring point (4, 0), 30 away
    plants[1] = {0.0f, 8.0f, 0, 0, 0};  // odd, of two: ring point 4 ahead and 4 back, 8 away
    move_plants();
    EXPECT_FLOAT_EQ(plants[0].y, 30.0f - 0.07f);
    EXPECT_NEAR(std::hypot(plants[1].x, plants[1].y - 8.0f), 0.04f, 1e-6f);
}

TEST(Plants, APlantOnItsRingPlaceStays) {
    blank_world();
    stage = 3;
    plants.assign(1, Plant{4.0f, 0.0f, 0, 0, 0});
    move_plants();
    EXPECT_EQ(plants[0].x, 4.0f);
    EXPECT_EQ(plants[0].y, 0.0f);
}

TEST(Plants, InStageFourTheyWanderToNearerGoals) {
    blank_world(4);
    stage = 4;
    plants.assign(2, Plant{});
    plants[0] = {0.0f, 0.0f, 3.0f, 4.0f, 0};
    plants[1] = {1.0f, 1.0f, 1.05f, 1.0f, 0}; // arrived: two draws
    move_plants();
    EXPECT_FLOAT_EQ(plants[0].x, 0.03f);
    EXPECT_FLOAT_EQ(plants[0].y, 0.04f);
    EXPECT_EQ(random_draws(), 2u);
    seed_random(4);
    EXPECT_EQ(plants[1].target_x, (random_int() % 11001 - 5500) * 0.005f);
    EXPECT_EQ(plants[1].target_y, (random_int() % 11001 - 5500) * 0.005f);
    EXPECT_EQ(plants[1].x, 1.0f);
}

TEST(Plants, StillInOtherStages) {
    for (int s : {1, 2, 5}) {
        blank_world();
        stage = s;
        scattered_plants();
        move_plants();
        EXPECT_EQ(plants[3].x, -27.0f);
        EXPECT_EQ(random_draws(), 0u);
    }
}

TEST(Walls, PlacedAtTheLighthouseWithGoalsTenApartRoughlyAlongY) {
    blank_world(6);
    lighthouse_x = 0.0f;
    lighthouse_y = 58.0f;
    walls.resize(NUM_WALLS);
    place_walls();
    EXPECT_EQ(random_draws(), 3u * NUM_WALLS);
    for (const Wall &w : walls) {
        EXPECT_EQ(w.a_x, 0.0f);
        EXPECT_EQ(w.a_y, 58.0f);
        EXPECT_EQ(w.b_x, 0.0f);
        EXPECT_EQ(w.b_y, 58.0f);
        EXPECT_LE(std::fabs(w.a_goal_x), 60.5f);
        float dx = w.b_goal_x - w.a_goal_x, dy = w.b_goal_y - w.a_goal_y;
        EXPECT_NEAR(std::hypot(dx, dy), 10.0f, 1e-4f);
        EXPECT_GE(dx, 0.0f);
        EXPECT_GT(dy, 10.0f * std::cos(0.63f));
    }
}

TEST(Walls, EndsTravelAtTheirOwnSpeedsAndWaitForEachOther) {
    blank_world();
    walls.assign(1, Wall{0, 0, 0, 0, 10.0f, 0.0f, 0.0f, 10.0f});
    move_walls();
    EXPECT_FLOAT_EQ(walls[0].a_x, 0.12f);
    EXPECT_FLOAT_EQ(walls[0].b_y, 0.1f);
    walls[0] = {9.5f, 0.0f, 0.0f, 5.0f, 10.0f, 0.0f, 0.0f, 10.0f};
    move_walls(); // the first end has arrived and waits
    EXPECT_EQ(walls[0].a_x, 9.5f);
    EXPECT_FLOAT_EQ(walls[0].b_y, 5.1f);
    EXPECT_EQ(random_draws(), 0u);
}

TEST(Walls, BothEndsArrivedDrawNewGoals) {
    blank_world(8);
    walls.assign(1, Wall{10.0f, 0.0f, 0.0f, 10.0f, 10.0f, 0.0f, 0.0f, 10.0f});
    move_walls(); // both exactly on their goals: no move, new goals
    EXPECT_EQ(walls[0].a_x, 10.0f);
    EXPECT_EQ(walls[0].b_y, 10.0f);
    EXPECT_EQ(random_draws(), 3u);
    Wall expected;
    seed_random(8);
    draw_wall_goals(expected);
    EXPECT_EQ(walls[0].a_goal_x, expected.a_goal_x);
    EXPECT_EQ(walls[0].b_goal_y, expected.b_goal_y);
}
