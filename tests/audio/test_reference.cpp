// The synthesiser against the independent model: single voices over their whole lives, and a
// short mix of several events while the listener moves.
#include <cmath>

#include "audio/audio.h"
#include "audio/listener.h"
#include "audio/mixer.h"
#include "audio/sound.h"
#include "audio_fixture.h"
#include "reference_model.h"

static ModelVoice model_of(const Voice *v) {
    return ModelVoice{double(v->delay),     double(v->attack), double(v->sustain),
                      double(v->release),   v->waveform,       double(v->frequency),
                      double(v->amplitude), double(v->phase),  double(v->x),
                      double(v->y),         v->ambient};
}

struct Case {
    int wave;
    uint32_t delay, attack, sustain, release;
    float freq, amp;
    bool ambient;
    float x;
};

TEST_F(MixerTest, SineFamilyMatchesTheModel) {
    const Case cases[] = {
        {WAVE_SINE, 0, 3000, 4000, 5000, 440.0f, 0.03f, true, 0.0f},
        {WAVE_CHIRP, 0, 15000, 15000, 20000, 369.994f, 0.03f, false, 12.0f},
        {WAVE_CHIRP, 700, 15000, 1000, 2000, 554.365f, 0.03f, true, 0.0f},
        {WAVE_FALL, 0, 2000, 1000, 1000, 493.883f, 0.03f, false, 3.0f},
        {WAVE_FALL, 300, 2000, 1000, 9000, 311.127f, 0.03f, true, 0.0f},
        {WAVE_VIBRATO, 0, 15000, 15000, 40000, 554.365f, 0.03f, false, 20.0f},
        {WAVE_VIBRATO, 126000, 9000, 18000, 63000, 622.254f, 0.03f, true, 0.0f},
    };
    for (const Case &c : cases) {
        Voice *v = make_voice(c.delay, c.attack, c.sustain, c.release, c.wave, c.freq, c.amp,
                              c.ambient, c.x, 0.0f, 0.0f, 0, 0);
        ModelVoice m = model_of(v);
        uint32_t len = voice_length(v);
        int worst = 0, audible = 0;
        for (uint32_t n = 0; n < len; n++) {
            // The listener drifts away and back, so distance is exercised too.
            float lx = static_cast<float>(10.0 * std::sin(n / 20000.0));
            listener_pos.store(lx, 0.0f, 0.0f);
            double want = model_sample(m, n, lx, 0.0);
            int got = render_voice(v);
            worst = std::max(worst, int(std::fabs(got - want)));
            audible += got != 0;
        }
        EXPECT_LE(worst, 2) << "waveform " << c.wave;
        EXPECT_GT(audible, int(len) / 3) << "waveform " << c.wave;
        delete v;
    }
}

// The first arrival's chord, a baby's burst and a wall's bump together, mixed in uneven buffers,
// against the sum of their models.
TEST_F(MixerTest, ShortMixMatchesTheModel) {
    sample_clock = 1; // the next melody note is 26459 samples away
    sound_event(SOUND_FIRST_ARRIVAL, 5.0f, 0.0f, 0.0f, 0.0f, 0);
    sound_event(SOUND_BABY_BURST, -3.0f, 4.0f, 0.0f, 0.0f, 0);
    sound_event(SOUND_WALL_BUMP, 1.0f, 1.0f, 0.0f, 0.0f, 0);
    std::vector<ModelVoice> models;
    for (Voice *v = voices; v; v = v->next) models.push_back(model_of(v));
    ASSERT_EQ(models.size(), 5u);
    int done = 0, worst = 0;
    const int total = 26000;
    while (done < total) {
        int n = std::min(total - done, 1000 + done % 777);
        float lx = done * 0.0004f;
        listener_pos.store(lx, 0.0f, 0.0f);
        std::vector<int16_t> out = mix(n);
        for (int i = 0; i < n; i++) {
            double sum = 0;
            for (const ModelVoice &m : models) sum += model_sample(m, done + i, lx, 0.0);
            worst = std::max(worst, int(std::fabs(out[i] - sum)));
        }
        done += n;
    }
    EXPECT_LE(worst, 3);
}
