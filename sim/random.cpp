// The shared random source.
#include "sim/random.h"

#include <boost/random/mersenne_twister.hpp>
#include <ctime>
#include <mutex>

static boost::random::mt19937 engine;   // the one engine of the process
static std::mutex engine_lock;          // the game and audio threads never draw at once
static uint64_t draw_count;             // values returned since the last seeding

void seed_random(uint32_t seed) {
    std::lock_guard<std::mutex> hold(engine_lock);
    engine.seed(seed);
    draw_count = 0;
}

void seed_random_from_clock() {
    seed_random(static_cast<uint32_t>(static_cast<uint64_t>(std::time(nullptr))));
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

uint64_t random_draws() {
    std::lock_guard<std::mutex> hold(engine_lock);
    return draw_count;
}
