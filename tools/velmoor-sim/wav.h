// A mono signed 16-bit 44100 Hz WAV file, written as the samples come.
#pragma once

#include <cstdint>
#include <cstdio>

// Writes a header to be completed by finish_wav.
bool start_wav(FILE *f);
bool append_wav(FILE *f, const int16_t *samples, int count);
// Fills in the header's sizes for the given number of samples.
bool finish_wav(FILE *f, uint64_t samples);
