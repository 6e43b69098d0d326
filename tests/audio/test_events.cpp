// Sound events: the voices each one makes, the order of its random draws, and the two levels.
#include <cmath>
#include <vector>

#include "audio/audio.h"
#include "audio/mixer.h"
#include "audio/sound.h"
#include "audio_fixture.h"
#include "base/random.h"
#include "event_log/event_log.h"

static std::vector<Voice *> voice_list() {
    std::vector<Voice *> out;
    for (Voice *v = voices; v; v = v->next) out.push_back(v);
    return out;
}

class EventTest : public MixerTest {};

TEST_F(EventTest, JourneyEndClimbsTheScale) {
    sound_event(SOUND_JOURNEY_END, 0, 0, 0, 0, 0);
    std::vector<Voice *> v = voice_list();
    ASSERT_EQ(v.size(), 8u);
    for (int k = 0; k < 8; k++) {
        EXPECT_EQ(v[k]->waveform, WAVE_VIBRATO);
        EXPECT_TRUE(v[k]->ambient);
        EXPECT_FLOAT_EQ(v[k]->amplitude, 0.03f);
        EXPECT_EQ(v[k]->delay, 18000u * k) << "voice " << k + 1;
        EXPECT_EQ(v[k]->attack + v[k]->sustain, 27000u);
        float want = k < 7 ? scale_hz[k] : 2.0f * scale_hz[0];
        EXPECT_FLOAT_EQ(v[k]->frequency, want);
    }
    EXPECT_EQ(voice_length(v[6]), 171000u); // the seventh starts at 108000
    EXPECT_EQ(voice_length(v[7]), 216000u); // the octave ends last
    EXPECT_NEAR(v[7]->frequency, 622.254, 0.001);

    // Mixed, the phrase thins out on time: melody notes come and go beside it.
    sample_clock = 1;
    auto phrase_voices = [] {
        int n = 0;
        for (Voice *x = voices; x; x = x->next) n += x->amplitude == 0.03f;
        return n;
    };
    mix(170999);
    EXPECT_EQ(phrase_voices(), 2);
    mix(1);
    EXPECT_EQ(phrase_voices(), 1);
    mix(44999);
    EXPECT_EQ(phrase_voices(), 1);
    mix(1);
    EXPECT_EQ(phrase_voices(), 0);
}

TEST_F(EventTest, ChordsEnterInTurnAndFadeTogether) {
    const int degrees[3][3] = {{0, 2, 4}, {1, 3, 5}, {2, 4, 6}};
    const int32_t ids[3] = {SOUND_FIRST_ARRIVAL, SOUND_SECOND_ARRIVAL, SOUND_THIRD_ARRIVAL};
    for (int c = 0; c < 3; c++) {
        drop_voices();
        sound_event(ids[c], 7.0f, -2.0f, 0.0f, 0.0f, 0);
        std::vector<Voice *> v = voice_list();
        ASSERT_EQ(v.size(), 3u);
        for (int i = 0; i < 3; i++) {
            EXPECT_EQ(v[i]->attack, 5000u * (i + 1));
            EXPECT_EQ(v[i]->attack + v[i]->sustain, 30000u);
            EXPECT_EQ(v[i]->release, 40000u);
            EXPECT_EQ(v[i]->frequency, scale_hz[degrees[c][i]]);
            EXPECT_FALSE(v[i]->ambient);
            EXPECT_EQ(v[i]->x, 7.0f);
            EXPECT_EQ(v[i]->y, -2.0f);
        }
    }
}

TEST_F(EventTest, RandomDegreeIsDrawnBeforeThePhase) {
    seed_random(42);
    int32_t d[3] = {random_int(), random_int(), random_int()};
    seed_random(42);
    sound_event(SOUND_BABY_BURST, 1, 2, 0, 0, 0);
    EXPECT_EQ(random_draws(), 2u);
    Voice *v = voices;
    EXPECT_EQ(v->waveform, WAVE_CHIRP);
    EXPECT_EQ(v->frequency, scale_hz[d[0] % 7]);
    EXPECT_NEAR(v->phase, (d[1] % 1000) * 2.0 * M_PI / 1000.0, 1e-6);
    EXPECT_EQ(voice_length(v), 50000u);

    // Caught: the click's phase, then the blip's degree and phase.
    drop_voices();
    seed_random(42);
    sound_event(SOUND_CAUGHT, 0, 0, 0, 0, 0);
    EXPECT_EQ(random_draws(), 3u);
    std::vector<Voice *> c = voice_list();
    ASSERT_EQ(c.size(), 2u);
    EXPECT_EQ(c[0]->waveform, WAVE_NOISE);
    EXPECT_EQ(voice_length(c[0]), 600u);
    EXPECT_EQ(c[1]->waveform, WAVE_SQUARE);
    EXPECT_EQ(c[1]->delay, 200u); // where the click's attack ends
    EXPECT_EQ(voice_length(c[1]), 800u);
    EXPECT_EQ(c[1]->frequency, scale_hz[d[1] % 7]);
}

