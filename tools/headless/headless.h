// The game without its window: start-up and the after-tick step shared by the driver and the
// benchmark.
#pragma once

#include <cstdint>

// The game's start-up minus the window: seeded, plant texts grown, audio tables made
// without a device, the world reset without its noise texture.
void start_headless(uint32_t seed);
// All of it but the reset, which a journey's step makes.
void prepare_headless(uint32_t seed);
// What the game's device would have done with the tick's voices when nothing is mixed.
void forget_tick_sounds();
