// Reading the mouse script; a malformed line is named by its number.
#include "script.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

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

static bool parse_line(const char *s, Motion &m) {
    long long tick, xrel, yrel;
    if (!read_integer(s, 1, 1000000000000ll, tick) || !read_integer(s, -32768, 32767, xrel) ||
        !read_integer(s, -32768, 32767, yrel))
        return false;
    while (blank(*s)) s++;
    if (*s) return false;
    m = {static_cast<uint64_t>(tick), static_cast<int>(xrel), static_cast<int>(yrel)};
    return true;
}

bool read_script(const std::string &path, std::vector<Motion> &out) {
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "velmoor-sim: cannot read input file %s: %s\n", path.c_str(),
                     std::strerror(errno));
        return false;
    }
    std::string line;
    for (long number = 1; std::getline(in, line); number++) {
        // A NUL ends the C string early: looked for first, it cannot pass as a blank line.
        bool nul = line.find('\0') != std::string::npos;
        const char *s = line.c_str();
        while (blank(*s)) s++;
        if (!nul && (!*s || *s == '#')) continue;
        Motion m;
        if (nul || !parse_line(s, m)) {
            std::fprintf(stderr,
                         "velmoor-sim: %s:%ld: malformed input line (want TICK XREL YREL, "
                         "TICK from 1, XREL and YREL from -32768 to 32767)\n",
                         path.c_str(), number);
            return false;
        }
        out.push_back(m);
    }
    if (in.bad()) {
        std::fprintf(stderr, "velmoor-sim: cannot read input file %s\n", path.c_str());
        return false;
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const Motion &a, const Motion &b) { return a.tick < b.tick; });
    return true;
}
