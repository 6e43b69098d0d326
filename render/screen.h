// The screen's size, set by the video set-up and read by every drawing pass.
#pragma once

#include <cstdint>

extern int32_t screen_width;  // 640
extern int32_t screen_height; // 480
extern float aspect_ratio;    // 4/3
