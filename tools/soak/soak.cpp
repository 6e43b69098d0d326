// soak: the headless game, sound mixed, rowed for hours of game time by a restless autopilot
// that steers for the lighthouse, gets caught, reaches the end and starts again. Prints the
// resident memory at tick 10,000 and at the end, the most sparks and voices alive at once,
// and how many restarts, visits and endings it went through; exits 1 when memory grew or a
// list went past its bound. With --input it replays a journey the game recorded instead (every
// sync line checked, the sound mixed on a stream of its own as velmoor-sim does), so that a
// long game played in the real window is judged by the same figures.
//   soak [--seed N] [--ticks T] [--data DIR]
//   soak --input JOURNEY [--data DIR]
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "audio/audio.h"
#include "audio/mixer.h"
#include "base/data.h"
#include "base/random.h"
#include "base/version.h"
#include "headless/headless.h"
#include "journey/journey.h"
#include "journey_step/step.h"
#include "sim/state.h"

constexpr uint64_t MEMORY_TICK = 10000;    // the first reading, once the world is warm
constexpr long MEMORY_MARGIN = 512 * 1024; // bytes the end may exceed the first reading
constexpr size_t MOST_SPARKS = 7 * 30;     // seven born a tick, none lives 30 ticks
constexpr int MOST_VOICES = 400;           // far above what any moment of play makes
constexpr int STROKE = 143;                // pixels a tick: a full stroke after the clamp

struct Soak {
    uint64_t ticks = 144000; // an hour of play
    uint32_t seed = 1;
    uint32_t noise = 0;    // the autopilot's own generator: the game's draws stay the game's
    int rest = 0;          // ticks the rower still rests
    long memory_first = 0; // resident bytes at MEMORY_TICK
    size_t most_sparks = 0;
    int most_voices = 0;
    int visits = 0;
    int endings = 0;
    const char *input = nullptr; // a recorded journey replayed instead of the autopilot
    Journey journey{};
    JourneyStep step{}; // the recorded journey followed, or the autopilot's ticks
    bool in_sync = true;
};

static uint32_t autopilot_draw(Soak &s) {
    s.noise ^= s.noise << 13;
    s.noise ^= s.noise >> 17;
    s.noise ^= s.noise << 5;
    return s.noise;
}

static long resident_bytes() {
    long pages = 0, resident = 0;
    FILE *f = std::fopen("/proc/self/statm", "r");
    if (!f) return 0;
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
    return resident * sysconf(_SC_PAGESIZE);
}

// Strokes of ten ticks and return sweeps of ten; during a sweep the oars are balanced to turn
// towards the lighthouse, or now and then anywhere at all; sometimes the rower rests.
static void row(Soak &s, uint64_t t) {
    int phase = static_cast<int>(t % 20);
    if (phase == 0 && s.rest == 0 && autopilot_draw(s) % 16 == 0)
        s.rest = 20 + autopilot_draw(s) % 200;
    if (s.rest > 0) {
        s.rest--;
        return;
    }
    int xrel = 0;
    if (phase < 10) {
        float want = std::atan2(lighthouse_y - boat_y, lighthouse_x - boat_x);
        float err = std::remainder(want - boat_heading, 6.2831855f);
        float target = err > 0.25f ? -2.5f : err < -0.25f ? 2.5f : 0.0f;
        if (autopilot_draw(s) % 8 == 0) target = static_cast<float>(autopilot_draw(s) % 6) - 2.5f;
        xrel = static_cast<int>((target - steer) / (0.1f * 0.9f * 0.003f));
        xrel = xrel > 1000 ? 1000 : xrel < -1000 ? -1000 : xrel;
    }
    int jitter = static_cast<int>(autopilot_draw(s) % 41) - 20;
    add_mouse_motion(xrel, (phase < 10 ? -STROKE : STROKE) + jitter);
}

static void watch(Soak &s, uint64_t t, int32_t &last_stage) {
    if (sparks.size() > s.most_sparks) s.most_sparks = sparks.size();
    int voices_now = count_voices();
    if (voices_now > s.most_voices) s.most_voices = voices_now;
    // The last lighthouse stays put, so the stage counts on while the ending fades.
    int32_t now = stage < 5 ? stage : 5;
    if (now > last_stage) s.visits += now - last_stage;
    last_stage = now;
    if (t == MEMORY_TICK) s.memory_first = resident_bytes();
}

