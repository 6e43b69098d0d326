// The mixer renders voices a segment at a time; here it is held to the plain per-sample loop
// (melody step, every voice in list order, hiss, growl), written out again in the test, with
// noise voices, chords, the melody, the hiss and the growl all sounding, and across the
// sample clock's wrap at 2^32. The two must agree exactly, random draws included.
#include <cmath>

#include "audio/audio.h"
#include "audio/clips.h"
#include "audio/convert.h"
#include "audio/listener.h"
#include "audio/mixer.h"
#include "audio/sound.h"
#include "audio_fixture.h"
#include "base/random.h"

static int16_t plain_sample() {
    if (sample_clock % MELODY_PERIOD == 0) melody_step();
    int32_t s = 0;
    Voice *prev = nullptr;
    for (Voice *v = voices; v;) {
        s = wrap16(s + render_voice(v));
        Voice *next = v->next;
        if (v->position >= voice_length(v)) {
            (prev ? prev->next : voices) = next;
            if (voices_tail == v) voices_tail = prev;
            delete v;
        } else {
            prev = v;
        }
        v = next;
    }
    int32_t b = random_int() & 255;
    float level = row_noise;
    s = wrap16(truncate_to_int(s + double(level) * b * double(0.7f)));
    row_noise = level * 0.99995f;
    if (growl_on) {
        const SampleClip &c = sample_clips[CLIP_GROWL];
        Vec3 l = listener_pos.load(), g = growl_pos.load();
        double dx = float(l.x - g.x), dy = float(l.y - g.y), dz = float(l.z - g.z);
        double d = std::sqrt(double(float(dx * dx + dy * dy + dz * dz)));
        s = wrap16(s + truncate_to_int(double(0.1f) / d * c.data[sample_clock % c.length]));
    }
    sample_clock++;
    return wrap16(s);
}

// Events raised between calls at fixed points; the same script drives both mixers.
static void raise_events(int call) {
    const int32_t script[] = {SOUND_CAUGHT,       SOUND_PLANT_BUMP,    SOUND_FIRST_ARRIVAL,
                              SOUND_BABY_TOUCHED, SOUND_WALL_BUMP,     SOUND_SECOND_ARRIVAL,
                              SOUND_BABY_BURST,   SOUND_LIGHT_ARRIVED, SOUND_JOURNEY_END};
    int32_t id = script[call % 9];
    sound_event(id, float(call % 13) - 6.0f, float(call % 5), 0.0f, 0.0f, call % 7);
    sound_event(SOUND_ROW_SPLASH, 0, 0, 0, 0.02f * (call % 4), 0);
    if (call % 9 == 0) // a voice of no length at all sounds once
        append_voice(make_voice(0, 0, 0, 0, WAVE_NOISE, 0.0f, 0.5f, true, 0, 0, 0, 0, 0));
    listener_pos.store(float(call % 7), -float(call % 3), 0.0f);
    growl_pos.store(3.0f, float(call % 11) + 0.5f, 0.0f);
}

static std::vector<int16_t> run(bool plain, uint32_t start_clock) {
    reset_mixer_state();
    sample_clock = start_clock;
    seed_random(31337);
    row_noise = 1.0f;
    growl_on = false;
    std::vector<int16_t> out;
    const int sizes[] = {2048, 1, 333, 4096, 26460, 7, 2048, 1500};
    for (int call = 0; call < 40; call++) {
        raise_events(call);
        if (call == 10) growl_on = true;
        int n = sizes[call % 8];
        std::vector<int16_t> part(static_cast<size_t>(n));
        if (plain)
            for (int i = 0; i < n; i++) part[i] = plain_sample();
        else
            mix_samples(part.data(), n);
        out.insert(out.end(), part.begin(), part.end());
    }
    out.push_back(static_cast<int16_t>(count_voices()));
    out.push_back(static_cast<int16_t>(random_draws() & 0x7fff));
    return out;
}

// Both versions of the batch sines against the plain loop.
TEST_P(MixerBatchVersion, SegmentsAgreeWithThePlainLoop) {
    // The last start lies 100000 samples before the wrap.
    for (uint32_t start : {0u, 12345u, 4294867296u}) {
        std::vector<int16_t> segmented = run(false, start);
        std::vector<int16_t> plain = run(true, start);
        ASSERT_EQ(segmented.size(), plain.size());
        size_t first_difference = segmented.size();
        for (size_t i = 0; i < segmented.size(); i++)
            if (segmented[i] != plain[i]) {
                first_difference = i;
                break;
            }
        EXPECT_EQ(first_difference, segmented.size()) << "start " << start;
    }
}

