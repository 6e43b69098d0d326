// What the main loop asks of the renderer each frame and at every world reset.
#pragma once

#include <cstdint>

extern uint8_t *noise_pixels;  // 64 x 64 luminance bytes, refreshed every frame
extern unsigned noise_texture; // the film grain's OpenGL texture name

void make_noise_texture(); // a new black tile and texture, replacing the old pair
void refresh_noise();      // once per frame, after the ticks; remade first after a world reset
void release_noise();      // at shutdown: the buffer freed, the texture deleted
void start_gl_frame();     // once per frame, before draw_frame: matrices, blending, clear, depth
void draw_frame();         // once per frame
void set_fog();            // once, in the video set-up: linear black fog from 10 to 30 units
