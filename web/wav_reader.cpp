// Reading a WAV file without SDL's loader, which the browser's SDL lacks: our recordings are
// 16-bit mono 44100 Hz PCM, taken as they are; any other format is refused, not converted.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "audio/voice.h"
#include "audio/wav_read.h"

static uint32_t little32(const unsigned char *p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

static uint16_t little16(const unsigned char *p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

static bool read_file(const char *path, std::vector<unsigned char> &bytes) {
    FILE *f = std::fopen(path, "rb");
    if (!f) return false;
    unsigned char buffer[65536];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;)
        bytes.insert(bytes.end(), buffer, buffer + n);
    bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

const char *read_wav(const char *path, SampleClip &clip) {
    std::vector<unsigned char> b;
    if (!read_file(path, b)) return "cannot be read";
    if (b.size() < 12 || std::memcmp(&b[0], "RIFF", 4) || std::memcmp(&b[8], "WAVE", 4))
        return "not a WAV file";
    const unsigned char *format = nullptr, *data = nullptr;
    size_t data_len = 0;
    for (size_t at = 12; at + 8 <= b.size();) {
        size_t len = little32(&b[at + 4]);
        size_t held = len < b.size() - at - 8 ? len : b.size() - at - 8;
        if (!std::memcmp(&b[at], "fmt ", 4) && held >= 16) format = &b[at + 8];
        if (!std::memcmp(&b[at], "data", 4)) data = &b[at + 8], data_len = held;
        at += 8 + len + (len & 1); // chunks are padded to even lengths
    }
    if (!format || !data) return "not a WAV file";
    if (little16(format) != 1 || little16(format + 2) != 1 || little32(format + 4) != SAMPLE_RATE ||
        little16(format + 14) != 16)
        return "not 16-bit mono 44100 Hz PCM, the one format read here";
    if (data_len < 2) return "no samples";
    int32_t n = static_cast<int32_t>(data_len / 2);
    int16_t *samples = new int16_t[n];
    for (int32_t i = 0; i < n; i++) samples[i] = static_cast<int16_t>(little16(data + 2 * i));
    clip = SampleClip{n, samples};
    return nullptr;
}
