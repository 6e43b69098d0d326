// Writing the offline mix as a WAV file: the RIFF header, then little-endian samples.
#include "wav.h"

// The RIFF chunk's size, 36 header bytes and the samples, is a 32-bit count.
constexpr uint64_t MOST_SAMPLES = (0xffffffffu - 36) / 2;

uint64_t samples_for_ticks(uint64_t ticks) {
    return ticks * 2205 / 2;
}

bool wav_holds(uint64_t samples) {
    return samples <= MOST_SAMPLES;
}

uint64_t longest_wav_ticks() {
    return (2 * MOST_SAMPLES + 1) / 2205; // the last whole tick within floor(ticks * 2205 / 2)
}

static void put32(unsigned char *p, uint32_t v) {
    for (int i = 0; i < 4; i++) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

static void put16(unsigned char *p, uint16_t v) {
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
}

static bool write_header(FILE *f, uint32_t data_bytes) {
    unsigned char h[44] = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E',
                           'f', 'm', 't', ' ', 0, 0, 0, 0, 0,   0,   0,   0};
    put32(h + 4, 36 + data_bytes);
    put32(h + 16, 16);
    put16(h + 20, 1);         // PCM
    put16(h + 22, 1);         // mono
    put32(h + 24, 44100);     // samples per second
    put32(h + 28, 44100 * 2); // bytes per second
    put16(h + 32, 2);         // bytes per frame
    put16(h + 34, 16);        // bits per sample
    h[36] = 'd', h[37] = 'a', h[38] = 't', h[39] = 'a';
    put32(h + 40, data_bytes);
    return std::fwrite(h, 1, sizeof h, f) == sizeof h;
}

bool start_wav(FILE *f) {
    return write_header(f, 0);
}

bool append_wav(FILE *f, const int16_t *samples, int count) {
    unsigned char bytes[4096];
    while (count > 0) {
        int n = count < 2048 ? count : 2048;
        for (int i = 0; i < n; i++) put16(bytes + 2 * i, static_cast<uint16_t>(samples[i]));
        if (std::fwrite(bytes, 2, n, f) != static_cast<size_t>(n)) return false;
        samples += n;
        count -= n;
    }
    return true;
}

bool finish_wav(FILE *f, uint64_t samples) {
    if (!wav_holds(samples)) return false;
    return std::fseek(f, 0, SEEK_SET) == 0 && write_header(f, static_cast<uint32_t>(samples * 2));
}
