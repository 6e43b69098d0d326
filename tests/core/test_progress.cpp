// The fades that frame a game and the four lighthouse visits, through the real tick.
#include <gtest/gtest.h>

#include "audio/audio.h"
#include "audio/sound.h"
#include "base/random.h"
#include "event_log/event_log.h"
#include "reference_draws.h"
#include "sim/phases.h"

namespace {

// How many values of the shared source one sound event takes (its voices' pitches and phases).
uint64_t draws_of_event(int32_t id) {
    uint64_t before = random_draws();
    sound_event(id, 0.0f, 0.0f, 0.0f, 0.0f, 0);
    drop_voices();
    logged_events.clear();
    return random_draws() - before;
}

class Progress : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { audio_prepare(); }
    static void TearDownTestSuite() { audio_release(); }
    void SetUp() override {
        seed_random(31337);
        reset_world();
        fade = 0.0f;
        quit_requested = false;
        start_event_log();
    }
    void TearDown() override {
        stop_event_log();
        drop_voices();
        sparks.clear();
    }
    // Puts the boat within reach of the given stage's lighthouse and runs check_lighthouse alone.
    void visit(int32_t from_stage, float bx, float by, float lx, float ly) {
        stage = from_stage;
        lighthouse_x = lx;
        lighthouse_y = ly;
        boat_x = bx;
        boat_y = by;
        check_lighthouse();
    }
    void expect_lights_aimed_at(float x, float y) {
        for (const Light &l : lights) {
            EXPECT_EQ(l.target_x, x);
            EXPECT_EQ(l.target_y, y);
        }
    }
};

} // namespace

TEST_F(Progress, ANewWorldFadesInOver101TicksAndStops) {
    fade = 1.0f;
    int ticks = 0;
    while (fade > 0.0f && ticks < 1000) {
        run_tick();
        ticks++;
    }
    // A hundred steps of 0.01 in single precision leave a sliver of cover; the next takes the
    // fade just below zero, where it stops.
    EXPECT_EQ(ticks, 101);
    float settled = fade;
    EXPECT_LT(settled, 0.0f);
    EXPECT_GT(settled, -0.01f);
    for (int i = 0; i < 50; i++) run_tick();
    EXPECT_EQ(fade, settled);
}

TEST_F(Progress, ARestartFadesOutThenResetsInATickThatDoesNothingElse) {
    restart_pending = true;
    fade = 0.5f;
    run_tick();
    EXPECT_FLOAT_EQ(fade, 0.51f);
    int ticks = 0;
    while (fade < 1.0f && ticks < 1000) {
        run_tick();
        ticks++;
    }
    ASSERT_TRUE(restart_pending);
    stage = 3; // whatever the stage, the reset starts the journey again
    row_input = 80.0f;
    steer_input = 50.0f;
    boat_x = 20.0f;
    logged_events.clear();
    uint64_t before = random_draws();

    run_tick();

    EXPECT_EQ(random_draws() - before, RESET_DRAWS); // the reset's draws and nothing else
    ASSERT_EQ(logged_events.size(), 1u);
    EXPECT_EQ(logged_events[0].id, SOUND_RESTARTED);
    EXPECT_EQ(logged_events[0].x, 0.0f);
    EXPECT_FALSE(restart_pending);
    EXPECT_EQ(fade, 1.0f);
    EXPECT_EQ(stage, 1);
    EXPECT_EQ(boat_x, 0.0f);
    EXPECT_EQ(oar_sweep, 0.0f); // no input was used
}

TEST_F(Progress, TheEndingFadesToWhiteThenAsksToQuit) {
    ending = true;
    int ticks = 0;
    while (fade < 1.0f && ticks < 1000) {
        run_tick();
        ticks++;
        ASSERT_FALSE(quit_requested);
    }
    EXPECT_EQ(ticks, 201); // two hundred steps of 0.005 fall just short of 1
    logged_events.clear();
    uint64_t before = random_draws();
    run_tick();
    EXPECT_TRUE(quit_requested);
    EXPECT_TRUE(logged_events.empty()); // the tick ends before the oars' splash
    EXPECT_EQ(random_draws(), before);
}

