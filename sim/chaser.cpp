// The chaser: slow to wake, then hunting the boat; a catch restarts the game.
#include "sim/phases.h"

void hunt_boat() {}
