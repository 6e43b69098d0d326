// A fresh world from the shared random source: 12,306 draws, always in the same order.
#include "base/random.h"
#include "sim/phases.h"

static void reset_boat() {
    fade = 1.0f;
    restart_pending = false;
    boat_x = 0.0f;
    ending = false;
    boat_y = 0.0f;
    chaser_active = false;
    drift_vx = 0.0f;
    drift_vy = 0.0f;
    boat_heading = 0.0f;
    oar_sweep = 0.0f;
    steer = 0.0f;
    steer_input = 0.0f;
    row_input = 0.0f;
    boat_bob = 0.0f;
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
    reset_boat();
    reset_sea();
    scatter_plants();
    lighthouse_x = 58.0f;
    lighthouse_y = 0.0f;
    scatter_lights();
    babies.clear();
    walls.clear();
    stage = 1;
}
