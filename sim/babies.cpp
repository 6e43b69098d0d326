// The babies: released at the first visit, they fall, float, swim, swell when touched and burst.
#include <cmath>

#include "audio/sound.h"
#include "base/random.h"
#include "base/trig.h"
#include "sim/phases.h"
#include "sim/unit.h"

void release_babies() {
    for (Baby &b : babies) {
        b.z = (random_int() % 500) * 0.01f;
        b.x = lighthouse_x;
        b.y = lighthouse_y;
        b.vx = b.vy = b.vz = 0.0f;
        b.vx += (random_int() % 101 - 50) * 0.001f;
        b.vy += (random_int() % 101 - 50) * 0.001f;
        b.swell = 0;
    }
}

// The babies read the sea without the boat's +55: a baby at (0, 0) floats on cell (0, 0).
static int baby_cell(float u) {
    int i = static_cast<int>(u);
    if (i < 0)
        i += SEA_SIZE;
    else if (i > SEA_SIZE - 1)
        i -= SEA_SIZE;
    return i;
}

// Every swollen baby, the bursting one among them, reappears somewhere on the sea.
static void scatter_swollen() {
    for (Baby &b : babies) {
        if (b.swell <= 0) continue;
        b.swell = 0;
        b.x = (random_int() % 11001 - 5500) * 0.007f;
        b.y = (random_int() % 11001 - 5500) * 0.007f;
    }
}

static void burst(const Baby &b) {
    float angle = (random_int() % 1000) * 0.001f * TWO_PI_F;
    drift_vx += 0.5f * cosine_f(angle);
    drift_vy += 0.5f * sine_f(angle);
    turn_rate += (random_int() % 2) ? 0.06f : -0.06f;
    sound_event(SOUND_BABY_BURST, b.x, b.y, b.z, 0.0f, 0);
    scatter_swollen();
}

// Drawn horizontally towards a point; a baby already on it feels no pull.
static void follow(Baby &b, float to_x, float to_y, float rate) {
    float ux = 0.0f, uy = 0.0f;
    bool pulled = unit_towards(b.x, b.y, to_x, to_y, ux, uy);
    b.vx *= 0.999f;
    b.vy *= 0.999f;
    b.vz *= 0.95f;
    if (pulled) {
        b.vx += ux * rate;
        b.vy += uy * rate;
    }
}

// Four manners by index: after a light, after the boat, with the current, in random jerks.
static void swim(Baby &b, int c) {
    switch (c % 4) {
    case 0: {
        const Light &l = lights[c % NUM_LIGHTS];
        follow(b, l.x, l.y, c * 0.000005f + 0.00005f);
        break;
    }
    case 1:
        follow(b, boat_x, boat_y, c * 0.000003f + 0.00008f);
        break;
    case 2:
        b.vz *= 0.95f;
        break;
    default: {
        float angle = (random_int() % 1000) * 0.001f * TWO_PI_F;
        float rate = c * 0.00025f + 0.01f;
        b.vx = b.vx * 0.99f + cosine_f(angle) * rate;
        b.vy = b.vy * 0.99f + sine_f(angle) * rate;
        b.vz *= 0.95f;
        break;
    }
    }
}

static void keep_in_square(Baby &b) {
    if (b.x < -66.0f) {
        b.x = -66.0f;
        b.vx = -b.vx;
    }
    if (b.y < -66.0f) {
        b.y = -66.0f;
        b.vy = -b.vy;
    }
    if (b.x > 66.0f) {
        b.x = 66.0f;
        b.vx = -b.vx;
    }
    if (b.y > 66.0f) {
        b.y = 66.0f;
        b.vy = -b.vy;
    }
}

// Falls, floats where it is below the surface, swims, and swells if the boat touches it.
static void move_free_baby(Baby &b, int c) {
    b.vz -= 0.007f;
    float h = sea_height[baby_cell(b.x) * SEA_SIZE + baby_cell(b.y)];
    if (h - b.z > 0.0f) b.vz += (h - b.z) * 0.02f;
    b.x += b.vx;
    b.y += b.vy;
    b.z += b.vz;
    swim(b, c);
    keep_in_square(b);
    float dx = b.x - boat_x, dy = b.y - boat_y;
    if (dx * dx + dy * dy + b.z * b.z < 1.0f) {
        b.swell = 1;
        sound_event(SOUND_BABY_TOUCHED, b.x, b.y, b.z, 0.0f, 0);
    }
}

// A touched baby holds still and counts; at 30 it bursts. Babies scattered by a burst
// before their turn run free in the same tick.
void update_babies() {
    for (int c = 0; c < static_cast<int>(babies.size()); c++) {
        Baby &b = babies[c];
        if (b.swell > 0) {
            b.swell += 1;
            if (b.swell == 30) burst(b);
        } else {
            move_free_baby(b, c);
        }
    }
}
