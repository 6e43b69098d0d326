// Writing WAV files: the canonical 44-byte PCM header, then little-endian samples.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

struct WavFormat {
    uint32_t rate;     // frames per second
    uint16_t channels; // interleaved in each frame
    uint16_t bits;     // per sample: 8 (unsigned) or 16 (signed)
};

constexpr WavFormat WAV_MONO16 = {44100, 1, 16}; // the game's own format
constexpr uint32_t WAV_HEADER_BYTES = 44;

// Writes the header of a file whose data chunk holds DATA_BYTES bytes; false if it failed.
// A length too large for the RIFF chunk's own size (only a damaged file claims one) leaves
// that size at its largest rather than wrapping.
bool write_wav_header(FILE *f, WavFormat format, uint32_t data_bytes);
// Writes COUNT signed 16-bit samples little-endian, whatever the machine's order.
bool write_wav_samples(FILE *f, const int16_t *samples, size_t count);
