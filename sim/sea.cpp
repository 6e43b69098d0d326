// The sea's ripples on the wrapping 110 x 110 grid.
#include "sim/phases.h"

int sea_cell(int u) {
    int i = u + SEA_HALF;
    if (i < 0)
        i += SEA_SIZE;
    else if (i > SEA_SIZE - 1)
        i -= SEA_SIZE;
    return i;
}

// Each cell is pulled towards the mean of its four neighbours, the sum in the order up,
// down, left, right. Wrapping is done by row pointers and the two end columns, so the
// long middle of every row is a straight run over contiguous floats.
static void pull_row(int r) {
    const float *up = sea_height + ((r + SEA_SIZE - 1) % SEA_SIZE) * SEA_SIZE;
    const float *down = sea_height + ((r + 1) % SEA_SIZE) * SEA_SIZE;
    const float *h = sea_height + r * SEA_SIZE;
    float *v = sea_velocity + r * SEA_SIZE;
    const int last = SEA_SIZE - 1;
    v[0] += ((up[0] + down[0] + h[last] + h[1]) * 0.25f - h[0]) * 0.01f;
    for (int c = 1; c < last; c++)
        v[c] += ((up[c] + down[c] + h[c - 1] + h[c + 1]) * 0.25f - h[c]) * 0.01f;
    v[last] += ((up[last] + down[last] + h[last - 1] + h[0]) * 0.25f - h[last]) * 0.01f;
}

// Every velocity is taken from the previous tick's heights before any height moves.
void update_sea() {
    for (int r = 0; r < SEA_SIZE; r++) pull_row(r);
    for (int i = 0; i < SEA_SIZE * SEA_SIZE; i++) sea_height[i] += sea_velocity[i];
}