TEST_F(EventTest, SingleVoiceEvents) {
    sound_event(SOUND_BABY_TOUCHED, 0, 0, 0, 0, 0);
    sound_event(SOUND_WALL_BUMP, 0, 0, 0, 0, 0);
    sound_event(SOUND_PLANT_BUMP, 0, 0, 0, 0, 0);
    sound_event(SOUND_LIGHT_ARRIVED, 0, 0, 0, 0, 6);
    std::vector<Voice *> v = voice_list();
    ASSERT_EQ(v.size(), 4u);
    EXPECT_EQ(v[0]->waveform, WAVE_CLIP);
    EXPECT_EQ(voice_length(v[0]), 55500u);
    EXPECT_EQ(v[1]->waveform, WAVE_FALL);
    EXPECT_EQ(voice_length(v[1]), 4000u);
    EXPECT_EQ(v[2]->waveform, WAVE_NOISE);
    EXPECT_EQ(voice_length(v[2]), 4800u);
    EXPECT_EQ(v[3]->waveform, WAVE_TABLE);
    EXPECT_EQ(v[3]->table_index, 6);
    EXPECT_EQ(v[3]->table_step, 3);
    EXPECT_NEAR(v[3]->frequency, 1663.095, 0.01);
    EXPECT_EQ(voice_length(v[3]), 60000u);
    for (Voice *x : v) EXPECT_FALSE(x->ambient);
}

TEST_F(EventTest, LightWithANoteOutsideTheScaleIsSilent) {
    sound_event(SOUND_LIGHT_ARRIVED, 0, 0, 0, 0, 9);
    ASSERT_EQ(count_voices(), 1);
    for (int i = 0; i < 1000; i++) ASSERT_EQ(render_voice(voices), 0);
}

TEST_F(EventTest, LevelsAndRepeats) {
    row_noise = 0.25f;
    sound_event(SOUND_ROW_SPLASH, 0, 0, 0, 0.5f, 0);
    EXPECT_EQ(row_noise.load(), 0.75f);
    EXPECT_EQ(count_voices(), 0);
    sound_event(SOUND_SECOND_ARRIVAL, 0, 0, 0, 0, 0);
    sound_event(SOUND_SECOND_ARRIVAL, 0, 0, 0, 0, 0);
    EXPECT_EQ(count_voices(), 6);
    EXPECT_TRUE(growl_on.load());
    sound_event(SOUND_RESTARTED, 0, 0, 0, 0, 0);
    EXPECT_FALSE(growl_on.load());
    EXPECT_EQ(row_noise.load(), 0.0f);
    EXPECT_EQ(count_voices(), 6);
}

TEST_F(EventTest, UnknownIdsDoNothingButAreObserved) {
    start_event_log();
    uint64_t draws = random_draws();
    for (int32_t id : {-1, 12, 1000}) {
        sound_event(id, 0, 0, 0, 3.0f, 0);
        EXPECT_EQ(logged_events.back().id, id);
    }
    EXPECT_EQ(logged_events.size(), 3u);
    EXPECT_EQ(count_voices(), 0);
    EXPECT_EQ(random_draws(), draws);
    EXPECT_EQ(row_noise.load(), 0.0f);
    for (int32_t id = 0; id < NUM_SOUND_EVENTS; id++) sound_event(id, 0, 0, 0, 0.125f, id % 7);
    EXPECT_EQ(logged_events.size(), 15u);
    EXPECT_EQ(logged_events.back().amount, 0.125f);
    EXPECT_EQ(logged_events.back().note, 4);
    stop_event_log();
}
