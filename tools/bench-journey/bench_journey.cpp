// bench-journey: how long the game holds the audio thread off, and what recording costs.
//
// The world runs in a full late game (babies, chaser, walls) while SDL's dummy driver mixes on
// its own thread. Each tick runs under SDL_LockAudio as in the game; the mixing callback,
// which needs that lock, waits at most as long as one tick holds it, and must not wait anywhere
// near its buffer's 46 ms. Then the recording's lines for a tick, flushed, into a file.
// usage: bench-journey [DIR]   (DIR holds dat/samples; default: the working directory)
#include <SDL/SDL.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <vector>

#include "audio/audio.h"
#include "base/random.h"
#include "base/version.h"
#include "journey/journey.h"
#include "journey_step/step.h"
#include "plant_grammar/plant_grammar.h"
#include "sim/state.h"

using Clock = std::chrono::steady_clock;

constexpr int TICKS = 1500; // the chaser, ~90 away, cannot reach the boat in this time
constexpr int RESETS = 40;

static double since(Clock::time_point t) {
    return std::chrono::duration<double, std::micro>(Clock::now() - t).count();
}

static JourneyStep step; // the game's journey step, no journey followed

// One tick as the game runs it; returns the microseconds the audio lock was held.
static double locked_tick() {
    SDL_LockAudio();
    auto t = Clock::now();
    step_tick(step);
    double held = since(t);
    SDL_UnlockAudio();
    return held;
}

// The oars swept forward and back in 20 ticks, the balance pushed far out: rowing in circles.
static void row_in_circles(int t) {
    add_mouse_motion(t < 6 ? 1000 : 0, t % 20 < 10 ? 143 : -143);
}

static void visit_at(float x, float y) {
    boat_x = x;
    boat_y = y;
    locked_tick();
}

static void report(const char *name, std::vector<double> v) {
    std::sort(v.begin(), v.end());
    std::printf("%-34s median %8.1f us  99%% %8.1f us  max %8.1f us  (%zu)\n", name,
                v[v.size() / 2], v[v.size() * 99 / 100], v.back(), v.size());
}

static void time_ticks() {
    start_step(step, nullptr, random_draws());
    SDL_LockAudio();
    step_first_reset(step);
    SDL_UnlockAudio();
    visit_at(50.0f, 0.0f);
    visit_at(-50.0f, 0.0f);
    visit_at(0.0f, 50.0f);
    boat_x = 30.0f;
    boat_y = -30.0f;
    std::vector<double> ticks, resets;
    for (int t = 0; t < TICKS; t++) {
        row_in_circles(t);
        ticks.push_back(locked_tick());
        SDL_Delay(t % 8 == 0); // now and then let the device in between
    }
    std::printf("world at the end: stage %d, %zu babies, %zu walls, %zu sparks\n", stage,
                babies.size(), walls.size(), sparks.size());
    for (int r = 0; r < RESETS; r++) {
        restart_pending = true;
        fade = 1.0f;
        resets.push_back(locked_tick());
        SDL_Delay(1);
    }
    report("tick under the audio lock", ticks);
    report("tick with a world reset", resets);
    std::printf("the callback waits at most one hold of the lock; its buffer lasts 46440 us\n");
}

// Per tick: two motion lines, an audio-draws line, a sync line every 100 ticks with the late
// game's state hashed, one flush.
static void time_recording() {
    const char *path = "bench-journey.txt";
    if (!start_recording(path, velmoor_version, 1234)) {
        std::perror(path);
        std::exit(1);
    }
    std::vector<double> per_tick;
    for (uint64_t t = 1; t <= TICKS; t++) {
        auto start = Clock::now();
        record_motion(t, 12, -143);
        record_motion(t, 0, -143);
        SyncPoint sync{};
        if (t % 100 == 0) {
            sync = SyncPoint{t, 1000000 + 3000 * t, boat_x, boat_y, 0, {}};
            hash_state(sync);
        }
        record_tick(t, 2048, t % 100 == 0 ? &sync : nullptr);
        per_tick.push_back(since(start));
    }
    SyncPoint last{TICKS, 1000000 + 3000 * TICKS, boat_x, boat_y, 0, {}};
    hash_state(last);
    finish_recording(last);
    long bytes = 0;
    if (FILE *f = std::fopen(path, "rb")) {
        std::fseek(f, 0, SEEK_END);
        bytes = std::ftell(f);
        std::fclose(f);
    }
    std::remove(path);
    report("recording one tick, flushed", per_tick);
    std::printf("recording size: %.1f bytes per tick, %.0f kB per minute of play\n",
                static_cast<double>(bytes) / TICKS, bytes / (TICKS / 2400.0) / 1000.0);
}

int main(int argc, char **argv) {
    if (argc > 1 && chdir(argv[1]) != 0) {
        std::perror(argv[1]);
        return 1;
    }
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (SDL_Init(SDL_INIT_AUDIO | SDL_INIT_TIMER) < 0) {
        std::fprintf(stderr, "bench-journey: %s\n", SDL_GetError());
        return 1;
    }
    seed_random(2027);
    grow_plant_texts();
    audio_init();
    time_ticks();
    audio_shutdown();
    time_recording();
    SDL_Quit();
    return 0;
}
