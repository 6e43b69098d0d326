// A fresh world from the shared random source: 12,306 draws, always in the same order.
#include "base/random.h"
#include "sim/phases.h"

template <class T> static void reset_value(T &, Kept) {}
template <class T, class V> static void reset_value(T &v, V value) {
    v = static_cast<T>(value);
}

// Every loose variable to its new game's value, or kept; none of this draws.
static void reset_scalars() {
#define VELMOOR_RESET_SCALAR(type, name, key, reset, part) reset_value(name, reset);
    VELMOOR_SCALARS(VELMOOR_RESET_SCALAR)
#undef VELMOOR_RESET_SCALAR
}

static void reset_sea() {
    for (int i = 0; i < SEA_SIZE * SEA_SIZE; i++) {
        sea_height[i] = (random_int() % 101 - 50) * 0.003f;
        sea_velocity[i] = 0.0f;
    }
}

// Kinds and places are drawn anew; the targets of plants that already exist are kept.
static void scatter_plants() {
    plants.resize(NUM_PLANTS);
    for (Plant &p : plants) {
        p.kind = random_int() % 10;
        p.x = (random_int() % 11001 - 5500) * 0.01f;
        p.y = (random_int() % 11001 - 5500) * 0.01f;
    }
}

static void scatter_lights() {
    lights.resize(NUM_LIGHTS);
    for (int k = 0; k < NUM_LIGHTS; k++) {
        aim_light(lights[k]);
        lights[k].emit = k > 6; // two halves that shed sparks on alternate ticks
    }
}

void reset_world() {
    world_resets++;
    reset_scalars(); // the lighthouse first: the lights are aimed at it
    reset_sea();
    scatter_plants();
    scatter_lights();
    babies.clear();
    walls.clear();
}
