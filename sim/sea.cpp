// The sea's ripples on the wrapping 110 x 110 grid.
#include "sim/phases.h"

void update_sea() {}
