// Test support: a blank world, a record of the sound events raised, and draw accounting.
#pragma once

#include <cstdint>
#include <vector>

#include "sim/phases.h"

struct RaisedEvent {
    int32_t id;
    float x, y, z, amount;
    int32_t note;
};

extern std::vector<RaisedEvent> raised; // every sound event since blank_world

// Every variable zero, every container empty, the random source seeded, no events.
void blank_world(uint32_t seed = 1);
// How many random draws the real sound_event makes for this event right now.
uint64_t event_draws(int32_t id);
// Events of one id among those raised.
int count_events(int32_t id);
