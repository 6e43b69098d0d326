// The audio device and the mixer behind it.
#pragma once

#include <cstdint>

void audio_init();     // tables, clips, device, playback: once, at start-up
void audio_shutdown(); // device closed, then voices, clips and tables freed

// Set before audio_init: the device's mixer draws from the second random stream, so that the
// world's stream takes only the world's draws (a journey played back with live sound). Changed
// later only under SDL's audio lock, which the callback holds: when the journey runs out.
extern bool mixer_own_random;

// The same without a device, for the headless driver, tools and tests.
void audio_prepare();                      // audio_init's tables, levels and clips; no device
void audio_release();                      // audio_shutdown's freeing; no device
void mix_samples(int16_t *out, int count); // the callback's own per-sample path, offline
void drop_voices();                        // frees every voice without mixing it
