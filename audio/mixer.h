// The mixer: the live voices, the hiss, the growl loop and the melody, one sample at a time.
#pragma once

#include <SDL/SDL.h>
#include <atomic>
#include <cstdint>
#include <mutex>

#include "audio/voice.h"

constexpr uint32_t MELODY_PERIOD = 26460; // samples between melody notes (0.6 s)

extern Voice *voices;         // live voices, oldest first; owned, freed when finished
extern Voice *voices_tail;    // the newest voice, where appends go; null when empty
extern std::mutex voice_lock; // held by the mixer for a whole buffer, by the game thread per append
extern uint32_t sample_clock; // output samples mixed so far, wrapping at 2^32; audio thread only
extern std::atomic<float> row_noise; // level of the oars' hiss, fed by strokes, decays per sample
extern std::atomic<bool> growl_on;   // the growl loop sounds at growl_pos
extern bool voices_unheard; // no device could be opened: an event's voices are made, then dropped
extern int32_t melody_note; // the next note: 0..6 the degrees, 7 degree 0 an octave up
extern bool melody_rising;  // direction of the melody's walk

// Links a voice at the back of the list; the caller holds voice_lock or is the mixer itself.
void append_voice(Voice *v);
int count_voices(); // caller holds voice_lock or is the only thread touching the voices

void melody_step(); // appends the next note and advances the walk; inside the mixer only

// The SDL callback: len / 2 samples into stream; nothing when that is below 1.
void mix_audio(void *userdata, Uint8 *stream, int len);
