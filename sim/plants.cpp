// The plants: rings around the boat in stage 3, wandering in stage 4.
#include <cmath>

#include "base/random.h"
#include "base/trig.h"
#include "sim/phases.h"
#include "sim/unit.h"

static void step_plant(Plant &p, float to_x, float to_y, float step) {
    float ux, uy;
    if (!unit_towards(p.x, p.y, to_x, to_y, ux, uy)) return;
    p.x += ux * step;
    p.y += uy * step;
}

// Even plants ring the boat, odd ones ring the point 4 ahead of its bow; both close in
// faster from afar. The ring places are this tick's alone: the plants' targets are kept
// for their wandering.
static void ring_boat() {
    const float n = static_cast<float>(plants.size());
    for (int i = 0; i < static_cast<int>(plants.size()); i++) {
        Plant &p = plants[i];
        float angle = i / n * TWO_PI_F;
        float tx, ty, step;
        if (i % 2) {
            tx = boat_x + 4.0f * cosine_f(boat_heading) + 4.0f * cosine_f(angle);
            ty = boat_y + 4.0f * sine_f(boat_heading) + 4.0f * sine_f(angle);
        } else {
            tx = boat_x + 4.0f * cosine_f(angle);
            ty = boat_y + 4.0f * sine_f(angle);
        }
        float dx = tx - p.x, dy = ty - p.y;
        float dd = dx * dx + dy * dy;
        if (i % 2)
            step = dd > 100.0f ? 0.08f : dd > 16.0f ? 0.04f : 0.02f;
        else
            step = dd > 144.0f ? 0.07f : dd > 25.0f ? 0.03f : 0.01f;
        step_plant(p, tx, ty, step);
    }
}

// Each new goal lies within +-27.5, so the wandering plants gather towards the middle.
static void wander() {
    for (Plant &p : plants) {
        float dx = p.target_x - p.x, dy = p.target_y - p.y;
        if (dx * dx + dy * dy > 0.0036f) {
            step_plant(p, p.target_x, p.target_y, 0.05f);
        } else {
            p.target_x = (random_int() % 11001 - 5500) * 0.005f;
            p.target_y = (random_int() % 11001 - 5500) * 0.005f;
        }
    }
}

void move_plants() {
    if (stage == 3)
        ring_boat();
    else if (stage == 4)
        wander();
}
