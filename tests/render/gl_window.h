// A real 640 x 480 OpenGL window for the renderer's tests, set up as the game's start-up does.
#pragma once

#include <cstdint>
#include <vector>

// Opens the window through the game's own video set-up (once per process) and makes the
// noise texture.
void open_gl_window();
// The main loop's frame: per-frame reset, then draw_frame; the noise is not refreshed.
void render_frame();
// The colour buffer as RGB, bottom row first, read before any swap.
std::vector<uint8_t> read_rgb();
// A world with a flat sea, the boat at the origin heading along +x, no fade.
void reset_scene();