TEST_F(Progress, TheArrivalTestIsStrictAtTenUnits) {
    uint64_t before = random_draws();
    visit(1, 48.0f, 0.0f, 58.0f, 0.0f);
    EXPECT_EQ(stage, 1);
    EXPECT_TRUE(logged_events.empty());
    EXPECT_EQ(random_draws(), before);
    visit(1, 48.01f, 0.0f, 58.0f, 0.0f);
    EXPECT_EQ(stage, 2);
}

TEST_F(Progress, FirstVisitReleasesFortyEightBabiesAtTheOldLighthouse) {
    uint32_t seed = 777;
    uint64_t chord = draws_of_event(SOUND_FIRST_ARRIVAL);
    seed_random(seed);
    logged_events.clear();
    visit(1, 52.0f, 3.0f, 58.0f, 0.0f);

    EXPECT_EQ(stage, 2);
    ASSERT_EQ(logged_events.size(), 1u);
    EXPECT_EQ(logged_events[0].id, SOUND_FIRST_ARRIVAL);
    EXPECT_EQ(logged_events[0].x, 58.0f);
    EXPECT_EQ(logged_events[0].y, 0.0f);
    EXPECT_EQ(lighthouse_x, -58.0f);
    EXPECT_EQ(lighthouse_y, 0.0f);
    expect_lights_aimed_at(-58.0f, 0.0f);
    EXPECT_EQ(random_draws(), chord + 48 * 3 + 14 * 4);

    ReferenceDraws ref(seed);
    ref.skip(static_cast<int>(chord)); // the chord sounds before the babies spill out
    ASSERT_EQ(babies.size(), 48u);
    for (const Baby &b : babies) {
        EXPECT_EQ(b.z, (ref.next() % 500) * 0.01f);
        EXPECT_EQ(b.x, 58.0f);
        EXPECT_EQ(b.y, 0.0f);
        EXPECT_EQ(b.vx, (ref.next() % 101 - 50) * 0.001f);
        EXPECT_EQ(b.vy, (ref.next() % 101 - 50) * 0.001f);
        EXPECT_EQ(b.vz, 0.0f);
        EXPECT_EQ(b.swell, 0);
    }
    for (const Light &l : lights) { // re-aimed last, in index order
        EXPECT_EQ(l.x, ref.coordinate());
        EXPECT_EQ(l.y, ref.coordinate());
        EXPECT_EQ(l.z, ref.height());
        EXPECT_EQ(l.target_z, ref.height());
    }
}

TEST_F(Progress, SecondVisitWakesTheChaserWhereTheLighthouseStood) {
    chaser_ramp = 700;
    uint64_t chord = draws_of_event(SOUND_SECOND_ARRIVAL);
    uint64_t before = random_draws();
    visit(2, -50.0f, 1.0f, -58.0f, 0.0f);
    EXPECT_EQ(stage, 3);
    ASSERT_EQ(logged_events.size(), 1u);
    EXPECT_EQ(logged_events[0].id, SOUND_SECOND_ARRIVAL);
    EXPECT_EQ(logged_events[0].x, -58.0f);
    EXPECT_TRUE(chaser_active);
    EXPECT_EQ(chaser_x, -58.0f);
    EXPECT_EQ(chaser_y, 0.0f);
    EXPECT_EQ(chaser_ramp, 0);
    EXPECT_EQ(lighthouse_x, 0.0f);
    EXPECT_EQ(lighthouse_y, 58.0f);
    expect_lights_aimed_at(0.0f, 58.0f);
    EXPECT_EQ(random_draws() - before, chord + 14 * 4);
    EXPECT_TRUE(babies.empty()); // the first visit's news is not repeated
}

