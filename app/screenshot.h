// Choosing a screenshot's name: numbered from 0 in every run, passing over the names taken.
#pragma once

#include <cstddef>
#include <cstdint>

// Formats "screen<N>.tga" for the first N from COUNTER on that names nothing in the working
// directory, and leaves COUNTER at that N.
void next_screenshot_name(int32_t &counter, char *name, size_t size);
