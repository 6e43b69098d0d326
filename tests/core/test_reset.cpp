// The world reset: its draws in order, what it sets, what it keeps, and its determinism.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "audio/listener.h"
#include "base/random.h"
#include "reference_draws.h"
#include "sim/state.h"

namespace {

struct WorldCopy {
    std::vector<float> sea;
    std::vector<Plant> plants_;
    std::vector<Light> lights_;
};

WorldCopy copy_world() {
    WorldCopy w;
    w.sea.assign(sea_height, sea_height + SEA_SIZE * SEA_SIZE);
    w.plants_ = plants;
    w.lights_ = lights;
    return w;
}

bool same_bytes(const void *a, const void *b, size_t n) {
    return std::memcmp(a, b, n) == 0;
}

} // namespace

TEST(Reset, DrawsSeaThenPlantsThenLightsInThatOrder) {
    seed_random(99);
    reset_world();
    EXPECT_EQ(random_draws(), RESET_DRAWS);

    ReferenceDraws ref(99);
    for (int i = 0; i < SEA_SIZE * SEA_SIZE; i++) {
        ASSERT_EQ(sea_height[i], (ref.next() % 101 - 50) * 0.003f) << "cell " << i;
        ASSERT_EQ(sea_velocity[i], 0.0f);
    }
    ASSERT_EQ(plants.size(), 50u);
    for (const Plant &p : plants) {
        EXPECT_EQ(p.kind, ref.next() % 10);
        EXPECT_EQ(p.x, ref.coordinate());
        EXPECT_EQ(p.y, ref.coordinate());
    }
    ASSERT_EQ(lights.size(), 14u);
    for (int k = 0; k < 14; k++) {
        const Light &l = lights[k];
        EXPECT_EQ(l.x, ref.coordinate());
        EXPECT_EQ(l.y, ref.coordinate());
        EXPECT_EQ(l.z, ref.height());
        EXPECT_EQ(l.target_z, ref.height());
        EXPECT_EQ(l.target_x, 58.0f);
        EXPECT_EQ(l.target_y, 0.0f);
        EXPECT_EQ(l.emit, k > 6) << "light " << k;
    }
}

// Whether V is K whole steps of STEP from BASE, for some K in LO..HI, as the reset computes it.
static bool on_steps(float v, float base, float step, int lo, int hi) {
    long k = std::lround((v - base) / step);
    return k >= lo && k <= hi && v == static_cast<float>(k) * step + base;
}

TEST(Reset, ValuesStayInTheirRangesAndSteps) {
    seed_random(5);
    reset_world();
    for (float h : sea_height) ASSERT_TRUE(on_steps(h, 0.0f, 0.003f, -50, 50)) << h;
    for (const Plant &p : plants) {
        EXPECT_GE(p.kind, 0);
        EXPECT_LE(p.kind, 9);
        EXPECT_TRUE(on_steps(p.x, 0.0f, 0.01f, -5500, 5500)) << p.x;
        EXPECT_TRUE(on_steps(p.y, 0.0f, 0.01f, -5500, 5500)) << p.y;
    }
    for (const Light &l : lights) {
        EXPECT_TRUE(on_steps(l.z, 1.0f, 0.01f, 0, 99)) << l.z;
        EXPECT_TRUE(on_steps(l.target_z, 1.0f, 0.01f, 0, 99)) << l.target_z;
    }
}

