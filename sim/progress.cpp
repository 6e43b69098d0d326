// The fades that frame a game and the lighthouse visits that carry it forward.
#include "audio/sound.h"
#include "base/random.h"
#include "sim/phases.h"

bool world_at_its_end() {
    return !restart_pending && ending && fade >= 1.0f;
}

bool run_fades() {
    if (world_at_its_end()) {
        quit_requested = true;
        return false;
    }
    if (restart_pending) {
        if (fade >= 1.0f) {
            reset_world();
            sound_event(SOUND_RESTARTED, 0.0f, 0.0f, 0.0f, 0.0f, 0);
            return false;
        }
        fade += 0.01f;
    } else if (ending) {
        fade += 0.005f;
    } else if (fade > 0.0f) {
        fade -= 0.01f;
    }
    return true;
}

static void first_visit() {
    babies.resize(NUM_BABIES);
    sound_event(SOUND_FIRST_ARRIVAL, lighthouse_x, lighthouse_y, 0.0f, 0.0f, 0);
    release_babies();
    lighthouse_x = -58.0f;
    lighthouse_y = 0.0f;
}

static void second_visit() {
    sound_event(SOUND_SECOND_ARRIVAL, lighthouse_x, lighthouse_y, 0.0f, 0.0f, 0);
    chaser_x = lighthouse_x;
    chaser_y = lighthouse_y;
    lighthouse_x = 0.0f;
    lighthouse_y = 58.0f;
    chaser_active = true;
    chaser_ramp = 0;
}

// The first targets of the plants' wandering span the whole sea.
static void third_visit() {
    sound_event(SOUND_THIRD_ARRIVAL, lighthouse_x, lighthouse_y, 0.0f, 0.0f, 0);
    walls.resize(NUM_WALLS);
    place_walls();
    lighthouse_x = 0.0f;
    lighthouse_y = -58.0f;
    for (Plant &p : plants) {
        p.target_x = (random_int() % 11001 - 5500) * 0.01f;
        p.target_y = (random_int() % 11001 - 5500) * 0.01f;
    }
}

// The last lighthouse stays put; the ending waits for no running fade.
static void fourth_visit() {
    if (ending || restart_pending) return;
    sound_event(SOUND_JOURNEY_END, 0.0f, 0.0f, 0.0f, 0.0f, 0);
    ending = true;
}

void check_lighthouse() {
    float dx = boat_x - lighthouse_x;
    float dy = boat_y - lighthouse_y;
    if (dx * dx + dy * dy >= 100.0f) return;
    int32_t old = stage;
    stage = old + 1;
    switch (old) {
    case 1:
        first_visit();
        break;
    case 2:
        second_visit();
        break;
    case 3:
        third_visit();
        break;
    case 4:
        fourth_visit();
        break;
    default:
        break;
    }
    for (Light &l : lights) aim_light(l);
}
