// The fourteen lights that stream towards the lighthouse, and the sparks they shed.
#include "sim/phases.h"
#include "sim/random.h"

void aim_light(Light &light) {
    light.x = (random_int() % 11001 - 5500) * 0.01f;
    light.y = (random_int() % 11001 - 5500) * 0.01f;
    light.z = (random_int() % 100) * 0.01f + 1.0f;
    light.target_x = lighthouse_x;
    light.target_y = lighthouse_y;
    light.target_z = (random_int() % 100) * 0.01f + 1.0f;
}

void fly_lights() {}

void update_sparks() {}
