// Voices: the envelope's stages, the distance law, the waveforms' pitch and range, and an
// independent model of the sine-family voices.
#include <cmath>

#include "audio/audio.h"
#include "audio/convert.h"
#include "audio/listener.h"
#include "audio/mixer.h"
#include "audio_fixture.h"
#include "base/random.h"
#include "signal.h"

static Voice *voice_at(uint32_t delay, uint32_t attack, uint32_t sustain, uint32_t release,
                       int32_t wave, float freq, float amp, bool ambient, float x = 0.0f,
                       float y = 0.0f) {
    return make_voice(delay, attack, sustain, release, wave, freq, amp, ambient, x, y, 0.0f, 0, 1);
}

static float level_at(Voice *v, uint32_t n) {
    v->position = n;
    return envelope_level(v);
}

TEST(Envelope, StageBoundaries) {
    Voice *v = voice_at(0, 500, 1000, 10000, WAVE_SINE, 440.0f, 0.01f, true);
    EXPECT_EQ(level_at(v, 0), 0.0f);
    EXPECT_EQ(level_at(v, 250), 0.5f);
    EXPECT_EQ(level_at(v, 499), 499.0f / 500.0f);
    EXPECT_EQ(level_at(v, 500), 1.0f);
    EXPECT_EQ(level_at(v, 1499), 1.0f);
    EXPECT_EQ(level_at(v, 1500), 1.0f);
    EXPECT_EQ(level_at(v, 6500), 0.5f);
    EXPECT_GT(level_at(v, 11499), 0.0f);
    EXPECT_EQ(level_at(v, 11500), 0.0f);
    EXPECT_EQ(voice_length(v), 11500u);
    delete v;
}

TEST(Envelope, DelayIsSilent) {
    Voice *v = voice_at(100, 10, 10, 10, WAVE_SINE, 440.0f, 0.01f, true);
    EXPECT_EQ(level_at(v, 99), 0.0f);
    EXPECT_EQ(level_at(v, 100), 0.0f);
    EXPECT_EQ(level_at(v, 105), 0.5f);
    EXPECT_EQ(level_at(v, 110), 1.0f);
    delete v;
}

TEST(Envelope, ZeroLengthStagesAreSkipped) {
    Voice *v = voice_at(10, 0, 5, 0, WAVE_SINE, 440.0f, 0.01f, true);
    EXPECT_EQ(level_at(v, 9), 0.0f);
    EXPECT_EQ(level_at(v, 10), 1.0f); // no attack: full level right after the delay
    EXPECT_EQ(level_at(v, 14), 1.0f);
    EXPECT_EQ(level_at(v, 15), 0.0f); // no release: silent right after the sustain
    Voice *empty = voice_at(0, 0, 0, 0, WAVE_SINE, 440.0f, 0.01f, true);
    EXPECT_EQ(level_at(empty, 0), 0.0f);
    delete v;
    delete empty;
}

TEST_F(MixerTest, DistanceLaw) {
    Voice *v = voice_at(0, 0, 100, 0, WAVE_SQUARE, 311.0f, 0.01f, false, 25.0f);
    EXPECT_FLOAT_EQ(distance_gain(v), 0.5f);
    v->x = 50.0f;
    EXPECT_EQ(distance_gain(v), 0.0f);
    v->x = 30.0f;
    v->y = 40.0f;
    EXPECT_EQ(distance_gain(v), 0.0f);
    v->x = 0.0f;
    v->y = 0.0f;
    EXPECT_EQ(distance_gain(v), 1.0f);
    // The listener is read at every call: the sound stays where it was made.
    listener_pos.store(0.0f, -25.0f, 0.0f);
    EXPECT_FLOAT_EQ(distance_gain(v), 0.5f);
    v->ambient = true;
    listener_pos.store(1000.0f, 1000.0f, 0.0f);
    EXPECT_EQ(distance_gain(v), 1.0f);
    delete v;
}

TEST_F(MixerTest, HalfDistanceRendersAtHalfLevel) {
    Voice *near = voice_at(0, 0, 100, 0, WAVE_SQUARE, 311.0f, 0.01f, false);
    Voice *mid = voice_at(0, 0, 100, 0, WAVE_SQUARE, 311.0f, 0.01f, false, 25.0f);
    EXPECT_EQ(render_voice(near), -163); // trunc(-16383 * 0.01)
    EXPECT_EQ(render_voice(mid), -81);   // trunc(-16383 * 0.005)
    delete near;
    delete mid;
}

TEST_F(MixerTest, OutOfHearingRangeStaysSilentButAdvances) {
    Voice *v = voice_at(0, 10, 10, 10, WAVE_NOISE, 0.0f, 0.5f, false, 60.0f);
    uint64_t draws = random_draws();
    for (int i = 0; i < 30; i++) EXPECT_EQ(render_voice(v), 0);
    EXPECT_EQ(v->position, 30u);
    EXPECT_EQ(random_draws(), draws);
    delete v;
}

TEST_F(MixerTest, StartPhaseIsOneDraw) {
    seed_random(99);
    int32_t d = random_int();
    seed_random(99);
    Voice *v = voice_at(0, 1, 1, 1, WAVE_SINE, 440.0f, 0.01f, true);
    EXPECT_EQ(random_draws(), 1u);
    EXPECT_NEAR(v->phase, (d % 1000) * 6.283185307179586 / 1000.0, 1e-6);
    EXPECT_EQ(v->position, 0u);
    delete v;
}

