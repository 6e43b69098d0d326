// The boat: the oars worked by the mouse, its two velocities, heading, bob and the pushes off plants and walls.
#include "sim/phases.h"

void read_mouse() {}

void move_boat() {}

void turn_boat() {}

void bob_boat() {}

void push_off_plants() {}

void push_off_walls() {}
