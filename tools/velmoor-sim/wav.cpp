// Writing the offline mix as a WAV file: the RIFF header, then little-endian samples.
#include "wav.h"

#include "wavfile/wavfile.h"

// The RIFF chunk's size, 36 header bytes and the samples, is a 32-bit count.
constexpr uint64_t MOST_SAMPLES = (0xffffffffu - 36) / 2;

bool wav_holds(uint64_t samples) {
    return samples <= MOST_SAMPLES;
}

uint64_t longest_wav_ticks() {
    return (2 * MOST_SAMPLES + 1) / 2205; // the last whole tick within floor(ticks * 2205 / 2)
}

static bool write_header(FILE *f, uint32_t data_bytes) {
    return write_wav_header(f, WAV_MONO16, data_bytes);
}

bool start_wav(FILE *f) {
    return write_header(f, 0);
}

bool append_wav(FILE *f, const int16_t *samples, int count) {
    return write_wav_samples(f, samples, static_cast<size_t>(count));
}

bool finish_wav(FILE *f, uint64_t samples) {
    if (!wav_holds(samples)) return false;
    return std::fseek(f, 0, SEEK_SET) == 0 && write_header(f, static_cast<uint32_t>(samples * 2));
}