// Runs of one voice against its samples one by one, for every waveform, with delays, stages of
// no length, phases past the batch's range (in the attack, the sustain, the release and the
// wobble), negative pitches, gains that wrap or leave the 32-bit range, positions close to the
// 32-bit end, tone tables read at strides that wrap the table, run backwards, lie beyond the
// seven or whose index product wraps, and a listener that moves between runs. They must agree
// exactly.
TEST_P(MixerBatchVersion, VoiceRunsAgreeWithSingleSamples) {
    struct Shape {
        int32_t wave;
        uint32_t delay, attack, sustain, release;
        float freq, amp;
        uint32_t start;    // the position the voice is set to before its first run
        int8_t table = 2;  // WAVE_TABLE's table
        int8_t stride = 1; // and its stride
    };
    const Shape shapes[] = {
        {WAVE_SINE, 0, 100, 5000, 900, 440.0f, 0.03f, 0},
        {WAVE_SINE, 300, 0, 200000, 0, 5000.0f, 0.03f, 0},
        {WAVE_SINE, 0, 3000, 3000, 3000, -466.16f, 0.03f, 0},
        {WAVE_SINE, 0, 1000, 4000, 1000, 415.3f, 3.0f, 0}, // sums past 16 bits wrap
        {WAVE_SINE, 0, 1000, 2000, 1000, 415.3f, 5e5f, 0}, // past 32 bits they give 0
        {WAVE_SINE, 0, 0, 4294967000u, 0, 349.23f, 0.03f, 4294900000u},
        {WAVE_CHIRP, 70, 3000, 2000, 1000, 369.99f, 0.03f, 0},
        {WAVE_CHIRP, 0, 0, 3000, 0, 311.13f, 0.03f, 0},
        {WAVE_CHIRP, 100, 60000, 100, 100, 6000.0f, 0.03f, 0},
        {WAVE_FALL, 10, 1000, 1000, 3000, 493.88f, 0.03f, 0},
        {WAVE_FALL, 0, 0, 0, 2500, 554.37f, 0.03f, 0},
        {WAVE_FALL, 0, 10, 10, 90000, 4000.0f, 0.03f, 0},
        {WAVE_VIBRATO, 5000, 9000, 18000, 36000, 622.25f, 0.03f, 0},
        {WAVE_VIBRATO, 0, 0, 150000, 0, 3000.0f, 0.03f, 0},
        {WAVE_VIBRATO, 0, 0, 120000, 0, 6000.0f, 0.03f, 0},
        {WAVE_VIBRATO, 0, 10, 4294967000u, 0, 311.13f, 0.03f, 4294900000u},
        {WAVE_TABLE, 0, 10, 3000, 10, 0.0f, 0.03f, 0},
        {WAVE_TABLE, 0, 500, 100000, 10000, 0.0f, 0.006f, 0, 6, 3},
        {WAVE_TABLE, 0, 0, 5000, 0, 0.0f, 0.03f, 0, 4, -2},
        {WAVE_TABLE, 0, 0, 5000, 0, 0.0f, 0.03f, 0, 7, 1},
        {WAVE_TABLE, 0, 0, 4294967000u, 0, 0.0f, 0.03f, 2147480000u, 1, 2},
        {WAVE_SQUARE, 5, 10, 3000, 10, 466.16f, 0.03f, 0},
        {WAVE_CLIP, 0, 0, 400, 0, 0.0f, 0.03f, 0},
        {WAVE_NOISE, 20, 10, 300, 10, 0.0f, 0.03f, 0},
        {9, 0, 10, 10, 10, 440.0f, 0.03f, 0},
    };
    for (const Shape &sh : shapes) {
        seed_random(5);
        Voice *run = make_voice(sh.delay, sh.attack, sh.sustain, sh.release, sh.wave, sh.freq,
                                sh.amp, false, 4.0f, 3.0f, 0.0f, sh.table, sh.stride);
        run->position = sh.start;
        Voice *one = make_voice(0, 0, 0, 0, 0, 0.0f, 0.0f, false, 0, 0, 0, 0, 0);
        *one = *run;
        uint32_t total = sh.start ? sh.start + 20000 : voice_length(run);
        std::vector<int32_t> sums(2048);
        int differ = 0, heard = 0, chunk = 0;
        for (uint32_t done = sh.start; done < total; chunk++) {
            int n =
                static_cast<int>(std::min<uint32_t>(total - done, 1 + (97 + chunk * 389) % 2048));
            listener_pos.store(float(chunk % 9), 0.0f, 0.0f);
            std::fill(sums.begin(), sums.end(), 0);
            seed_random(chunk);
            add_voice_run(run, sums.data(), n);
            seed_random(chunk);
            for (int i = 0; i < n; i++) {
                int16_t want = render_voice(one);
                differ += sums[i] != want;
                heard += want != 0;
            }
            done += static_cast<uint32_t>(n);
        }
        EXPECT_EQ(run->position, total);
        EXPECT_EQ(one->position, total);
        EXPECT_EQ(differ, 0) << "waveform " << sh.wave << " at " << sh.freq;
        if (sh.wave < NUM_WAVEFORMS && sh.amp < 1e5f && sh.table < NUM_DEGREES) {
            EXPECT_GT(heard, 0) << "waveform " << sh.wave << " at " << sh.freq;
        }
        delete run;
        delete one;
    }
}

INSTANTIATE_TEST_SUITE_P(, MixerBatchVersion, ::testing::Bool(), batch_sines_name);
