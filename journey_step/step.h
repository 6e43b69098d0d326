// One step of a journey, the same in the game, velmoor-sim and soak: the journey's motion and
// the audio thread's draws before the tick, the tick, then the recording and the sync check.
// Each caller adds only its own around it: the game SDL's audio lock and its screen, velmoor-sim
// its offline mixer and outputs, soak its autopilot.
#pragma once

#include <cstddef>
#include <cstdint>

#include "journey/journey.h"

struct JourneyStep {
    const Journey *journey;    // followed: its motion, audio draws and sync lines; null when
                               // the mouse or an autopilot rows
    JourneyPlace at;           // how far it has been followed
    uint64_t ticks_run;        // ticks of the journey run, up to the world's end
    uint64_t draws_after_tick; // shared-stream values drawn when the last tick ended
    uint64_t audio;            // the audio thread's draws before the tick last run
    bool ended;                // the world asked to quit: the ticks after it change nothing
                               // and are not part of the journey
    bool unrecorded;           // a tick has run that end_step has not yet recorded
    bool marked;               // that tick was a visit, a catch or a restart
};

// Starts stepping JOURNEY (or none); DRAWN: the values drawn before the audio thread began.
void start_step(JourneyStep &s, const Journey *journey, uint64_t drawn);
// Tick 0: the audio thread's draws before it, then the world's first reset.
void step_first_reset(JourneyStep &s);
// The next tick, after its motion and the audio thread's draws before it.
void step_tick(JourneyStep &s);
// After step_first_reset or step_tick: the recording's lines (a sync line every 100 ticks and
// after every visit, catch and restart), then the journey's sync line checked: false when the
// world is not the journey's, WHY then naming the tick and what differs.
bool end_step(JourneyStep &s, char *why, size_t n);
// The recording's closing line and the file closed; false when it could not all be written.
bool finish_step_recording(const JourneyStep &s);

// The world's state hashed into a sync line: one short hash for each part of the state, in
// its declared order, so that a replay that strays names the part.
void hash_state(SyncPoint &p);

// 44100 Hz x 25 ms is 1102.5 samples: the ticks take 1102 and 1103 in turn, from tick 1.
uint64_t samples_for_ticks(uint64_t ticks); // ticks 1 to TICKS together
int samples_in_tick(uint64_t tick);
