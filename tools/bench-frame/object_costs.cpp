// What each kind of object costs to draw: a world held still, timed with and without it.
#include "object_costs.h"

#include <GL/gl.h>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <list>
#include <utility>
#include <vector>

#include "plant_grammar/plant_grammar.h"
#include "render/passes.h"
#include "render/plant_turtle.h"
#include "render/render.h"
#include "sim/state.h"

using Clock = std::chrono::steady_clock;

static int plant_segments[NUM_PLANT_KINDS]; // edge calls recorded in each plant list

static int segments_walked;
static void no_op() {}
static void turn_ignored(int, double) {}
static void count_segment(int) {
    segments_walked++;
}

void count_plant_edges() {
    static const TurtleOps counter = {no_op, no_op, no_op, turn_ignored, count_segment};
    for (int k = 0; k < NUM_PLANT_KINDS; k++) {
        segments_walked = 0;
        int position = 0;
        walk_plant_string(plant_texts[k], position, counter);
        plant_segments[k] = segments_walked;
    }
}

static int plant_calls_this_frame() {
    int calls = 0;
    for (const Plant &p : plants) {
        float dx = boat_x - p.x, dy = boat_y - p.y;
        if (dx * dx + dy * dy <= 2500.0f) calls += 1 + plant_segments[p.kind];
    }
    return calls;
}

static double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The 3D passes of a world held still: the same picture every frame.
static double still_scene_ms(int frames) {
    std::vector<double> ms;
    for (int f = 0; f < frames; f++) {
        Clock::time_point t = Clock::now();
        start_gl_frame();
        draw_scene();
        glFinish();
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t).count());
    }
    return median(ms);
}

static std::vector<Plant> kept_plants;
static std::vector<Baby> kept_babies;
static std::vector<Wall> kept_walls;
static std::list<Spark> kept_sparks;
static float kept_lighthouse_x;

// Each kind of object taken out of the world and put back, to see what drawing it costs.
struct Removal {
    const char *name;
    void (*take_out)();
};

static const Removal removals[] = {
    {"plants", [] { plants.swap(kept_plants); }},
    {"lighthouse (moved out of sight)", [] { std::swap(lighthouse_x, kept_lighthouse_x); }},
    {"sparks", [] { sparks.swap(kept_sparks); }},
    {"walls", [] { walls.swap(kept_walls); }},
    {"chaser", [] { chaser_active = !chaser_active; }},
    {"babies", [] { babies.swap(kept_babies); }},
};

constexpr int ROUNDS = 10;

// With and without in alternating short rounds, so that a machine busy with other work
// weighs on both alike; the median of the rounds' differences is the cost.
void print_object_costs(int frames) {
    int plant_calls = plant_calls_this_frame();
    size_t live_sparks = sparks.size();
    int per_round = std::max(frames / ROUNDS, 5);
    std::printf("what drawing each kind costs in the 3D passes of the world held still (medians "
                "of %d rounds of %d frames with and without it):\n",
                ROUNDS, per_round);
    kept_lighthouse_x = 1000.0f;
    std::vector<double> whole;
    for (const Removal &r : removals) {
        std::vector<double> cost;
        for (int round = 0; round < ROUNDS; round++) {
            double all = still_scene_ms(per_round);
            r.take_out();
            double without = still_scene_ms(per_round);
            r.take_out();
            whole.push_back(all);
            cost.push_back(all - without);
        }
        std::printf("  %-32s %7.3f ms\n", r.name, median(cost));
    }
    std::printf("  %-32s %7.3f ms\n", "the whole 3D passes", median(whole));
    std::printf("plants: %d display-list calls (the plants' own and their edges'); sparks: %zu "
                "calls of sphere_s\n",
                plant_calls, live_sparks);
}
