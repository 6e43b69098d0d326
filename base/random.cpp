// The shared random source, and the second stream a mixer may be given instead.
#include "base/random.h"

#include <boost/random/mersenne_twister.hpp>
#include <ctime>
#include <mutex>

struct RandomStream {
    boost::random::mt19937 engine;
    std::mutex lock; // the game and audio threads never draw from one stream at once
    uint64_t draws;  // values returned since the stream's last seeding
};

static RandomStream shared_stream; // the one engine of the process: the world's and the mixer's
static RandomStream own_stream;    // a mixer that must leave the world's stream alone draws here
// Where this thread draws: the shared stream unless the thread asked for the other one. A
// constant initialiser keeps the lookup a single load.
static thread_local RandomStream *thread_stream = &shared_stream;

static void seed_stream(RandomStream &s, uint32_t seed) {
    std::lock_guard<std::mutex> hold(s.lock);
    s.engine.seed(seed);
    s.draws = 0;
}

void seed_random(uint32_t seed) {
    seed_stream(shared_stream, seed);
}

void seed_own_random(uint32_t seed) {
    seed_stream(own_stream, seed);
}

void draw_own_random(bool own) {
    thread_stream = own ? &own_stream : &shared_stream;
}

uint32_t clock_seed() {
    return static_cast<uint32_t>(static_cast<uint64_t>(std::time(nullptr)));
}

int32_t random_int() {
    RandomStream &s = *thread_stream;
    std::lock_guard<std::mutex> hold(s.lock);
    uint32_t v;
    do {
        v = s.engine();
    } while (v > 2147483647u);
    ++s.draws;
    return static_cast<int32_t>(v);
}

// The engine is worked on in a local copy, so that the stores into OUT cannot be taken to
// change it, and a rejected output only fails to move the count on: no branch to mispredict.
void random_ints(int32_t *out, int n) {
    RandomStream &s = *thread_stream;
    std::lock_guard<std::mutex> hold(s.lock);
    boost::random::mt19937 local = s.engine;
    int k = 0;
    while (k < n) {
        uint32_t v = local();
        out[k] = static_cast<int32_t>(v);
        k += static_cast<int>(v >> 31 ^ 1u);
    }
    s.engine = local;
    s.draws += static_cast<uint64_t>(k);
}

void skip_random(uint64_t n) {
    if (n == 0) return;
    RandomStream &s = *thread_stream;
    std::lock_guard<std::mutex> hold(s.lock);
    boost::random::mt19937 local = s.engine;
    uint64_t k = 0;
    while (k < n) k += local() >> 31 ^ 1u;
    s.engine = local;
    s.draws += n;
}

uint64_t random_draws() {
    RandomStream &s = *thread_stream;
    std::lock_guard<std::mutex> hold(s.lock);
    return s.draws;
}
