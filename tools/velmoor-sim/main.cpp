// velmoor-sim: the game without window or device, for replays, traces, offline audio and timing.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "audio/audio.h"
#include "base/data.h"
#include "data_dir.h"
#include "headless.h"
#include "options.h"
#include "outputs.h"
#include "script.h"
#include "sim/state.h"
#include "trace.h"
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
    return open_output(opt.trace, "w", out.trace) && open_output(opt.state, "w", out.state) &&
           open_output(opt.wav, "wb", out.wav) && (!out.wav || start_wav(out.wav));
}

static int samples_after_tick(uint64_t n) {
    return static_cast<int>(samples_for_ticks(n) - samples_for_ticks(n - 1));
}

static void deliver_motion(const std::vector<Motion> &script, size_t &next, uint64_t tick) {
    for (; next < script.size() && script[next].tick == tick; next++)
        add_mouse_motion(script[next].xrel, script[next].yrel);
}

// Runs the ticks; returns the last tick run and the samples mixed.
static uint64_t run_ticks(const SimOptions &opt, const std::vector<Motion> &script,
                          const Outputs &out, uint64_t &samples, bool &ok) {
    int16_t buffer[1103];
    size_t next = 0;
    uint64_t n = 0;
    while (n < opt.ticks && !quit_requested) {
        n++;
        clear_events();
        deliver_motion(script, next, n);
        run_tick();
        if (out.wav) {
            int count = samples_after_tick(n);
            mix_samples(buffer, count);
            ok = append_wav(out.wav, buffer, count) && ok;
            samples += count;
        } else {
            forget_tick_sounds();
        }
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
    std::vector<Motion> script;
    Outputs out;
    if (!parse_options(argc, argv, opt) || !check_outputs(opt) ||
        (!opt.input.empty() && !read_script(opt.input, script)) || !open_outputs(opt, out))
        return 2;
    if (opt.data.empty()) opt.data = find_data_dir();
    data_root = opt.data.c_str();
    start_headless(opt.seed);
    watch_events();
    clear_events();
    if (out.trace) write_trace_line(out.trace, 0);
    uint64_t samples = 0;
    bool ok = true;
    uint64_t last = run_ticks(opt, script, out, samples, ok);
    if (out.state) write_state(out.state, last);
    if (out.wav) ok = finish_wav(out.wav, samples) && ok;
    ok = close_output(out.trace, opt.trace) && ok;
    ok = close_output(out.state, opt.state) && ok;
    ok = close_output(out.wav, opt.wav) && ok;
    audio_release();
    return ok ? 0 : 2;
}
