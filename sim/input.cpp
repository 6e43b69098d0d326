// Mouse motion into the two accumulators that the next tick consumes.
#include "sim/state.h"

// The factors are single-precision 0.1 and 0.7; product and sum are formed in double.
void add_mouse_motion(int xrel, int yrel) {
    steer_input = static_cast<float>(steer_input + xrel * static_cast<double>(0.1f));
    row_input = static_cast<float>(row_input + yrel * static_cast<double>(0.7f));
}
