// The screenshot counter: numbered from 0 in every run, passing over the names already taken.
#pragma once

#include <cstddef>
#include <cstdint>

extern int32_t screenshot_counter; // the next number to try; 0 at the start of every run

// Formats "screen<N>.tga" for the first N from the counter on that names nothing in the
// working directory, and leaves the counter at that N.
void next_screenshot_name(char *name, size_t size);
