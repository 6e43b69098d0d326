// rand() and srand() as glibc's (its additive feedback generator, TYPE_3), in place of the
// browser's C library's: the plants grow by rand(), and the same draws grow the same plants.
#include <cstdint>
#include <cstdlib>

static uint32_t history[34]; // the last 34 values of r[i] = r[i - 31] + r[i - 3]
static int next_index;       // where r[i] goes in history, i modulo 34
static bool seeded;          // srand(1) is implied before the first rand()

static uint32_t advance() {
    uint32_t value = history[(next_index + 34 - 31) % 34] + history[(next_index + 34 - 3) % 34];
    history[next_index] = value;
    next_index = (next_index + 1) % 34;
    return value;
}

extern "C" void srand(unsigned seed) {
    int32_t r[34];
    r[0] = static_cast<int32_t>(seed == 0 ? 1 : seed);
    for (int i = 1; i < 31; i++) {
        int32_t hi = r[i - 1] / 127773, lo = r[i - 1] % 127773;
        int32_t word = 16807 * lo - 2836 * hi;
        r[i] = word < 0 ? word + 2147483647 : word;
    }
    for (int i = 31; i < 34; i++) r[i] = r[i - 31];
    for (int i = 0; i < 34; i++) history[i] = static_cast<uint32_t>(r[i]);
    next_index = 0;
    for (int i = 34; i < 344; i++) advance();
    seeded = true;
}

extern "C" int rand() {
    if (!seeded) srand(1);
    return static_cast<int>(advance() >> 1);
}
