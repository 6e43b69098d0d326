// Reading the driver's command line; any fault is named in one line.
#include "options.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/version.h"
#include "journey/journey.h"

// Digits only (no sign, no blanks), within max.
static bool parse_unsigned(const char *s, uint64_t max, uint64_t &out) {
    if (!*s) return false;
    for (const char *p = s; *p; p++)
        if (*p < '0' || *p > '9') return false;
    errno = 0;
    unsigned long long v = std::strtoull(s, nullptr, 10);
    if (errno == ERANGE || v > max) return false;
    out = v;
    return true;
}

static bool fail(const char *what, const char *name) {
    std::fprintf(stderr,
                 "velmoor-sim: %s %s (usage: velmoor-sim [--seed N] [--ticks T] [--input FILE] "
                 "[--trace FILE|-] [--state FILE|-] [--wav FILE|-] [--record FILE] [--data DIR]; "
                 "--help says more, --version the version)\n",
                 what, name);
    return false;
}

void print_usage(FILE *f) {
    std::fputs(
        "usage: velmoor-sim [--seed N] [--ticks T] [--input FILE] [--trace FILE|-]\n"
        "                   [--state FILE|-] [--wav FILE|-] [--record FILE] [--data DIR]\n"
        "The game without window or device: a seed and a journey replay a game exactly.\n"
        "  --seed N       the random source's seed; default: the journey's seed line\n"
        "  --ticks T      run up to T ticks of 25 ms; default: the journey's length\n"
        "  --input FILE   a journey (the game writes one with VELMOOR_RECORD=FILE), or a\n"
        "                 mouse script: its motion lines alone; another version's journey\n"
        "                 is replayed after one line naming both versions\n"
        "  --trace FILE   one JSON object per tick\n"
        "  --state FILE   the whole world at the end as one JSON object\n"
        "  --wav FILE     the sound mixed offline, in step with the ticks; for a journey the\n"
        "                 mixer draws from a random stream of its own\n"
        "  --record FILE  the run written as a journey by the game's own recorder: the\n"
        "                 version, the seed, the motion, the draws of the audio thread (or\n"
        "                 of --wav's mixer, for a mouse script), a sync line every 100\n"
        "                 ticks, after each lighthouse visit, catch and restart, and at the\n"
        "                 end\n"
        "  --data DIR     the data folder holding samples/; without it ./dat, else the\n"
        "                 source tree's dat/, then the installed one\n"
        "A journey's lines (blank lines and # comments are skipped):\n"
        "  version V            the version that recorded it, up to 32 printable\n"
        "                       characters without blanks, at most once\n"
        "  seed N               the seed, 0 to 4294967295, at most once\n"
        "  TICK XREL YREL       a mouse motion delivered before tick TICK (from 1)\n"
        "  audio TICK N         the audio thread drew N values right before tick TICK\n"
        "                       (0: before the world's first reset); ticks rising\n"
        "  print TICK           Print Screen before tick TICK (the game's playback only)\n"
        "  sync TICK DRAWS X Y [STATE]\n"
        "                       after tick TICK, DRAWS values drawn, the boat at X Y and the\n"
        "                       state's parts hashed; ticks rising\n"
        "A journey names no tick past 10368000 (three days of play).\n"
        "Exit status: 0 done; 2 bad arguments or input; 3 the replay left the journey (one\n"
        "line names the first sync line's tick that did not match).\n"
        "The game: VELMOOR_RECORD=FILE velmoor [window] records a journey;\n"
        "VELMOOR_PLAY=FILE [VELMOOR_PLAY_SPEED=N] velmoor window plays one back, and the\n"
        "mouse rows on, in real time, once it runs out.\n",
        f);
}

void print_version(FILE *f) {
    std::fprintf(f, "velmoor-sim %s\n", velmoor_version);
}

bool settle_options(SimOptions &opt, const Journey &input) {
    if (!opt.has_seed && !input.has_seed) return fail("missing required option", "--seed");
    if (!opt.has_ticks && opt.input.empty()) return fail("missing required option", "--ticks");
    if (!opt.has_seed) opt.seed = input.seed;
    if (!opt.has_ticks) opt.ticks = input.length;
    return true;
}

// A numeric option's value, or a named complaint.
static bool number(const char *name, const char *value, uint64_t max, uint64_t &out) {
    if (parse_unsigned(value, max, out)) return true;
    std::fprintf(stderr, "velmoor-sim: %s needs a whole number from 0 to %llu, not '%s'\n", name,
                 static_cast<unsigned long long>(max), value);
    return false;
}

static bool take(const char *name, const char *value, SimOptions &opt) {
    uint64_t v = 0;
    if (!std::strcmp(name, "--seed")) {
        if (!number(name, value, 0xffffffffu, v)) return false;
        opt.seed = static_cast<uint32_t>(v);
        opt.has_seed = true;
    } else if (!std::strcmp(name, "--ticks")) {
        if (!number(name, value, 1000000000000ull, v)) return false;
        opt.ticks = v;
        opt.has_ticks = true;
    } else if (!std::strcmp(name, "--input")) {
        opt.input = value;
    } else if (!std::strcmp(name, "--trace")) {
        opt.trace = value;
    } else if (!std::strcmp(name, "--state")) {
        opt.state = value;
    } else if (!std::strcmp(name, "--wav")) {
        opt.wav = value;
    } else if (!std::strcmp(name, "--record")) {
        if (!std::strcmp(value, "-")) return fail("a file, not standard output, for", name);
        opt.record = value;
    } else if (!std::strcmp(name, "--data")) {
        opt.data = value;
    } else {
        return fail("unknown option", name);
    }
    return true;
}

static bool known(const char *name) {
    static const char *const names[] = {"--seed",  "--ticks", "--input",  "--trace",
                                        "--state", "--wav",   "--record", "--data"};
    for (const char *n : names)
        if (!std::strcmp(n, name)) return true;
    return false;
}

bool parse_options(int argc, char **argv, SimOptions &opt) {
    opt = SimOptions{};
    for (int i = 1; i < argc; i += 2) {
        opt.help = !std::strcmp(argv[i], "--help");
        opt.version = !std::strcmp(argv[i], "--version");
        if (opt.help || opt.version) return true;
        if (!known(argv[i])) return fail("unknown option", argv[i]);
        if (i + 1 >= argc) return fail("missing value for", argv[i]);
        if (!take(argv[i], argv[i + 1], opt)) return false;
        if (argv[i + 1][0] == '\0') return fail("empty value for", argv[i]);
    }
    return true;
}
