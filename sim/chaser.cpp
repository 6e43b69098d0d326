// The chaser: slow to wake, then hunting the boat; a catch restarts the game.
#include "audio/sound.h"
#include "base/random.h"
#include "sim/phases.h"
#include "sim/unit.h"

// The catch does not wait for a running restart: every tick in reach is another catch,
// with another jolt. Only the ending is safe from it.
static void catch_boat() {
    sound_event(SOUND_CAUGHT, chaser_x, chaser_y, 0.0f, 0.0f, 0);
    boat_x += (random_int() % 201 - 100) * 0.0005f;
    restart_pending = true;
    boat_y += (random_int() % 201 - 100) * 0.0005f;
}

// Its speed ramps from nothing to 0.06 per tick over its first 1000 ticks.
void hunt_boat() {
    if (!chaser_active) return;
    if (chaser_ramp < 1000) chaser_ramp += 1;
    float speed = chaser_ramp * 0.001f * 0.06f;
    float ux, uy;
    if (unit_towards(chaser_x, chaser_y, boat_x, boat_y, ux, uy)) {
        chaser_x += ux * speed;
        chaser_y += uy * speed;
    }
    place_growl(chaser_x, chaser_y, 0.0f);
    if (ending) return;
    float dx = boat_x - chaser_x, dy = boat_y - chaser_y;
    if (dx * dx + dy * dy < 0.64f) catch_boat();
}
