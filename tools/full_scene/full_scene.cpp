// The late world for the frame benchmark: stage 4 with every kind of object in play.
#include "full_scene.h"

#include <cmath>
#include <cstdio>

#include "audio/audio.h"
#include "base/random.h"
#include "sim/state.h"

// The oars swept forward and back in 20 ticks, the balance first pushed past 1.5, where every
// stroke turns the boat on the spot: the camera looks all round.
static void row_in_circles(int t) {
    add_mouse_motion(t < 6 ? 1000 : 0, t % 20 < 10 ? 143 : -143);
}

static void keep_chaser_off() {
    float dx = chaser_x - boat_x, dy = chaser_y - boat_y;
    if (dx * dx + dy * dy >= 144.0f) return;
    chaser_x = boat_x - 40.0f;
    chaser_y = boat_y;
    chaser_ramp = 0;
}

// Shoves from bursting babies would carry the boat off; it is held at the middle of the sea,
// where the wandering plants gather, turning on the spot.
void full_scene_tick(int t) {
    row_in_circles(t);
    run_tick();
    drop_voices();
    boat_x = boat_y = 0.0f;
    keep_chaser_off();
}

static void visit_at(float x, float y) {
    boat_x = x;
    boat_y = y;
    run_tick();
    drop_voices();
}

void set_up_full_scene(uint32_t seed) {
    seed_random(seed);
    reset_world();
    // A reset keeps the boat's way and turn: whatever ran before must not change the scene.
    row_vx = row_vy = turn_rate = steer_deflection = 0.0f;
    visit_at(50.0f, 0.0f);
    visit_at(-50.0f, 0.0f);
    visit_at(0.0f, 50.0f);
    boat_x = boat_y = 0.0f;
    chaser_x = -40.0f;
    chaser_y = 0.0f;
    for (int t = 0; t < 1500; t++) full_scene_tick(t);
}

bool full_scene_intact() {
    return stage == 4 && plants.size() == 50 && babies.size() == 48 && walls.size() == 28 &&
           chaser_active && !restart_pending && !sparks.empty();
}

void describe_full_scene() {
    int near_plants = 0, near_babies = 0;
    for (const Plant &p : plants) {
        float dx = boat_x - p.x, dy = boat_y - p.y;
        near_plants += dx * dx + dy * dy <= 2500.0f;
    }
    for (const Baby &b : babies) {
        float dx = boat_x - b.x, dy = boat_y - b.y;
        near_babies += dx * dx + dy * dy <= 900.0f;
    }
    std::printf("stage %d: plants %zu (%d within 50 of the boat), babies %zu (%d within 30), "
                "walls %zu, sparks %zu, chaser %.1f away; boat at (%.1f, %.1f)\n",
                stage, plants.size(), near_plants, babies.size(), near_babies, walls.size(),
                sparks.size(), std::hypot(chaser_x - boat_x, chaser_y - boat_y), boat_x, boat_y);
}
