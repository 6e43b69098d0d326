// A mono signed 16-bit 44100 Hz WAV file, written as the samples come.
#pragma once

#include <cstdint>
#include <cstdio>

// Whether a file of this many samples keeps within the RIFF format's 32-bit sizes.
bool wav_holds(uint64_t samples);
// The most ticks whose samples a WAV file can hold.
uint64_t longest_wav_ticks();

// Writes a header to be completed by finish_wav.
bool start_wav(FILE *f);
bool append_wav(FILE *f, const int16_t *samples, int count);
// Fills in the header's sizes for the given number of samples.
bool finish_wav(FILE *f, uint64_t samples);
