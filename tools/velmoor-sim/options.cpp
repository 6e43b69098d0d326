// Reading the driver's command line; any fault is named in one line.
#include "options.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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
                 "velmoor-sim: %s %s (usage: velmoor-sim --seed N --ticks T [--input FILE] "
                 "[--trace FILE|-] [--state FILE|-] [--wav FILE|-] [--data DIR])\n",
                 what, name);
    return false;
}

// A numeric option's value, or a named complaint.
static bool number(const char *name, const char *value, uint64_t max, uint64_t &out) {
    if (parse_unsigned(value, max, out)) return true;
    std::fprintf(stderr, "velmoor-sim: %s needs a whole number from 0 to %llu, not '%s'\n", name,
                 static_cast<unsigned long long>(max), value);
    return false;
}

static bool take(const char *name, const char *value, SimOptions &opt, bool &have_seed,
                 bool &have_ticks) {
    uint64_t v = 0;
    if (!std::strcmp(name, "--seed")) {
        if (!number(name, value, 0xffffffffu, v)) return false;
        opt.seed = static_cast<uint32_t>(v);
        have_seed = true;
    } else if (!std::strcmp(name, "--ticks")) {
        if (!number(name, value, 1000000000000ull, v)) return false;
        opt.ticks = v;
        have_ticks = true;
    } else if (!std::strcmp(name, "--input")) {
        opt.input = value;
    } else if (!std::strcmp(name, "--trace")) {
        opt.trace = value;
    } else if (!std::strcmp(name, "--state")) {
        opt.state = value;
    } else if (!std::strcmp(name, "--wav")) {
        opt.wav = value;
    } else if (!std::strcmp(name, "--data")) {
        opt.data = value;
    } else {
        return fail("unknown option", name);
    }
    return true;
}

static bool known(const char *name) {
    static const char *const names[] = {"--seed",  "--ticks", "--input", "--trace",
                                        "--state", "--wav",   "--data"};
    for (const char *n : names)
        if (!std::strcmp(n, name)) return true;
    return false;
}

bool parse_options(int argc, char **argv, SimOptions &opt) {
    opt = SimOptions{};
    bool have_seed = false, have_ticks = false;
    for (int i = 1; i < argc; i += 2) {
        if (!known(argv[i])) return fail("unknown option", argv[i]);
        if (i + 1 >= argc) return fail("missing value for", argv[i]);
        if (!take(argv[i], argv[i + 1], opt, have_seed, have_ticks)) return false;
        if (argv[i + 1][0] == '\0') return fail("empty value for", argv[i]);
    }
    if (!have_seed) return fail("missing required option", "--seed");
    if (!have_ticks) return fail("missing required option", "--ticks");
    return true;
}
