// The lights' flight, arrival and re-placement, and the sparks they shed.
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

#include "audio/sound.h"
#include "base/random.h"
#include "sim/sparks.h"
#include "world.h"

static void one_light(Light l) {
    lights.assign(1, l);
}

TEST(Lights, FlyATenthTowardsTheirTarget) {
    blank_world();
    one_light({0.0f, 0.0f, 1.0f, 3.0f, 4.0f, 1.0f, false});
    fly_lights();
    EXPECT_FLOAT_EQ(lights[0].x, 0.06f);
    EXPECT_FLOAT_EQ(lights[0].y, 0.08f);
    EXPECT_EQ(lights[0].z, 1.0f);
    EXPECT_TRUE(lights[0].emit);
    EXPECT_TRUE(sparks.empty());
    EXPECT_TRUE(logged_events.empty());
}

TEST(Lights, ArrivalIsStrict) {
    blank_world();
    // 0.06^2 + 0.08^2 is exactly 0.01 in single precision: not yet arrived.
    one_light({0.0f, 0.0f, 0.0f, 0.06f, 0.08f, 0.0f, false});
    uint64_t before = random_draws();
    fly_lights();
    EXPECT_EQ(random_draws(), before);
    EXPECT_TRUE(logged_events.empty());
    EXPECT_FLOAT_EQ(lights[0].x, 0.06f);
    EXPECT_FLOAT_EQ(lights[0].y, 0.08f);
}

TEST(Lights, AnArrivalSoundsThenPlacesTheLightAnewAndItsSparkIsBornThere) {
    blank_world(77);
    lighthouse_x = -58.0f;
    lights.resize(10);
    for (Light &l : lights) l = {20.0f, 20.0f, 1.0f, -58.0f, 0.0f, 1.0f, false};
    lights[9] = {1.0f, 2.0f, 1.5f, 1.0f, 2.05f, 1.5f, true};
    Light expected;
    Spark spark = {};
    {
        // The same draws in the order the tick must make them: the event's, the light's
        // four, then the spark's three.
        seed_random(77);
        event_draws(SOUND_LIGHT_ARRIVED);
        aim_light(expected);
        spark = {0, expected.x, expected.y, expected.z, 0, 0, 0, false, 0.3f, 0.0f};
        spark_kinds[0].init(spark);
        seed_random(77);
    }
    fly_lights();
    ASSERT_EQ(logged_events.size(), 1u);
    EXPECT_EQ(logged_events[0].id, SOUND_LIGHT_ARRIVED);
    EXPECT_EQ(logged_events[0].x, 1.0f);
    EXPECT_EQ(logged_events[0].y, 2.0f);
    EXPECT_EQ(logged_events[0].z, 1.5f);
    EXPECT_EQ(logged_events[0].note, 2); // light 9: 9 % 7
    EXPECT_EQ(lights[9].x, expected.x);
    EXPECT_EQ(lights[9].y, expected.y);
    EXPECT_EQ(lights[9].z, expected.z);
    EXPECT_EQ(lights[9].target_x, -58.0f);
    EXPECT_EQ(lights[9].target_z, expected.target_z);
    EXPECT_FALSE(lights[9].emit);
    ASSERT_EQ(sparks.size(), 1u);
    EXPECT_EQ(sparks.back().x, spark.x);
    EXPECT_EQ(sparks.back().y, spark.y);
    EXPECT_EQ(sparks.back().vz, spark.vz);
}

TEST(Lights, NotesCycleWithTheIndex) {
    blank_world();
    lights.resize(NUM_LIGHTS);
    for (Light &l : lights) l = {5.0f, 5.0f, 1.0f, 5.0f, 5.0f, 1.0f, false};
    fly_lights();
    ASSERT_EQ(logged_events.size(), static_cast<size_t>(NUM_LIGHTS));
    for (int k = 0; k < NUM_LIGHTS; k++) EXPECT_EQ(logged_events[k].note, k % 7) << k;
}

TEST(Lights, HalfTheLightsShedASparkEachTick) {
    blank_world();
    lights.resize(NUM_LIGHTS);
    for (int k = 0; k < NUM_LIGHTS; k++) lights[k] = {0.0f, 0.0f, 1.0f, 50.0f, 0.0f, 1.0f, k > 6};
    uint64_t before = random_draws();
    fly_lights();
    EXPECT_EQ(sparks.size(), 7u);
    EXPECT_EQ(random_draws() - before, 21u);
    fly_lights();
    EXPECT_EQ(sparks.size(), 14u);
    for (int k = 0; k < NUM_LIGHTS; k++) EXPECT_EQ(lights[k].emit, k > 6);
}

