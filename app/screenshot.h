// The screenshot counter: a new run writes over the screenshots of the one before.
#pragma once

#include <cstdint>

extern int32_t screenshot_counter; // the next file's number; 0 at the start of every run
