// The babies: released at the first visit, they fall, float, swim, swell when touched and burst.
#include "sim/phases.h"
#include "sim/random.h"

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

void update_babies() {}
