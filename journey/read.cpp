// Reading a journey; a malformed line, or one no game could have written, is named by its number.
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "journey/journey.h"

constexpr long long MAX_TICK = static_cast<long long>(MOST_JOURNEY_TICKS);
static_assert(MOST_JOURNEY_TICKS == 10368000, "the limit as the reader names it");

// What the audio thread can have drawn by the time tick T runs. The callback mixes buffers of
// 2048 samples; for each sample it draws once for the oars' hiss and once for each noise voice
// sounding, and a melody note (one every 26,460 samples) draws a handful more: at most 2 a
// sample without the noise voices. The device plays 1102.5 samples in each tick's 25 ms, and
// tick T runs no earlier than T x 25 ms after the first reset; it may run later, when a stalled
// frame's ticks catch up back to back while the callback goes on mixing. So by tick T it has
// asked for at most 1103 x (T + STALL_TICKS) samples and two buffers ahead. Noise voices are
// made only by ticks, each of which makes at most one plant bump a plant (50, 4,800 samples
// long) and one catch (600 samples), and a noise voice draws at most once a sample of its life.
constexpr uint64_t STALL_TICKS = 10 * 60 * 40; // a frame stalled for ten minutes
constexpr uint64_t NOISE_DRAWS_PER_TICK = 50 * 4800 + 600;
static uint64_t most_audio_draws(uint64_t tick) {
    return 2 * (1103 * (tick + STALL_TICKS) + 2 * 2048) + NOISE_DRAWS_PER_TICK * (tick + 1);
}

// Each press is a 900 kB screenshot in the game; no player takes ten thousand.
constexpr size_t MOST_PRINTS = 10000;

static bool blank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// One whole integer token at s, within [lo, hi]; s is moved past it.
static bool read_integer(const char *&s, long long lo, long long hi, long long &out) {
    while (blank(*s)) s++;
    const char *start = s;
    if (*s == '-' || *s == '+') s++;
    if (*s < '0' || *s > '9') return false;
    while (*s >= '0' && *s <= '9') s++;
    if (*s && !blank(*s)) return false;
    errno = 0;
    long long v = std::strtoll(start, nullptr, 10);
    if (errno == ERANGE || v < lo || v > hi) return false;
    out = v;
    return true;
}

// Digits only, within hi.
static bool read_count(const char *&s, unsigned long long hi, uint64_t &out) {
    while (blank(*s)) s++;
    const char *start = s;
    if (*s < '0' || *s > '9') return false;
    while (*s >= '0' && *s <= '9') s++;
    if (*s && !blank(*s)) return false;
    errno = 0;
    unsigned long long v = std::strtoull(start, nullptr, 10);
    if (errno == ERANGE || v > hi) return false;
    out = v;
    return true;
}

// A number as %.9g writes it, which reads back to the same float; a boat gone to nan is
// recorded, and replayed, as such.
static bool read_float(const char *&s, float &out) {
    while (blank(*s)) s++;
    const char *start = s;
    while (*s && !blank(*s)) s++;
    if (s == start) return false;
    std::string token(start, s);
    char *end = nullptr;
    float v = std::strtof(token.c_str(), &end); // a tiny boat coordinate may be subnormal
    if (*end) return false;
    out = v;
    return true;
}

static bool at_end(const char *s) {
    while (blank(*s)) s++;
    return !*s;
}

// The keyword at s, followed by a blank or the line's end; s is moved past it.
static bool keyword(const char *&s, const char *word) {
    size_t n = std::strlen(word);
    if (std::strncmp(s, word, n) || (s[n] && !blank(s[n]))) return false;
    s += n;
    return true;
}

struct Reader {
    const char *path;
    const char *program;
    long line;
    Journey *out;
    uint64_t audio_draws; // the audio lines' counts so far
    bool told;            // a complaint has been printed
};

// Names what is wrong with the line, the first time only: a tick past the limit is not then
// called malformed as well.
static bool complain(Reader &r, const char *what) {
    if (r.program && !r.told)
        std::fprintf(stderr, "%s: %s:%ld: %s\n", r.program, r.path, r.line, what);
    r.told = true;
    return false;
}

// One token of printable characters: what CMake's project version, or a tag, can be.
static bool parse_version(Reader &r, const char *s) {
    while (blank(*s)) s++;
    const char *start = s;
    while (*s > ' ' && *s < 127) s++;
    size_t n = static_cast<size_t>(s - start);
    if (n == 0 || n > MOST_VERSION_CHARS || !at_end(s))
        return complain(r, "malformed version line (want version V, V up to 32 printable "
                           "characters without blanks)");
    if (!r.out->version.empty()) return complain(r, "a second version line");
    r.out->version.assign(start, n);
    return true;
}

static bool parse_seed(Reader &r, const char *s) {
    uint64_t v;
    if (!read_count(s, 0xffffffffu, v) || !at_end(s))
        return complain(r, "malformed seed line (want seed N, N from 0 to 4294967295)");
    if (r.out->has_seed) return complain(r, "a second seed line");
    r.out->has_seed = true;
    r.out->seed = static_cast<uint32_t>(v);
    return true;
}

// A tick past the longest journey is told apart from a malformed line.
static bool read_tick(Reader &r, const char *&s, long long lo, long long &tick) {
    if (!read_integer(s, lo, LLONG_MAX, tick)) return false;
    return tick <= MAX_TICK ||
           complain(r, "a tick past three days of play (the most a journey holds: 10368000)");
}

