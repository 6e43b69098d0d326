// Test support: a blank world, the sound events it raises, and draw accounting.
#pragma once

#include <cstdint>

#include "event_log/event_log.h"
#include "sim/phases.h"

// Every variable zero, every container empty, the random source seeded, the event log
// started afresh.
void blank_world(uint32_t seed = 1);
// How many random draws the real sound_event makes for this event right now.
uint64_t event_draws(int32_t id);
// Events of one id in the log.
int count_events(int32_t id);
