// The plants: rings around the boat in stage 3, wandering in stage 4.
#include "sim/phases.h"

void move_plants() {}
