// velmoor-sim: the game without window or device, for replays, traces, offline audio and timing.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "audio/audio.h"
#include "base/data.h"
#include "base/random.h"
#include "base/version.h"
#include "headless/headless.h"
#include "headless/trace.h"
#include "journey/journey.h"
#include "journey_step/step.h"
#include "options.h"
#include "outputs.h"
#include "sim/state.h"
#include "wav.h"

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
    if (opt.record.empty() || start_recording(opt.record.c_str(), velmoor_version, opt.seed))
        return true;
    std::fprintf(stderr, "velmoor-sim: cannot write %s: %s\n", opt.record.c_str(),
                 std::strerror(errno));
    return false;
}

// A journey's --wav is mixed with draws of its own: the recorded game's mixer drew by buffers,
// not by ticks, and the journey says where; the world's stream must take just those. A mouse
// script's mixer draws from the world's stream, as the game's audio thread does.
static bool mixes_apart(const Journey &j) {
    return j.has_seed || !j.audio.empty() || !j.syncs.empty();
}

static void mix_tick(const Journey &j, uint64_t n, const Outputs &out, uint64_t &samples,
                     bool &ok) {
    int16_t buffer[1103];
    int count = samples_in_tick(n);
    draw_own_random(mixes_apart(j));
    mix_samples(buffer, count);
    draw_own_random(false);
    ok = append_wav(out.wav, buffer, count) && ok;
    samples += count;
}

// After tick N (0: the start): false, with one line naming the tick, when the world left the
// journey.
static bool still_in_sync(const SimOptions &opt, JourneyStep &step) {
    char why[200];
    if (end_step(step, why, sizeof why)) return true;
    std::fprintf(stderr, "velmoor-sim: %s: %s\n", opt.input.c_str(), why);
    return false;
}

// A --record holds the journey's Print Screen presses too, though the driver takes no pictures.
static void carry_prints(const Journey &j, JourneyPlace &at, uint64_t n) {
    for (; print_due(j, at, n); take_print(at)) record_print(n);
}

// Runs the ticks, each after its motion and the audio thread's draws before it; the trace of
// a tick that strays is still written. Returns the last tick run and the samples mixed.
static uint64_t run_ticks(const SimOptions &opt, const Journey &j, JourneyStep &step,
                          const Outputs &out, uint64_t &samples, bool &ok, bool &in_sync) {
    uint64_t n = 0;
    while (n < opt.ticks && !step.ended && in_sync) {
        n++;
        clear_events();
        carry_prints(j, step.at, n);
        step_tick(step);
        in_sync = still_in_sync(opt, step);
        if (out.wav)
            mix_tick(j, n, out, samples, ok);
        else
            forget_tick_sounds();
        if (out.trace) write_trace_line(out.trace, n);
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
    if (opt.help || opt.version) {
        opt.version ? print_version(stdout) : print_usage(stdout);
        return 0;
    }
    if ((!opt.input.empty() && !read_journey(opt.input.c_str(), "velmoor-sim", journey)) ||
        !settle_options(opt, journey) || !check_outputs(opt) || !open_outputs(opt, out))
        return 2;
    warn_other_version(journey, velmoor_version, "velmoor-sim", opt.input.c_str());
    find_data_root("velmoor-sim", opt.data.c_str(), true);
    seed_own_random(opt.seed);
    prepare_headless(opt.seed);
    JourneyStep step;
    start_step(step, &journey, random_draws());
    step_first_reset(step);
    watch_events();
    clear_events();
    if (out.trace) write_trace_line(out.trace, 0);
    uint64_t samples = 0;
    bool ok = true;
    bool in_sync = still_in_sync(opt, step);
    uint64_t last = run_ticks(opt, journey, step, out, samples, ok, in_sync);
    if (out.state) write_state(out.state, last);
    if (out.wav) ok = finish_wav(out.wav, samples) && ok;
    if (!finish_step_recording(step)) {
        std::fprintf(stderr, "velmoor-sim: cannot write %s\n", opt.record.c_str());
        ok = false;
    }
    ok = close_output(out.trace, opt.trace) && ok;
    ok = close_output(out.state, opt.state) && ok;
    ok = close_output(out.wav, opt.wav) && ok;
    audio_release();
    return !in_sync ? 3 : ok ? 0 : 2;
}
