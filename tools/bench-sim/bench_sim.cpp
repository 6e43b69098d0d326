// bench-sim: how many ticks per second the headless game runs with everything in the world.
//
// Each run starts a fresh world, brings it through three lighthouse visits by the real
// tick (the boat set down at each lighthouse in turn), lets the sparks' streams fill, then
// times a window of ticks with the boat rowing in circles far from the chaser, as
// velmoor-sim runs them without tracing: run_tick, then the tick's voices dropped.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <vector>

#include "headless/headless.h"
#include "sim/phases.h"

using Clock = std::chrono::steady_clock;

static long allocations; // heap allocations made by this process so far

void *operator new(std::size_t size) {
    allocations++;
    if (void *p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}

void operator delete(void *p) noexcept {
    std::free(p);
}
void operator delete(void *p, std::size_t) noexcept {
    std::free(p);
}

constexpr int RUNS = 11;
constexpr int WINDOW = 1500; // the chaser, ~90 away, cannot reach the boat in this time

// One tick of the boat's mouse: the oars swept forward and back in 20 ticks, the balance
// first pushed past 1.5, where every stroke turns the boat on the spot.
static void row_in_circles(int t) {
    int phase = t % 20;
    add_mouse_motion(t < 6 ? 1000 : 0, phase < 10 ? 143 : -143);
}

static void visit_at(float x, float y) {
    boat_x = x;
    boat_y = y;
    run_tick();
    forget_tick_sounds();
}

// A fresh world in stage 4: babies, the chaser, walls and wandering plants.
static void set_the_stage(uint32_t seed) {
    start_headless(seed);
    visit_at(50.0f, 0.0f);
    visit_at(-50.0f, 0.0f);
    visit_at(0.0f, 50.0f);
    boat_x = 30.0f;
    boat_y = -30.0f;
    for (int t = 0; t < 40; t++) {
        row_in_circles(t);
        run_tick();
        forget_tick_sounds();
    }
}

static bool full_world() {
    return stage == 4 && babies.size() == 48 && walls.size() == 28 && chaser_active &&
           !restart_pending && sparks.size() >= 196;
}

static double timed_window() {
    auto start = Clock::now();
    for (int t = 0; t < WINDOW; t++) {
        row_in_circles(t);
        run_tick();
        forget_tick_sounds();
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The tick's phases in run_tick's order, then the voices' dropping, each with its name.
constexpr int NUM_TIMED = 16;
static void (*const timed_phases[])() = {
    [] { run_fades(); }, read_mouse,      move_boat,      turn_boat,  bob_boat,
    check_lighthouse,    push_off_plants, push_off_walls, update_sea, fly_lights,
    update_babies,       hunt_boat,       move_plants,    move_walls, update_sparks,
    forget_tick_sounds};
static const char *const timed_names[] = {"fades",  "mouse",      "boat motion",  "heading",
                                          "bob",    "lighthouse", "plant pushes", "wall pushes",
                                          "sea",    "lights",     "babies",       "chaser",
                                          "plants", "walls",      "sparks",       "voices dropped"};
static_assert(sizeof timed_phases / sizeof timed_phases[0] == NUM_TIMED, "every phase timed");
static_assert(sizeof timed_names / sizeof timed_names[0] == NUM_TIMED, "one name per phase");

// The same window phase by phase, with a clock around each.
static void time_phases(double *spent, long *allocated) {
    for (int t = 0; t < WINDOW; t++) {
        row_in_circles(t);
        for (int p = 0; p < NUM_TIMED; p++) {
            long before = allocations;
            auto start = Clock::now();
            timed_phases[p]();
            spent[p] += std::chrono::duration<double>(Clock::now() - start).count();
            allocated[p] += allocations - before;
        }
    }
}

static void print_phases(const double *spent, const long *allocated) {
    double total = 0;
    for (int p = 0; p < NUM_TIMED; p++) total += spent[p];
    std::printf("where a tick's time goes (%d ticks, clock around each phase), and its heap "
                "allocations (spark nodes and the sound events' voices):\n",
                WINDOW);
    for (int p = 0; p < NUM_TIMED; p++)
        std::printf("  %-15s %7.2f us  %5.1f%%  %6.2f allocations\n", timed_names[p],
                    spent[p] / WINDOW * 1e6, 100.0 * spent[p] / total,
                    static_cast<double>(allocated[p]) / WINDOW);
}

int main(int argc, char **argv) {
    uint32_t seed = argc > 1 ? static_cast<uint32_t>(std::strtoul(argv[1], nullptr, 10)) : 1;
    std::vector<double> rates;
    for (int r = 0; r < RUNS; r++) {
        set_the_stage(seed + r);
        if (!full_world()) {
            std::fprintf(stderr, "bench-sim: run %d did not reach the full world\n", r);
            return 1;
        }
        double seconds = timed_window();
        if (!full_world()) {
            std::fprintf(stderr, "bench-sim: run %d left the full world\n", r);
            return 1;
        }
        rates.push_back(WINDOW / seconds);
        std::printf("run %2d: %9.0f ticks/s  (babies %zu, walls %zu, sparks %zu, stage %d)\n", r,
                    rates.back(), babies.size(), walls.size(), sparks.size(), stage);
    }
    std::sort(rates.begin(), rates.end());
    std::printf("median %.0f ticks/s over %d runs of %d ticks (min %.0f, max %.0f); "
                "the game needs 40\n",
                rates[RUNS / 2], RUNS, WINDOW, rates.front(), rates.back());
    double spent[NUM_TIMED] = {};
    long allocated[NUM_TIMED] = {};
    set_the_stage(seed);
    time_phases(spent, allocated);
    print_phases(spent, allocated);
    return 0;
}