// The first seed whose first three draws are all 10 modulo 21.
static uint32_t seed_for_still_spark() {
    for (uint32_t s = 1;; s++) {
        seed_random(s);
        if (random_int() % 21 == 10 && random_int() % 21 == 10 && random_int() % 21 == 10) return s;
    }
}

TEST(Sparks, BornWithSpeedATenthOfATenthTwentyFiveStepsBack) {
    blank_world(5);
    shed_spark(0, 1.0f, 2.0f, 3.0f);
    ASSERT_EQ(sparks.size(), 1u);
    const Spark &s = sparks.front();
    EXPECT_NEAR(std::sqrt(s.vx * s.vx + s.vy * s.vy + s.vz * s.vz), 0.01f, 1e-7f);
    EXPECT_NEAR(s.x + 25.0f * s.vx, 1.0f, 1e-5f);
    EXPECT_NEAR(s.z + 25.0f * s.vz, 3.0f, 1e-5f);
    EXPECT_EQ(s.size, 0.3f);
    EXPECT_EQ(s.glow, 0.0f);
    EXPECT_FALSE(s.dead);
    // The third draw is the x component, the first the z component.
    seed_random(5);
    int a = random_int() % 21 - 10, b = random_int() % 21 - 10, c = random_int() % 21 - 10;
    EXPECT_NEAR(s.vx / s.vz, static_cast<float>(c) / a, 1e-4f);
    EXPECT_NEAR(s.vy / s.vz, static_cast<float>(b) / a, 1e-4f);
}

TEST(Sparks, ThreeZeroDrawsLeaveASparkStillWhereItWasBorn) {
    blank_world();
    seed_random(seed_for_still_spark());
    shed_spark(0, 1.0f, 2.0f, 3.0f);
    const Spark &s = sparks.front();
    EXPECT_EQ(s.vx, 0.0f);
    EXPECT_EQ(s.vy, 0.0f);
    EXPECT_EQ(s.vz, 0.0f);
    EXPECT_EQ(s.x, 1.0f);
    EXPECT_EQ(s.y, 2.0f);
    EXPECT_EQ(s.z, 3.0f);
    EXPECT_EQ(random_draws(), 3u);
}

TEST(Sparks, LiveThroughTwentyNineUpdatesAndDieAtTheThirtieth) {
    blank_world();
    sparks.push_back({0, 0.0f, 0.0f, 0.0f, 0.01f, 0.0f, 0.0f, false, 0.3f, 0.0f});
    for (int n = 1; n <= 29; n++) {
        update_sparks();
        ASSERT_EQ(sparks.size(), 1u) << "update " << n;
        EXPECT_NEAR(sparks.front().size, 0.3f - 0.01f * n, 1e-6f);
        EXPECT_NEAR(sparks.front().glow, 0.006f * n, 1e-6f);
        EXPECT_NEAR(sparks.front().x, 0.01f * n, 1e-6f);
    }
    update_sparks();
    EXPECT_TRUE(sparks.empty());
}

TEST(Sparks, DeadSparksAreRemovedWithoutAgeingOrMoving) {
    blank_world();
    sparks.push_back({0, 0.0f, 0.0f, 0.0f, 0.01f, 0.0f, 0.0f, false, 0.3f, 0.0f});
    sparks.push_back({0, 0.0f, 0.0f, 0.0f, 0.01f, 0.0f, 0.0f, true, 0.3f, 0.0f});
    sparks.push_back({0, 5.0f, 0.0f, 0.0f, 0.01f, 0.0f, 0.0f, false, 0.3f, 0.0f});
    update_sparks();
    ASSERT_EQ(sparks.size(), 2u);
    EXPECT_FLOAT_EQ(sparks.back().x, 5.01f);
}

TEST(Sparks, SevenBornAndSevenDieEveryTickOnceTheStreamsRun) {
    blank_world();
    lights.resize(NUM_LIGHTS);
    for (int k = 0; k < NUM_LIGHTS; k++) lights[k] = {-50.0f, 0.0f, 1.0f, 50.0f, 0.0f, 1.0f, k > 6};
    for (int t = 1; t <= 100; t++) {
        fly_lights();
        update_sparks();
        // Each spark lives through 29 updates: the stream is full from the 29th tick on.
        ASSERT_EQ(sparks.size(), 7u * std::min(t, 29)) << "tick " << t;
    }
}
