// The screen's size, set by the video set-up and read by every drawing pass.
#pragma once

#include <cstdint>

extern int32_t screen_width;  // 640
extern int32_t screen_height; // 480
extern float aspect_ratio;    // 4/3

// Sets the sizes and opens the double-buffered 32-bit OpenGL mode, full screen unless windowed;
// false when SDL could not (SDL_GetError says why).
bool open_screen(bool windowed);