static bool parse_audio(Reader &r, const char *s) {
    long long tick;
    uint64_t count;
    if (!read_tick(r, s, 0, tick) || !read_count(s, ~0ull, count) || !at_end(s))
        return complain(r, "malformed audio line (want audio TICK N, TICK from 0, N a count)");
    std::vector<TickCount> &a = r.out->audio;
    if (!a.empty() && a.back().tick >= static_cast<uint64_t>(tick))
        return complain(r, "audio line out of order (ticks must rise)");
    uint64_t most = most_audio_draws(static_cast<uint64_t>(tick));
    if (count > most - r.audio_draws) {
        char why[160];
        std::snprintf(why, sizeof why,
                      "more audio-thread draws by tick %lld than its callback can make (%llu)",
                      tick, static_cast<unsigned long long>(most));
        return complain(r, why);
    }
    r.audio_draws += count;
    a.push_back({static_cast<uint64_t>(tick), count});
    return true;
}

static bool parse_print(Reader &r, const char *s) {
    long long tick;
    if (!read_tick(r, s, 1, tick) || !at_end(s))
        return complain(r, "malformed print line (want print TICK, TICK from 1)");
    if (r.out->prints.size() == MOST_PRINTS)
        return complain(r, "more than 10000 Print Screen presses");
    r.out->prints.push_back(static_cast<uint64_t>(tick));
    return true;
}

static int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Four hex digits a part, joined by dots; nothing at all in an older journey.
static bool read_state(const char *&s, SyncPoint &p) {
    while (blank(*s)) s++;
    p.parts = 0;
    if (!*s) return true;
    for (;;) {
        if (p.parts == MOST_STATE_PARTS) return false;
        int v = 0;
        for (int i = 0; i < 4; i++, s++) {
            int d = hex_digit(*s);
            if (d < 0) return false;
            v = v * 16 + d;
        }
        p.state[p.parts++] = static_cast<uint16_t>(v);
        if (*s != '.') return true;
        s++;
    }
}

static bool parse_sync(Reader &r, const char *s) {
    long long tick;
    SyncPoint p{};
    if (!read_tick(r, s, 0, tick) || !read_count(s, ~0ull, p.draws) || !read_float(s, p.x) ||
        !read_float(s, p.y) || !read_state(s, p) || !at_end(s))
        return complain(r, "malformed sync line (want sync TICK DRAWS X Y [STATE], "
                           "STATE as four hex digits a part joined by dots)");
    std::vector<SyncPoint> &v = r.out->syncs;
    if (!v.empty() && v.back().tick >= static_cast<uint64_t>(tick))
        return complain(r, "sync line out of order (ticks must rise)");
    p.tick = static_cast<uint64_t>(tick);
    v.push_back(p);
    return true;
}

static bool parse_motion(Reader &r, const char *s) {
    long long tick, xrel, yrel;
    if (!read_tick(r, s, 1, tick) || !read_integer(s, -32768, 32767, xrel) ||
        !read_integer(s, -32768, 32767, yrel) || !at_end(s))
        return complain(r, "malformed input line (want TICK XREL YREL, TICK from 1, XREL and YREL "
                           "from -32768 to 32767; or a version, seed, audio, print or sync line)");
    r.out->motions.push_back(
        {static_cast<uint64_t>(tick), static_cast<int>(xrel), static_cast<int>(yrel)});
    return true;
}

static bool parse_line(Reader &r, const char *s) {
    if (keyword(s, "version")) return parse_version(r, s);
    if (keyword(s, "seed")) return parse_seed(r, s);
    if (keyword(s, "audio")) return parse_audio(r, s);
    if (keyword(s, "print")) return parse_print(r, s);
    if (keyword(s, "sync")) return parse_sync(r, s);
    return parse_motion(r, s);
}

static uint64_t journey_length(const Journey &j) {
    uint64_t n = j.syncs.empty() ? 0 : j.syncs.back().tick;
    for (const Motion &m : j.motions) n = std::max(n, m.tick);
    if (!j.audio.empty()) n = std::max(n, j.audio.back().tick);
    // The prints are sorted by now: a press after the rest is still replayed.
    if (!j.prints.empty()) n = std::max(n, j.prints.back());
    return n;
}

// One line, without its newline.
static bool take_line(Reader &r, const std::string &line) {
    r.line++;
    // A NUL ends the C string early: looked for first, it cannot pass as a blank line.
    if (line.find('\0') != std::string::npos) return complain(r, "a NUL byte in the line");
    const char *s = line.c_str();
    while (blank(*s)) s++;
    return !*s || *s == '#' || parse_line(r, s);
}

static void finish(Journey &out) {
    std::stable_sort(out.motions.begin(), out.motions.end(),
                     [](const Motion &a, const Motion &b) { return a.tick < b.tick; });
    std::sort(out.prints.begin(), out.prints.end());
    out.length = journey_length(out);
}

bool read_journey(const char *path, const char *program, Journey &out) {
    out = Journey{};
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "%s: cannot read input file %s: %s\n", program, path,
                     std::strerror(errno));
        return false;
    }
    Reader r{path, program, 0, &out, 0, false};
    std::string line;
    while (std::getline(in, line))
        if (!take_line(r, line)) return false;
    if (in.bad()) {
        std::fprintf(stderr, "%s: cannot read input file %s\n", program, path);
        return false;
    }
    finish(out);
    return true;
}

bool read_journey_text(const char *text, size_t size, const char *name, const char *program,
                       Journey &out) {
    out = Journey{};
    Reader r{name, program, 0, &out, 0, false};
    for (size_t at = 0; at < size;) {
        auto newline = static_cast<const char *>(std::memchr(text + at, '\n', size - at));
        size_t end = newline ? static_cast<size_t>(newline - text) : size;
        if (!take_line(r, std::string(text + at, end - at))) return false;
        at = end + 1;
    }
    finish(out);
    return true;
}