TEST_F(Progress, ThirdVisitRaisesWallsAndGivesEveryPlantATarget) {
    uint32_t seed = 4242;
    uint64_t chord = draws_of_event(SOUND_THIRD_ARRIVAL);
    seed_random(seed);
    visit(3, 2.0f, 51.0f, 0.0f, 58.0f);
    EXPECT_EQ(stage, 4);
    ASSERT_EQ(logged_events.size(), 1u);
    EXPECT_EQ(logged_events[0].id, SOUND_THIRD_ARRIVAL);
    EXPECT_EQ(logged_events[0].y, 58.0f);
    EXPECT_EQ(lighthouse_x, 0.0f);
    EXPECT_EQ(lighthouse_y, -58.0f);
    expect_lights_aimed_at(0.0f, -58.0f);
    EXPECT_EQ(random_draws(), chord + 28 * 3 + 50 * 2 + 14 * 4);

    ReferenceDraws ref(seed);
    ref.skip(static_cast<int>(chord));
    ASSERT_EQ(walls.size(), 28u);
    for (const Wall &w : walls) {
        EXPECT_EQ(w.a_x, 0.0f);
        EXPECT_EQ(w.a_y, 58.0f);
        EXPECT_EQ(w.b_x, 0.0f);
        EXPECT_EQ(w.b_y, 58.0f);
        float ax = (ref.next() % 12101 - 6050) * 0.01f;
        float ay = (ref.next() % 12101 - 6050) * 0.01f;
        EXPECT_EQ(w.a_goal_x, ax);
        EXPECT_EQ(w.a_goal_y, ay);
        float angle = (ref.next() % 1000) * 0.0001f * TWO_PI_F;
        EXPECT_NEAR(w.b_goal_x - ax, 10.0f * std::sin(angle), 1e-5);
        EXPECT_NEAR(w.b_goal_y - ay, 10.0f * std::cos(angle), 1e-5);
        // within about 36 degrees of +y, turned towards +x
        EXPECT_GE(w.b_goal_x - ax, -1e-5f);
        EXPECT_GT(w.b_goal_y - ay, 8.0f);
    }
    for (const Plant &p : plants) {
        EXPECT_EQ(p.target_x, ref.coordinate());
        EXPECT_EQ(p.target_y, ref.coordinate());
    }
}

TEST_F(Progress, FourthVisitStartsTheEndingOnceAndTheStageGoesOnGrowing) {
    uint64_t phrase = draws_of_event(SOUND_JOURNEY_END);
    uint64_t before = random_draws();
    visit(4, 1.0f, -50.0f, 0.0f, -58.0f);
    EXPECT_EQ(stage, 5);
    EXPECT_TRUE(ending);
    ASSERT_EQ(logged_events.size(), 1u);
    EXPECT_EQ(logged_events[0].id, SOUND_JOURNEY_END);
    EXPECT_EQ(logged_events[0].y, 0.0f);
    EXPECT_EQ(lighthouse_x, 0.0f);
    EXPECT_EQ(lighthouse_y, -58.0f);
    EXPECT_EQ(random_draws() - before, phrase + 14 * 4);

    // Staying there: no second ending, but the lights are re-aimed every tick.
    before = random_draws();
    float old_x = lights[0].x;
    check_lighthouse();
    check_lighthouse();
    EXPECT_EQ(stage, 7);
    EXPECT_EQ(logged_events.size(), 1u);
    EXPECT_EQ(random_draws() - before, 2u * 14 * 4);
    EXPECT_NE(lights[0].x, old_x);
}

TEST_F(Progress, FourthVisitDuringARestartFadeDoesNotEndTheJourney) {
    restart_pending = true;
    fade = 0.4f;
    visit(4, 0.0f, -52.0f, 0.0f, -58.0f);
    EXPECT_EQ(stage, 5);
    EXPECT_FALSE(ending);
    EXPECT_TRUE(logged_events.empty());
}

TEST_F(Progress, ReAimingLeavesTheLightsEmitFlagsAlone) {
    for (int k = 0; k < 14; k++) lights[k].emit = (k % 3) == 0;
    visit(2, -55.0f, 0.0f, -58.0f, 0.0f);
    for (int k = 0; k < 14; k++) EXPECT_EQ(lights[k].emit, (k % 3) == 0) << "light " << k;
}
TEST_F(Progress, ArrivalUsesTheBoatAfterItMovedThisTick) {
    // Gliding across the line x = 48 in this very tick counts.
    boat_x = 47.95f;
    boat_y = 0.0f;
    row_vx = 0.1f;
    row_vy = 0.0f;
    lighthouse_x = 58.0f;
    lighthouse_y = 0.0f;
    run_tick();
    EXPECT_GT(boat_x, 48.0f);
    EXPECT_EQ(stage, 2);
}
