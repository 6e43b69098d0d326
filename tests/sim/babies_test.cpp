// The babies: release, falling and floating, swimming, touching, swelling and bursting.
#include <cmath>
#include <gtest/gtest.h>

#include "audio/sound.h"
#include "base/random.h"
#include "world.h"

// n babies hanging still high in the air far from the boat, with every light right on
// them, so that the light followers feel no pull.
static void quiet_babies(int n) {
    babies.assign(n, Baby{30.0f, 30.0f, 50.0f, 0.0f, 0.0f, 0.0f, 0});
    lights.assign(NUM_LIGHTS, Light{30.0f, 30.0f, 1.0f, 0, 0, 0, false});
}

TEST(Release, ThreeDrawsPerBabyAtTheLighthouse) {
    blank_world(3);
    lighthouse_x = 58.0f;
    babies.resize(NUM_BABIES);
    release_babies();
    EXPECT_EQ(random_draws(), 3u * NUM_BABIES);
    seed_random(3);
    for (const Baby &b : babies) {
        EXPECT_EQ(b.z, (random_int() % 500) * 0.01f);
        EXPECT_EQ(b.vx, (random_int() % 101 - 50) * 0.001f);
        EXPECT_EQ(b.vy, (random_int() % 101 - 50) * 0.001f);
        EXPECT_EQ(b.x, 58.0f);
        EXPECT_EQ(b.y, 0.0f);
        EXPECT_EQ(b.vz, 0.0f);
        EXPECT_EQ(b.swell, 0);
    }
}

TEST(Float, AboveTheSeaOnlyGravityActsBelowItTheWaterPushesUp) {
    blank_world();
    quiet_babies(3); // index 2 drifts: no pull, no draw
    babies[2].z = 1.0f;
    update_babies();
    EXPECT_FLOAT_EQ(babies[2].vz, -0.007f * 0.95f);
    babies[2] = {10.4f, -3.7f, -1.0f, 0.0f, 0.0f, 0.0f, 0};
    // Babies read cell (trunc x, trunc y) wrapped, without the boat's +55.
    sea_height[10 * SEA_SIZE + 107] = 0.5f;
    update_babies();
    EXPECT_FLOAT_EQ(babies[2].vz, (-0.007f + 1.5f * 0.02f) * 0.95f);
}

TEST(Swim, DriftersKeepTheirHorizontalSpeedWanderersDrawOnce) {
    blank_world();
    quiet_babies(4);
    babies[2].vx = 0.03f;
    babies[3].vx = 0.03f;
    uint64_t before = random_draws();
    update_babies();
    EXPECT_EQ(random_draws() - before, 1u);
    EXPECT_EQ(babies[2].vx, 0.03f);
    EXPECT_FLOAT_EQ(babies[2].x, 30.03f);
    float speed = std::hypot(babies[3].vx - 0.03f * 0.99f, babies[3].vy);
    EXPECT_NEAR(speed, 3 * 0.00025f + 0.01f, 1e-6f);
}

TEST(Swim, FollowersArePulledTowardsTheirLightOrTheBoat) {
    blank_world();
    quiet_babies(6);
    lights.assign(NUM_LIGHTS, Light{30.0f, 40.0f, 1.0f, 0, 0, 0, false});
    lights[4] = {30.0f, 20.0f, 1.0f, 0, 0, 0, false}; // baby 4 follows light 4
    babies[0].vy = 0.1f;
    update_babies();
    EXPECT_EQ(babies[0].vx, 0.0f);
    EXPECT_FLOAT_EQ(babies[0].vy, 0.1f * 0.999f + 0.00005f);
    EXPECT_FLOAT_EQ(babies[4].vy, -(4 * 0.000005f + 0.00005f));
    // Baby 1 follows the boat at (0, 0), towards -x -y.
    float pull = 0.000003f + 0.00008f;
    EXPECT_FLOAT_EQ(babies[1].vx, -pull * std::sqrt(0.5f));
    EXPECT_FLOAT_EQ(babies[1].vy, -pull * std::sqrt(0.5f));
    EXPECT_FLOAT_EQ(babies[5].vx, -(5 * 0.000003f + 0.00008f) * std::sqrt(0.5f));
}

TEST(Swim, ABabyOnTheBoatItFollowsFeelsNoPullButStillSlows) {
    blank_world();
    quiet_babies(2);
    boat_x = 30.0f;
    boat_y = 30.0f;
    babies[1] = {30.0f, 30.0f, 50.0f, 0.0f, 0.0f, 0.007f, 0};
    update_babies();
    EXPECT_EQ(babies[1].vx, 0.0f);
    EXPECT_EQ(babies[1].vy, 0.0f);
    EXPECT_EQ(babies[1].vz, 0.0f);
    blank_world();
    quiet_babies(1); // on its light
    babies[0].vz = 0.007f;
    update_babies();
    EXPECT_EQ(babies[0].vx, 0.0f);
    EXPECT_TRUE(std::isfinite(babies[0].x));
}

