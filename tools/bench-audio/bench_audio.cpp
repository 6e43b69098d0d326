// bench-audio: how long the mixer takes for one 2048-sample buffer (46.4 ms of sound) in three
// loads: the melody and hiss alone; 30 positional sine-family voices; the closing phrase with
// three chords (and that again on the portable batch sines, for comparison). Prints the median
// of several runs and how many times faster than real time.
// usage: bench-audio [DIR]   (DIR holds dat/samples; default: the working directory)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <unistd.h>
#include <vector>

#include "audio/audio.h"
#include "audio/listener.h"
#include "audio/mixer.h"
#include "audio/sine_batch.h"
#include "audio/sound.h"
#include "base/random.h"

static const int BUFFER = 2048;
static const int RUNS = 7;
static const int BUFFERS_PER_RUN = 40;
static const double BUFFER_MS = 1000.0 * BUFFER / SAMPLE_RATE;

static void fresh_mixer() {
    drop_voices();
    sample_clock = 0;
    seed_random(2026);
    row_noise = 1.0f;
    growl_on = false;
    listener_pos.store(0.0f, 0.0f, 0.0f);
}

static void thirty_voices() {
    const int32_t waves[4] = {WAVE_SINE, WAVE_CHIRP, WAVE_FALL, WAVE_VIBRATO};
    std::lock_guard<std::mutex> hold(voice_lock);
    for (int i = 0; i < 30; i++) {
        float x = static_cast<float>(i % 7) * 4.0f - 12.0f;
        float y = static_cast<float>(i % 5) * 3.0f - 6.0f;
        append_voice(make_voice(0, 2000, 400000, 2000, waves[i % 4], scale_hz[i % 7], 0.01f, false,
                                x, y, 0.0f, 0, 0));
    }
}

static void phrase_and_chords() {
    sound_event(SOUND_JOURNEY_END, 0.0f, 0.0f, 0.0f, 0.0f, 0);
    sound_event(SOUND_FIRST_ARRIVAL, 3.0f, 0.0f, 0.0f, 0.0f, 0);
    sound_event(SOUND_SECOND_ARRIVAL, 0.0f, 4.0f, 0.0f, 0.0f, 0);
    sound_event(SOUND_THIRD_ARRIVAL, -5.0f, 0.0f, 0.0f, 0.0f, 0);
}

// Median microseconds per buffer over RUNS runs, each the mean of BUFFERS_PER_RUN buffers.
static double measure(void (*load)(), int *voices_at_end) {
    std::vector<double> runs;
    int16_t out[BUFFER];
    for (int r = 0; r < RUNS; r++) {
        fresh_mixer();
        if (load) load();
        auto t0 = std::chrono::steady_clock::now();
        for (int b = 0; b < BUFFERS_PER_RUN; b++) mix_samples(out, BUFFER);
        auto t1 = std::chrono::steady_clock::now();
        runs.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count() /
                       BUFFERS_PER_RUN);
        *voices_at_end = count_voices();
    }
    std::sort(runs.begin(), runs.end());
    return runs[RUNS / 2];
}

// A TARGET of 0: a figure for comparison, with no target of its own.
static void report(const char *name, void (*load)(), double target) {
    int left = 0;
    double us = measure(load, &left);
    double speed = BUFFER_MS * 1000.0 / us;
    std::printf("%-44s %8.1f us/buffer  %7.0fx real time  ", name, us, speed);
    if (target > 0)
        std::printf("(target %.0fx: %s; ", target, speed >= target ? "met" : "MISSED");
    else
        std::printf("(");
    std::printf("%d voices at end)\n", left);
}

// What one voice costs per sample in a mixer segment, by waveform: the median of RUNS runs.
static void report_waveforms() {
    static const char *const names[NUM_WAVEFORMS] = {"sine",    "table", "chirp",  "fall",
                                                     "vibrato", "noise", "square", "clip"};
    static int32_t sum[BUFFER];
    std::printf("per voice and sample, sounding, in a segment:");
    for (int w = 0; w < NUM_WAVEFORMS; w++) {
        std::vector<double> ns;
        for (int r = 0; r < RUNS; r++) {
            Voice *v = make_voice(0, 0, 1000000, 0, w, scale_hz[w % 7], 0.01f, false, 3.0f, 4.0f,
                                  0.0f, static_cast<int8_t>(w % 7), 1);
            auto t0 = std::chrono::steady_clock::now();
            for (int b = 0; b < BUFFERS_PER_RUN; b++) add_voice_run(v, sum, BUFFER);
            auto t1 = std::chrono::steady_clock::now();
            ns.push_back(std::chrono::duration<double, std::nano>(t1 - t0).count() /
                         (BUFFERS_PER_RUN * BUFFER));
            delete v;
        }
        std::sort(ns.begin(), ns.end());
        std::printf("%s %.1f ns%s", names[w], ns[RUNS / 2], w + 1 < NUM_WAVEFORMS ? ", " : "\n");
    }
}

int main(int argc, char **argv) {
    if (argc > 1 && chdir(argv[1]) != 0) {
        std::perror(argv[1]);
        return 1;
    }
    audio_prepare();
    std::printf("one buffer = %d samples = %.1f ms; median of %d runs of %d buffers\n", BUFFER,
                BUFFER_MS, RUNS, BUFFERS_PER_RUN);
    report("(i) melody and hiss", nullptr, 300.0);
    report("(ii) 30 positional sine-family voices", thirty_voices, 50.0);
    report("(iii) closing phrase and three chords", phrase_and_chords, 300.0);
    bool avx2 = batch_sines_use_avx2;
    batch_sines_use_avx2 = false;
    report("(iii) the same, portable batch sines", phrase_and_chords, 0.0);
    batch_sines_use_avx2 = avx2;
    std::printf("batch sines in use: %s\n", avx2 ? "AVX2" : "portable");
    report_waveforms();
    audio_release();
    return 0;
}
