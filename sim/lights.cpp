// The fourteen lights that stream towards the lighthouse, shedding a spark every other tick.
#include <cmath>

#include "audio/sound.h"
#include "base/random.h"
#include "sim/phases.h"
#include "sim/sparks.h"

void aim_light(Light &light) {
    light.x = (random_int() % 11001 - 5500) * 0.01f;
    light.y = (random_int() % 11001 - 5500) * 0.01f;
    light.z = (random_int() % 100) * 0.01f + 1.0f;
    light.target_x = lighthouse_x;
    light.target_y = lighthouse_y;
    light.target_z = (random_int() % 100) * 0.01f + 1.0f;
}

// Arrival is strict: a light exactly 0.1 away still has one more step to fly.
static void fly_light(Light &l, int k) {
    float dx = l.target_x - l.x;
    float dy = l.target_y - l.y;
    float dz = l.target_z - l.z;
    float dd = dx * dx + dy * dy + dz * dz;
    if (dd < 0.01f) {
        sound_event(SOUND_LIGHT_ARRIVED, l.x, l.y, l.z, 0.0f, k % 7);
        aim_light(l);
        return;
    }
    float s = 0.1f / std::sqrt(dd);
    l.x += dx * s;
    l.y += dy * s;
    l.z += dz * s;
}

void fly_lights() {
    for (int k = 0; k < static_cast<int>(lights.size()); k++) {
        Light &l = lights[k];
        fly_light(l, k);
        if (l.emit) shed_spark(0, l.x, l.y, l.z);
        l.emit = !l.emit;
    }
}
