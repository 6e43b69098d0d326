// Reading one WAV file as signed 16-bit mono 44100 Hz samples. Two implementations, one per
// build: SDL's loader and converter (audio/wav_sdl.cpp) where SDL has them, and our own reader of
// the one format our recordings use (web/wav_reader.cpp) where it has not, as in the browser.
#pragma once

#include "audio/clips.h"

// Null, with CLIP holding the samples (owned, new[]), or why the file could not be read.
const char *read_wav(const char *path, SampleClip &clip);
