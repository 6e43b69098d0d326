// The melody's walk: its steps, its bounces at both ends and the voices it plays.
#include <set>

#include "audio/audio.h"
#include "audio/mixer.h"
#include "audio_fixture.h"
#include "base/random.h"

struct StepResult {
    int32_t note;
    bool rising;
    int32_t u;    // the step's coin: the second draw, after the note's start phase
    Voice *voice; // the note it appended
};

// One step from a given state with a given seed; the coin is read back from the same seed.
static StepResult step_from(int32_t note, bool rising, uint32_t seed) {
    seed_random(seed);
    random_int();
    int32_t u = random_int() & 1;
    drop_voices();
    melody_note = note;
    melody_rising = rising;
    seed_random(seed);
    melody_step();
    return StepResult{melody_note, melody_rising, u, voices_tail};
}

class MelodyTest : public MixerTest {};

TEST_F(MelodyTest, RisingFromSixTurnsOnlyPastTheTop) {
    std::set<int32_t> turned;
    for (uint32_t seed = 1; seed <= 300; seed++) {
        StepResult r = step_from(6, true, seed);
        if (r.u == 0) {
            EXPECT_EQ(r.note, 7);
            EXPECT_TRUE(r.rising);
        } else {
            EXPECT_FALSE(r.rising);
            turned.insert(r.note);
        }
    }
    EXPECT_EQ(turned, (std::set<int32_t>{5, 7})); // never 6, and never a further step down
}

TEST_F(MelodyTest, RisingFromTheOctaveLandsOnFiveOrSix) {
    std::set<int32_t> landed;
    for (uint32_t seed = 1; seed <= 300; seed++) {
        StepResult r = step_from(7, true, seed);
        EXPECT_FALSE(r.rising);
        landed.insert(r.note);
        // The octave note reads degree 0's table at double speed.
        EXPECT_EQ(r.voice->table_index, 0);
        EXPECT_EQ(r.voice->table_step, 2);
    }
    EXPECT_EQ(landed, (std::set<int32_t>{5, 6}));
}

TEST_F(MelodyTest, FallingFromOneAndZero) {
    std::set<int32_t> from_one, from_zero;
    for (uint32_t seed = 1; seed <= 300; seed++) {
        StepResult r = step_from(1, false, seed);
        if (r.u == 0) {
            EXPECT_EQ(r.note, 0);
            EXPECT_FALSE(r.rising);
        } else {
            EXPECT_TRUE(r.rising);
            from_one.insert(r.note);
        }
        StepResult z = step_from(0, false, seed);
        EXPECT_TRUE(z.rising);
        from_zero.insert(z.note);
    }
    EXPECT_EQ(from_one, (std::set<int32_t>{0, 2}));
    EXPECT_EQ(from_zero, (std::set<int32_t>{1, 2}));
}

TEST_F(MelodyTest, OrdinaryStepsMoveOneOrTwo) {
    for (uint32_t seed = 1; seed <= 100; seed++) {
        StepResult up = step_from(3, true, seed);
        EXPECT_EQ(up.note, 4 + up.u);
        EXPECT_TRUE(up.rising);
        StepResult down = step_from(5, false, seed);
        EXPECT_EQ(down.note, 4 - down.u);
        EXPECT_FALSE(down.rising);
        // A walk that reaches exactly 7 plays the octave next, without turning.
        StepResult top = step_from(5, true, seed);
        if (top.u == 1) {
            EXPECT_EQ(top.note, 7);
            EXPECT_TRUE(top.rising);
        }
    }
}

TEST_F(MelodyTest, NoteVoice) {
    StepResult r = step_from(4, true, 7);
    ASSERT_NE(r.voice, nullptr);
    EXPECT_EQ(count_voices(), 1);
    EXPECT_EQ(r.voice->waveform, WAVE_TABLE);
    EXPECT_TRUE(r.voice->ambient);
    EXPECT_FLOAT_EQ(r.voice->amplitude, 0.006f);
    EXPECT_EQ(r.voice->table_index, 4);
    EXPECT_EQ(r.voice->table_step, 1);
    EXPECT_EQ(r.voice->delay, 0u);
    EXPECT_EQ(r.voice->attack, 500u);
    EXPECT_EQ(r.voice->sustain, 1000u);
    EXPECT_EQ(r.voice->release, 10000u);
}

// A walk across many steps stays within the octave and keeps its state across calls.
TEST_F(MelodyTest, LongWalkStaysInTheOctave) {
    seed_random(5);
    melody_note = 0;
    melody_rising = true;
    std::set<int32_t> seen;
    for (int i = 0; i < 2000; i++) {
        int32_t old = melody_note;
        melody_step();
        drop_voices();
        ASSERT_GE(melody_note, 0);
        ASSERT_LE(melody_note, 7);
        ASSERT_NE(melody_note, old);
        seen.insert(melody_note);
    }
    EXPECT_EQ(seen.size(), 8u);
}
