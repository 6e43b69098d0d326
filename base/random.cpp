// The shared random source.
#include "base/random.h"

#include <boost/random/mersenne_twister.hpp>
#include <ctime>
#include <mutex>

static boost::random::mt19937 engine; // the one engine of the process
static std::mutex engine_lock;        // the game and audio threads never draw at once
static uint64_t draw_count;           // values returned since the last seeding

void seed_random(uint32_t seed) {
    std::lock_guard<std::mutex> hold(engine_lock);
    engine.seed(seed);
    draw_count = 0;
}

uint32_t clock_seed() {
    return static_cast<uint32_t>(static_cast<uint64_t>(std::time(nullptr)));
}

int32_t random_int() {
    std::lock_guard<std::mutex> hold(engine_lock);
    uint32_t v;
    do {
        v = engine();
    } while (v > 2147483647u);
    ++draw_count;
    return static_cast<int32_t>(v);
}

// The engine is worked on in a local copy, so that the stores into OUT cannot be taken to
// change it, and a rejected output only fails to move the count on: no branch to mispredict.
void random_ints(int32_t *out, int n) {
    std::lock_guard<std::mutex> hold(engine_lock);
    boost::random::mt19937 local = engine;
    int k = 0;
    while (k < n) {
        uint32_t v = local();
        out[k] = static_cast<int32_t>(v);
        k += static_cast<int>(v >> 31 ^ 1u);
    }
    engine = local;
    draw_count += static_cast<uint64_t>(k);
}

uint64_t random_draws() {
    std::lock_guard<std::mutex> hold(engine_lock);
    return draw_count;
}
