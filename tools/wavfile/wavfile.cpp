// The WAV writer behind wavfile.h.
#include "wavfile/wavfile.h"

static void put32(unsigned char *p, uint32_t v) {
    for (int i = 0; i < 4; i++) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

static void put16(unsigned char *p, uint16_t v) {
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
}

bool write_wav_header(FILE *f, WavFormat format, uint32_t data_bytes) {
    unsigned char h[WAV_HEADER_BYTES] = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E',
                                         'f', 'm', 't', ' ', 0, 0, 0, 0, 0,   0,   0,   0};
    uint16_t frame_bytes = static_cast<uint16_t>(format.channels * format.bits / 8);
    put32(h + 4, data_bytes > 0xffffffffu - 36 ? 0xffffffffu : 36 + data_bytes);
    put32(h + 16, 16); // the format chunk's size
    put16(h + 20, 1);  // PCM
    put16(h + 22, format.channels);
    put32(h + 24, format.rate);
    put32(h + 28, format.rate * frame_bytes); // bytes per second
    put16(h + 32, frame_bytes);
    put16(h + 34, format.bits);
    h[36] = 'd', h[37] = 'a', h[38] = 't', h[39] = 'a';
    put32(h + 40, data_bytes);
    return std::fwrite(h, 1, sizeof h, f) == sizeof h;
}

bool write_wav_samples(FILE *f, const int16_t *samples, size_t count) {
    unsigned char bytes[4096];
    while (count > 0) {
        size_t n = count < 2048 ? count : 2048;
        for (size_t i = 0; i < n; i++) put16(bytes + 2 * i, static_cast<uint16_t>(samples[i]));
        if (std::fwrite(bytes, 2, n, f) != n) return false;
        samples += n;
        count -= n;
    }
    return true;
}
