// The passes of one frame, in the order draw_frame runs them, and the sea they start with.
#pragma once

#include "sim/state.h"

constexpr int SEA_WINDOW_HALF = 25; // the lit window spans offsets -25..25 around its centre
constexpr int SEA_WINDOW_CELLS = 2 * SEA_WINDOW_HALF + 1;
constexpr int SEA_RIM_CELLS = SEA_WINDOW_CELLS + 2; // one more ring for the normals' neighbours

// This frame's window onto the sea, filled by fill_sea_window: every vertex's height and
// normal computed once instead of once per quad that shares it.
extern float sea_window_height[SEA_RIM_CELLS][SEA_RIM_CELLS];      // [a + 26][b + 26]
extern Vec3 sea_window_normal[SEA_WINDOW_CELLS][SEA_WINDOW_CELLS]; // [p + 25][q + 25]

// Height at whole offsets (a, b) from the window's centre cell, the boat's position truncated
// towards zero; 0 on the window's rim at +-25, the sea wrapping round at the world's edges.
float sea_height_at(int a, int b);
// Unit normal at offsets (p, q), from the heights of the four diagonal neighbours.
Vec3 sea_normal_at(int p, int q);
void fill_sea_window();

// Everything in 3D: the camera, then the passes below in this order; draw_frame then adds
// the screen pass.
void draw_scene();
void draw_sea();
void draw_plants();
void draw_lighthouse();
void draw_sparks();
void draw_walls();
void draw_chaser();
void draw_babies();
void draw_boat();
void draw_screen_pass(); // fade, then the film grain