TEST(Reset, SetsTheNewGameAndKeepsWhatGlidesOn) {
    seed_random(1);
    reset_world();
    // A game in progress, then a restart's reset.
    fade = 0.3f;
    restart_pending = true;
    ending = true;
    chaser_active = true;
    stage = 4;
    boat_x = 12.0f;
    boat_y = -7.0f;
    boat_heading = 2.0f;
    oar_sweep = 9.0f;
    steer = 1.5f;
    steer_input = 3.0f;
    row_input = 40.0f;
    boat_bob = 0.1f;
    drift_vx = 0.2f;
    drift_vy = -0.2f;
    row_vx = 0.25f;
    row_vy = -0.1f;
    turn_rate = 0.03f;
    steer_deflection = 0.7f;
    chaser_x = 3.0f;
    chaser_y = 4.0f;
    chaser_ramp = 500;
    listener_pos.store(12.0f, -7.0f, 0.0f);
    quit_requested = false;
    lighthouse_x = 0.0f;
    lighthouse_y = -58.0f;
    plants[7].target_x = 21.0f;
    plants[7].target_y = -22.0f;
    babies.resize(48);
    walls.resize(28);
    sparks.push_back(Spark{0, 1, 2, 3, 0, 0, 0, false, 0.3f, 0.0f});
    const Plant *plant_storage = plants.data();
    const Light *light_storage = lights.data();

    reset_world();

    EXPECT_EQ(fade, 1.0f);
    EXPECT_FALSE(restart_pending);
    EXPECT_FALSE(ending);
    EXPECT_FALSE(chaser_active);
    EXPECT_EQ(stage, 1);
    EXPECT_EQ(boat_x, 0.0f);
    EXPECT_EQ(boat_y, 0.0f);
    EXPECT_EQ(boat_heading, 0.0f);
    EXPECT_EQ(oar_sweep, 0.0f);
    EXPECT_EQ(steer, 0.0f);
    EXPECT_EQ(steer_input, 0.0f);
    EXPECT_EQ(row_input, 0.0f);
    EXPECT_EQ(boat_bob, 0.0f);
    EXPECT_EQ(drift_vx, 0.0f);
    EXPECT_EQ(drift_vy, 0.0f);
    EXPECT_EQ(lighthouse_x, 58.0f);
    EXPECT_EQ(lighthouse_y, 0.0f);
    EXPECT_TRUE(babies.empty());
    EXPECT_TRUE(walls.empty());

    // Kept: the boat may glide and turn on for a moment; the chaser sleeps where it was.
    EXPECT_EQ(row_vx, 0.25f);
    EXPECT_EQ(row_vy, -0.1f);
    EXPECT_EQ(turn_rate, 0.03f);
    EXPECT_EQ(steer_deflection, 0.7f);
    EXPECT_EQ(chaser_x, 3.0f);
    EXPECT_EQ(chaser_y, 4.0f);
    EXPECT_EQ(chaser_ramp, 500);
    EXPECT_EQ(listener_pos.load().x, 12.0f);
    EXPECT_EQ(plants[7].target_x, 21.0f);
    EXPECT_EQ(plants[7].target_y, -22.0f);
    EXPECT_EQ(sparks.size(), 1u);
    // Plants and lights are rewritten in place, not reallocated.
    EXPECT_EQ(plants.data(), plant_storage);
    EXPECT_EQ(lights.data(), light_storage);
    sparks.clear();
}

TEST(Reset, TheSameEngineStateGivesTheSameWorld) {
    seed_random(2024);
    reset_world();
    WorldCopy a = copy_world();
    reset_world(); // a second world from where the first left the engine
    WorldCopy b = copy_world();
    seed_random(2024);
    reset_world();
    WorldCopy c = copy_world();

    EXPECT_TRUE(same_bytes(a.sea.data(), c.sea.data(), a.sea.size() * sizeof(float)));
    EXPECT_TRUE(same_bytes(a.plants_.data(), c.plants_.data(), sizeof(Plant) * 50));
    for (int k = 0; k < 14; k++) {
        EXPECT_EQ(a.lights_[k].x, c.lights_[k].x);
        EXPECT_EQ(a.lights_[k].target_z, c.lights_[k].target_z);
    }
    EXPECT_FALSE(same_bytes(a.sea.data(), b.sea.data(), a.sea.size() * sizeof(float)));
}

// The renderer remakes its noise texture when this count moves: once per reset, never more.
TEST(Reset, CountsItselfOncePerReset) {
    seed_random(3);
    uint32_t before = world_resets;
    reset_world();
    EXPECT_EQ(world_resets, before + 1);
    reset_world();
    EXPECT_EQ(world_resets, before + 2);
}