static std::vector<double> render_all(Voice *v, int count) {
    std::vector<double> out;
    for (int i = 0; i < count; i++) out.push_back(render_voice(v));
    return out;
}

TEST_F(MixerTest, ScaleDegrees) {
    const double expected[7] = {311.127, 349.228, 369.994, 415.305, 466.164, 493.883, 554.365};
    for (int k = 0; k < 7; k++) EXPECT_NEAR(scale_hz[k], expected[k], 0.001) << "degree " << k;
}

TEST_F(MixerTest, SquareUsesTheIntegerPitchAndStartsLow) {
    for (float f : {311.127f, 311.9f}) {
        Voice *v = voice_at(0, 0, 44100, 0, WAVE_SQUARE, f, 1.0f, true);
        std::vector<double> s = render_all(v, 44100);
        int changes = 0;
        for (size_t i = 1; i < s.size(); i++) changes += (s[i] > 0) != (s[i - 1] > 0);
        EXPECT_EQ(s[0], -16383.0);
        EXPECT_EQ(changes, 2 * 311 - 1); // 311 whole periods, the last rise not followed by a fall
        EXPECT_NEAR(measure_hz(s, 44100.0), 311.0, 0.05);
        delete v;
    }
}

TEST_F(MixerTest, TablePitchFollowsTheStride) {
    const double expected[3] = {311.127, 622.254, 933.381};
    for (int step = 1; step <= 3; step++) {
        Voice *v = make_voice(0, 0, 150000, 0, WAVE_TABLE, 0.0f, 1.0f, true, 0, 0, 0, 0,
                              static_cast<int8_t>(step));
        std::vector<double> s = render_all(v, 150000); // past the table's end for steps 2, 3
        EXPECT_NEAR(measure_hz(s, 44100.0), expected[step - 1], 0.02) << "step " << step;
        delete v;
    }
    Voice *high = make_voice(0, 0, 60000, 0, WAVE_TABLE, 0.0f, 1.0f, true, 0, 0, 0, 6, 3);
    EXPECT_NEAR(measure_hz(render_all(high, 60000), 44100.0), 1663.095, 0.05);
    delete high;
}

TEST_F(MixerTest, ToneTablesHoldFullScaleSines) {
    for (int k = 0; k < 7; k++) {
        int peak = 0;
        for (int i = 0; i < TONE_TABLE_LEN; i++)
            peak = std::max(peak, std::abs(int(tone_tables[k][i])));
        EXPECT_GE(peak, 16370);
        EXPECT_LE(peak, 16383);
        for (int i : {0, 1, 777, 123456, 199999}) {
            double want = std::sin(2.0 * M_PI * scale_hz[k] * i / 44100.0) * 16383.0;
            EXPECT_NEAR(tone_tables[k][i], want, 40.0) << "degree " << k << " sample " << i;
        }
    }
}

TEST_F(MixerTest, NoiseRangeAndDraws) {
    Voice *v = voice_at(500, 0, 20000, 0, WAVE_NOISE, 0.0f, 1.0f, true);
    uint64_t before = random_draws();
    for (int i = 0; i < 500; i++) EXPECT_EQ(render_voice(v), 0);
    EXPECT_EQ(random_draws(), before); // silent delay: no draws
    std::vector<double> s = render_all(v, 20000);
    EXPECT_EQ(random_draws(), before + 20000);
    double lo = 0, hi = 0, sum = 0;
    for (double x : s) {
        lo = std::min(lo, x);
        hi = std::max(hi, x);
        sum += x;
    }
    EXPECT_GE(lo, -16383);
    EXPECT_LE(hi, 16351);
    EXPECT_LT(lo, -16000);
    EXPECT_GT(hi, 16000);
    EXPECT_NEAR(sum / s.size(), 0.0, 300.0);
    delete v;
}

TEST_F(MixerTest, ClipPlaysOnceThenSilence) {
    Voice *v = voice_at(0, 0, 1000, 0, WAVE_CLIP, 0.0f, 0.5f, true);
    std::vector<double> s = render_all(v, 1000);
    for (size_t i = 0; i < baby.size(); i++) ASSERT_EQ(s[i], std::trunc(baby[i] * 0.5));
    for (size_t i = baby.size(); i < s.size(); i++) ASSERT_EQ(s[i], 0.0);
    delete v;
}

TEST_F(MixerTest, UnknownWaveformOrTableIsSilent) {
    Voice *v = voice_at(0, 0, 10, 0, 8, 440.0f, 1.0f, true);
    Voice *t = make_voice(0, 0, 10, 0, WAVE_TABLE, 0.0f, 1.0f, true, 0, 0, 0, 7, 1);
    for (int i = 0; i < 10; i++) {
        EXPECT_EQ(render_voice(v), 0);
        EXPECT_EQ(render_voice(t), 0);
    }
    EXPECT_EQ(v->position, 10u);
    delete v;
    delete t;
}

TEST(MixerArithmetic, TruncationAndWrap) {
    EXPECT_EQ(wrap16(30000 + 5000), -30536);
    EXPECT_EQ(wrap16(20000 + 20000), -25536);
    EXPECT_EQ(wrap16(-40000), 25536);
    EXPECT_EQ(truncate_to_int(-2.9), -2);
    EXPECT_EQ(truncate_to_int(2.9), 2);
    EXPECT_EQ(truncate_to_int(INFINITY), 0);
    EXPECT_EQ(truncate_to_int(NAN), 0);
    EXPECT_EQ(truncate_to_int(3e9), 0);
    EXPECT_EQ(truncate_to_int(-2147483648.0), -2147483647 - 1);
}
