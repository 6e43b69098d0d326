// The textured sprites facing the camera: the chaser and the babies.
#pragma once

#include <vector>

struct BabyDistance {
    float key;      // squared distance from the eye
    unsigned index; // into babies
};

// This frame's babies by distance from the eye, nearest first; a baby at exactly the distance
// of one earlier in the list is left out, and so not drawn this frame.
extern std::vector<BabyDistance> baby_order;

// Fills baby_order from babies and eye_x, eye_y, eye_z; allocates only if there are ever more
// babies than before.
void order_babies();
