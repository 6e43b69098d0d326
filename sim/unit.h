// The horizontal unit vector from one point towards another, shared by everything that pursues.
#pragma once

#include <cmath>

// False, leaving ux and uy alone, when the two points coincide: there is no direction to
// go, and the caller then stays where it is rather than dividing by zero.
inline bool unit_towards(float from_x, float from_y, float to_x, float to_y, float &ux, float &uy) {
    float dx = to_x - from_x;
    float dy = to_y - from_y;
    float len = std::sqrt(dx * dx + dy * dy);
    if (len == 0.0f) return false;
    ux = dx / len;
    uy = dy / len;
    return true;
}
