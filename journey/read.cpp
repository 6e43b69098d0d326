// Reading a journey; a malformed line is named by its number.
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "journey/journey.h"

constexpr long long MAX_TICK = 1000000000000ll;

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
};

static bool complain(const Reader &r, const char *what) {
    std::fprintf(stderr, "%s: %s:%ld: %s\n", r.program, r.path, r.line, what);
    return false;
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

static bool parse_audio(Reader &r, const char *s) {
    long long tick;
    uint64_t count;
    if (!read_integer(s, 0, MAX_TICK, tick) || !read_count(s, ~0ull, count) || !at_end(s))
        return complain(r, "malformed audio line (want audio TICK N, TICK from 0, N a count)");
    std::vector<TickCount> &a = r.out->audio;
    if (!a.empty() && a.back().tick >= static_cast<uint64_t>(tick))
        return complain(r, "audio line out of order (ticks must rise)");
    a.push_back({static_cast<uint64_t>(tick), count});
    return true;
}

static bool parse_print(Reader &r, const char *s) {
    long long tick;
    if (!read_integer(s, 1, MAX_TICK, tick) || !at_end(s))
        return complain(r, "malformed print line (want print TICK, TICK from 1)");
    r.out->prints.push_back(static_cast<uint64_t>(tick));
    return true;
}

static bool parse_sync(Reader &r, const char *s) {
    long long tick;
    uint64_t draws;
    float x, y;
    if (!read_integer(s, 0, MAX_TICK, tick) || !read_count(s, ~0ull, draws) || !read_float(s, x) ||
        !read_float(s, y) || !at_end(s))
        return complain(r, "malformed sync line (want sync TICK DRAWS X Y)");
    std::vector<SyncPoint> &v = r.out->syncs;
    if (!v.empty() && v.back().tick >= static_cast<uint64_t>(tick))
        return complain(r, "sync line out of order (ticks must rise)");
    v.push_back({static_cast<uint64_t>(tick), draws, x, y});
    return true;
}

static bool parse_motion(Reader &r, const char *s) {
    long long tick, xrel, yrel;
    if (!read_integer(s, 1, MAX_TICK, tick) || !read_integer(s, -32768, 32767, xrel) ||
        !read_integer(s, -32768, 32767, yrel) || !at_end(s))
        return complain(r, "malformed input line (want TICK XREL YREL, TICK from 1, XREL and "
                           "YREL from -32768 to 32767; or a seed, audio, print or sync line)");
    r.out->motions.push_back(
        {static_cast<uint64_t>(tick), static_cast<int>(xrel), static_cast<int>(yrel)});
    return true;
}

static bool parse_line(Reader &r, const char *s) {
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
    return n;
}

bool read_journey(const char *path, const char *program, Journey &out) {
    out = Journey{};
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "%s: cannot read input file %s: %s\n", program, path,
                     std::strerror(errno));
        return false;
    }
    Reader r{path, program, 0, &out};
    std::string line;
    while (std::getline(in, line)) {
        r.line++;
        // A NUL ends the C string early: looked for first, it cannot pass as a blank line.
        if (line.find('\0') != std::string::npos) return complain(r, "a NUL byte in the line");
        const char *s = line.c_str();
        while (blank(*s)) s++;
        if (!*s || *s == '#') continue;
        if (!parse_line(r, s)) return false;
    }
    if (in.bad()) {
        std::fprintf(stderr, "%s: cannot read input file %s\n", program, path);
        return false;
    }
    std::stable_sort(out.motions.begin(), out.motions.end(),
                     [](const Motion &a, const Motion &b) { return a.tick < b.tick; });
    std::sort(out.prints.begin(), out.prints.end());
    out.length = journey_length(out);
    return true;
}