TEST(Swim, TheSquareHoldsFreeBabiesInside) {
    blank_world();
    quiet_babies(3);
    babies[2] = {65.99f, -65.99f, 50.0f, 0.1f, -0.1f, 0.0f, 0};
    update_babies();
    EXPECT_EQ(babies[2].x, 66.0f);
    EXPECT_EQ(babies[2].y, -66.0f);
    EXPECT_EQ(babies[2].vx, -0.1f);
    EXPECT_EQ(babies[2].vy, 0.1f);
}

TEST(Touch, OnlyBabiesNearTheBoatAtSeaLevelAreTouched) {
    blank_world();
    quiet_babies(3);
    babies[0] = {0.5f, 0.0f, 1.0f, 0.0f, 0.0f, 0.007f, 0}; // high: 0.25 + 1 >= 1
    babies[1].z = 0.5f;                                    // at sea level, far from the boat
    babies[2] = {0.5f, 0.0f, 0.5f, 0.0f, 0.0f, 0.007f, 0};
    lights.assign(1, Light{0.5f, 0.0f, 1.0f, 0, 0, 0, false});
    update_babies();
    EXPECT_EQ(babies[0].swell, 0);
    EXPECT_EQ(babies[1].swell, 0);
    EXPECT_EQ(babies[2].swell, 1);
    ASSERT_EQ(logged_events.size(), 1u);
    EXPECT_EQ(logged_events[0].id, SOUND_BABY_TOUCHED);
    EXPECT_EQ(logged_events[0].x, 0.5f);
}

TEST(Burst, ATouchInTickTBurstsInTickTPlus29) {
    blank_world();
    quiet_babies(3);
    babies[2] = {0.5f, 0.0f, 0.0f, 0.0f, 0.0f, 0.007f, 0};
    update_babies(); // tick T
    ASSERT_EQ(babies[2].swell, 1);
    for (int t = 1; t < 29; t++) {
        update_babies();
        ASSERT_EQ(count_events(SOUND_BABY_BURST), 0) << t;
        EXPECT_EQ(babies[2].x, 0.5f); // a swollen baby holds still
    }
    logged_events.clear();
    uint64_t sounds = event_draws(SOUND_BABY_BURST);
    uint64_t before = random_draws();
    update_babies(); // tick T + 29
    ASSERT_EQ(count_events(SOUND_BABY_BURST), 1);
    EXPECT_EQ(logged_events[0].x, 0.5f); // sounded where it burst, before it moved
    EXPECT_EQ(random_draws() - before, 2u + sounds + 2u);
    EXPECT_EQ(babies[2].swell, 0);
    EXPECT_NEAR(std::hypot(drift_vx, drift_vy), 0.5f, 1e-6f);
    EXPECT_NEAR(std::fabs(turn_rate), 0.06f, 1e-7f);
    EXPECT_LE(std::fabs(babies[2].x), 38.5f);
    EXPECT_NE(babies[2].x, 0.5f);
}

TEST(Burst, OneBurstScattersEverySwollenBabyTheHigherOnesRunFreeAtOnce) {
    blank_world();
    quiet_babies(8);
    babies[2] = {0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 29}; // bursts this tick
    babies[3] = {1.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 10}; // scattered before its turn
    babies[6] = {2.0f, 2.0f, 0.0f, 0.0f, 0.0f, 0.0f, 5};
    babies[0] = {3.0f, 3.0f, 0.0f, 0.0f, 0.0f, 0.0f, 12}; // swollen but earlier in order
    update_babies();
    EXPECT_EQ(count_events(SOUND_BABY_BURST), 1);
    for (int i : {0, 2, 3, 6}) EXPECT_EQ(babies[i].swell, 0) << i;
    // Baby 0 counted up before the burst and was scattered without moving further.
    EXPECT_EQ(babies[0].vz, 0.0f);
    EXPECT_EQ(babies[2].vz, 0.0f);
    // 3 and 6 ran free after being scattered: gravity pulled them.
    EXPECT_FLOAT_EQ(babies[6].vz, -0.007f * 0.95f);
    EXPECT_LT(babies[3].z, 0.0f);
}

TEST(Burst, ASecondTouchedBabyIsScatteredSilentlyWithTheFirst) {
    blank_world();
    quiet_babies(3);
    babies[2] = {0.5f, 0.0f, 0.0f, 0.0f, 0.0f, 0.007f, 0};
    update_babies();
    for (int t = 1; t <= 10; t++) update_babies();
    babies[0] = {-0.5f, 0.0f, 0.0f, 0.0f, 0.0f, 0.007f, 0};
    lights.assign(1, Light{-0.5f, 0.0f, 1.0f, 0, 0, 0, false});
    update_babies(); // tick T + 11: baby 0 touched
    ASSERT_EQ(babies[0].swell, 1);
    for (int t = 12; t <= 29; t++) update_babies();
    EXPECT_EQ(count_events(SOUND_BABY_BURST), 1);
    EXPECT_EQ(count_events(SOUND_BABY_TOUCHED), 2);
    EXPECT_EQ(babies[0].swell, 0);
    EXPECT_NE(babies[0].x, -0.5f);
    EXPECT_EQ(babies[2].swell, 0);
}
