// The sound events the game raises, and the one call that raises them.
#pragma once

#include <cstdint>

enum SoundEventId : int32_t {
    SOUND_ROW_SPLASH = 0,     // every tick past the fades: feeds the oars' hiss
    SOUND_BABY_BURST = 1,     // a touched baby bursts
    SOUND_BABY_TOUCHED = 2,   // the boat touches a free baby
    SOUND_FIRST_ARRIVAL = 3,  // first lighthouse visit
    SOUND_CAUGHT = 4,         // the chaser reaches the boat
    SOUND_SECOND_ARRIVAL = 5, // second visit: also starts the growl
    SOUND_THIRD_ARRIVAL = 6,  // third visit
    SOUND_WALL_BUMP = 7,      // the boat is pushed off a wall
    SOUND_PLANT_BUMP = 8,     // the boat is pushed off a plant
    SOUND_LIGHT_ARRIVED = 9,  // a light reaches the lighthouse; note = its index % 7
    SOUND_RESTARTED = 10,     // right after a restart's reset: silences hiss and growl
    SOUND_JOURNEY_END = 11,   // fourth visit: the closing phrase
    NUM_SOUND_EVENTS
};

// Turns one game event into voices or mixer-level changes. Game thread only.
void sound_event(int32_t id, float x, float y, float z, float amount, int32_t note);

// Told of every sound event before it sounds; for the headless driver's trace and for tests.
extern void (*sound_event_observer)(int32_t id, float x, float y, float z, float amount,
                                    int32_t note);

// Where positional voices are heard from (the boat) and where the growl sounds (the chaser);
// the game thread places them, the mixer reads them.
void place_listener(float x, float y, float z);
void place_growl(float x, float y, float z);