// False, with one line naming the tick, when the world has left the recorded journey.
static bool still_in_sync(Soak &s) {
    char why[200];
    if (end_step(s.step, why, sizeof why)) return true;
    std::printf("soak: %s: %s\n", s.input, why);
    return false;
}

// A tick, rowed by the autopilot or the recorded journey, and its sound. A journey's sound is
// mixed on the mixer's own stream, so that the world's stream takes the journey's draws alone.
static bool play_tick(Soak &s, uint64_t t, int16_t *buffer) {
    if (!s.input) row(s, t);
    step_tick(s.step);
    bool in_sync = !s.input || still_in_sync(s);
    draw_own_random(s.input != nullptr);
    mix_samples(buffer, samples_in_tick(t));
    draw_own_random(false);
    return in_sync;
}

// The journey's end: a new one in the same process.
static void start_again(Soak &s) {
    s.endings++;
    quit_requested = false;
    reset_world();
    start_step(s.step, nullptr, random_draws());
}

static void play(Soak &s) {
    int16_t buffer[1103];
    int32_t last_stage = stage;
    for (uint64_t t = 1; t <= s.ticks; t++) {
        s.in_sync = play_tick(s, t, buffer);
        if (!s.in_sync) return;
        watch(s, t, last_stage);
        if (!s.step.ended) continue;
        if (s.input) return; // the recorded game ended here, and quit
        start_again(s);
        last_stage = stage;
    }
}

static bool parse(int argc, char **argv, Soak &s) {
    const char *data = nullptr;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--seed"))
            s.seed = static_cast<uint32_t>(std::strtoul(argv[i + 1], nullptr, 10));
        else if (!std::strcmp(argv[i], "--ticks"))
            s.ticks = std::strtoull(argv[i + 1], nullptr, 10);
        else if (!std::strcmp(argv[i], "--data"))
            data = argv[i + 1];
        else if (!std::strcmp(argv[i], "--input"))
            s.input = argv[i + 1];
        else
            return false;
    }
    if (argc % 2 == 0) return false;
    find_data_root("soak", data, true);
    if (s.input) {
        if (!read_journey(s.input, "soak", s.journey)) return false;
        warn_other_version(s.journey, velmoor_version, "soak", s.input);
        s.seed = s.journey.seed;
        s.ticks = s.journey.length;
    }
    return s.ticks > MEMORY_TICK;
}

static void start(Soak &s) {
    if (s.input) seed_own_random(s.seed);
    prepare_headless(s.seed);
    start_step(s.step, s.input ? &s.journey : nullptr, random_draws());
    step_first_reset(s.step);
    s.in_sync = !s.input || still_in_sync(s);
}

int main(int argc, char **argv) {
    Soak s;
    if (!parse(argc, argv, s)) {
        std::fprintf(stderr,
                     "usage: soak [--seed N] [--ticks T > %llu] [--data DIR]\n"
                     "       soak --input JOURNEY (longer than %llu ticks) [--data DIR]\n",
                     static_cast<unsigned long long>(MEMORY_TICK),
                     static_cast<unsigned long long>(MEMORY_TICK));
        return 2;
    }
    s.noise = s.seed * 2654435761u | 1u;
    start(s);
    uint32_t resets_at_start = world_resets;
    if (s.in_sync) play(s);
    long memory_end = resident_bytes();
    int voices_end = count_voices();
    audio_release();
    std::printf("soak: seed %u, %llu ticks (%.1f h of play): %u restarts, %d visits, %d endings\n",
                s.seed, static_cast<unsigned long long>(s.ticks), s.ticks / 144000.0,
                world_resets - resets_at_start - s.endings, s.visits, s.endings);
    std::printf("  resident memory: %ld KiB at tick %llu, %ld KiB at the end\n",
                s.memory_first / 1024, static_cast<unsigned long long>(MEMORY_TICK),
                memory_end / 1024);
    std::printf("  most sparks alive %zu (bound %zu), most voices %d (bound %d), %d at the end\n",
                s.most_sparks, MOST_SPARKS, s.most_voices, MOST_VOICES, voices_end);
    bool ok = memory_end <= s.memory_first + MEMORY_MARGIN && s.most_sparks <= MOST_SPARKS &&
              s.most_voices <= MOST_VOICES && s.in_sync;
    if (!ok) std::printf("soak: FAILED\n");
    return ok ? 0 : 1;
}
