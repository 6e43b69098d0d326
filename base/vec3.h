// The small vector every layer shares: three floats.
#pragma once

struct Vec3 {
    float x, y, z;
};
