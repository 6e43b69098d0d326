// velmoor-sim: the game without window or device, for replays, traces, offline audio and timing.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "audio/audio.h"
#include "base/data.h"
#include "base/random.h"
#include "data_dir.h"
#include "headless/headless.h"
#include "journey/journey.h"
#include "options.h"
#include "outputs.h"
#include "sim/state.h"
#include "headless/trace.h"
#include "wav.h"

static uint64_t drawn_after_tick; // shared-stream values drawn when the last tick ended

struct Outputs {
    FILE *trace = nullptr;
    FILE *state = nullptr;
    FILE *wav = nullptr;
};

// A WAV's header is completed once the run is over, and a pipe cannot go back to it: for
// standard output the WAV is made in a temporary file and copied out at the end.
static bool open_output(const std::string &path, const char *mode, FILE *&f) {
    if (path.empty()) return true;
    if (path == "-")
        f = mode[1] == 'b' ? std::tmpfile() : stdout;
    else
        f = std::fopen(path.c_str(), mode);
    if (f) return true;
    std::fprintf(stderr, "velmoor-sim: cannot write %s: %s\n", path.c_str(), std::strerror(errno));
    return false;
}

static bool open_outputs(const SimOptions &opt, Outputs &out) {
    if (!open_output(opt.trace, "w", out.trace) || !open_output(opt.state, "w", out.state) ||
        !open_output(opt.wav, "wb", out.wav) || (out.wav && !start_wav(out.wav)))
        return false;
    if (opt.record.empty() || start_recording(opt.record.c_str(), opt.seed)) return true;
    std::fprintf(stderr, "velmoor-sim: cannot write %s: %s\n", opt.record.c_str(),
                 std::strerror(errno));
    return false;
}

static int samples_after_tick(uint64_t n) {
    return static_cast<int>(samples_for_ticks(n) - samples_for_ticks(n - 1));
}

// A journey's --wav is mixed with draws of its own: the recorded game's mixer drew by buffers,
// not by ticks, and the journey says where; the world's stream must take just those.
static bool mixes_apart(const Journey &j) {
    return j.has_seed || !j.audio.empty() || !j.syncs.empty();
}

static void mix_tick(const Journey &j, uint64_t n, const Outputs &out, uint64_t &samples,
                     bool &ok) {
    int16_t buffer[1103];
    int count = samples_after_tick(n);
    draw_own_random(mixes_apart(j));
    mix_samples(buffer, count);
    draw_own_random(false);
    ok = append_wav(out.wav, buffer, count) && ok;
    samples += count;
}

// After tick N (0: the start): false, with one line naming the tick, when the world left the
// journey.
static bool still_in_sync(const SimOptions &opt, const Journey &j, JourneyPlace &at, uint64_t n) {
    char why[200];
    if (journey_in_sync(j, at, n, random_draws(), why, sizeof why)) return true;
    std::fprintf(stderr, "velmoor-sim: %s: %s\n", opt.input.c_str(), why);
    return false;
}

// A --record holds the journey's Print Screen presses too, though the driver takes no pictures.
static void carry_prints(const Journey &j, JourneyPlace &at, uint64_t n) {
    for (; print_due(j, at, n); take_print(at)) record_print(n);
}

// One tick, recorded as the game records one. The audio thread's draws are those taken since
// the last tick: the journey's, or those of --wav's mixer for a mouse script. A visit, a catch
// or a restart gets a sync line of its own, so that a replay straying there is named at once.
static void run_recorded_tick(uint64_t n) {
    uint64_t audio = random_draws() - drawn_after_tick;
    int32_t was_stage = stage;
    bool was_ending = ending, was_caught = restart_pending;
    uint32_t was_resets = world_resets;
    run_tick();
    drawn_after_tick = random_draws();
    record_tick(n, audio, drawn_after_tick);
    bool visit = stage != was_stage && !was_ending; // the stage goes on rising at the end
    bool caught = restart_pending && !was_caught;
    if (visit || caught || world_resets != was_resets) record_sync(n, drawn_after_tick);
}

// Runs the ticks, each after its motion and the audio thread's draws before it; returns the
// last tick run and the samples mixed.
static uint64_t run_ticks(const SimOptions &opt, const Journey &j, JourneyPlace &at,
                          const Outputs &out, uint64_t &samples, bool &ok, bool &in_sync) {
    uint64_t n = 0;
    while (n < opt.ticks && !quit_requested && in_sync) {
        n++;
        clear_events();
        carry_prints(j, at, n);
        while (const Motion *m = next_motion(j, at, n)) {
            add_mouse_motion(m->xrel, m->yrel);
            record_motion(n, m->xrel, m->yrel);
        }
        skip_random(audio_draws_before(j, at, n));
        run_recorded_tick(n);
        if (out.wav)
            mix_tick(j, n, out, samples, ok);
        else
            forget_tick_sounds();
        if (out.trace) write_trace_line(out.trace, n);
        in_sync = still_in_sync(opt, j, at, n);
    }
    return n;
}

static bool copy_to_stdout(FILE *f) {
    char buffer[65536];
    std::rewind(f);
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;)
        if (std::fwrite(buffer, 1, n, stdout) != n) return false;
    return !std::ferror(f);
}

static bool close_output(FILE *f, const std::string &path) {
    if (!f) return true;
    bool ok = !std::ferror(f);
    if (f != stdout && path == "-") ok = copy_to_stdout(f) && std::fflush(stdout) == 0 && ok;
    ok = (f == stdout ? std::fflush(f) == 0 : std::fclose(f) == 0) && ok;
    if (!ok) std::fprintf(stderr, "velmoor-sim: cannot write %s\n", path.c_str());
    return ok;
}

int main(int argc, char **argv) {
    SimOptions opt;
    Journey journey{};
    Outputs out;
    if (!parse_options(argc, argv, opt)) return 2;
    if (opt.help) {
        print_usage(stdout);
        return 0;
    }
    if ((!opt.input.empty() && !read_journey(opt.input.c_str(), "velmoor-sim", journey)) ||
        !settle_options(opt, journey) || !check_outputs(opt) || !open_outputs(opt, out))
        return 2;
    if (opt.data.empty()) opt.data = find_data_dir();
    data_root = opt.data.c_str();
    JourneyPlace at{};
    seed_own_random(opt.seed);
    uint64_t audio_before_reset = audio_draws_before(journey, at, 0);
    start_headless_replay(opt.seed, audio_before_reset);
    drawn_after_tick = random_draws();
    record_tick(0, audio_before_reset, drawn_after_tick);
    watch_events();
    clear_events();
    if (out.trace) write_trace_line(out.trace, 0);
    uint64_t samples = 0;
    bool ok = true;
    bool in_sync = still_in_sync(opt, journey, at, 0);
    uint64_t last = run_ticks(opt, journey, at, out, samples, ok, in_sync);
    if (out.state) write_state(out.state, last);
    if (out.wav) ok = finish_wav(out.wav, samples) && ok;
    if (!finish_recording(last, drawn_after_tick)) {
        std::fprintf(stderr, "velmoor-sim: cannot write %s\n", opt.record.c_str());
        ok = false;
    }
    ok = close_output(out.trace, opt.trace) && ok;
    ok = close_output(out.state, opt.state) && ok;
    ok = close_output(out.wav, opt.wav) && ok;
    audio_release();
    return !in_sync ? 3 : ok ? 0 : 2;
}
