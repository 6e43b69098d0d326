// The clip table: WAV files loaded through SDL and converted to signed 16-bit mono 44100 Hz.
#include "audio/clips.h"

#include <SDL/SDL.h>
#include <climits>
#include <cstdio>
#include <cstring>

#include "audio/voice.h"

std::vector<SampleClip> sample_clips;

static const char *const clip_names[] = {"growl", "baby"};
static_assert(sizeof clip_names / sizeof clip_names[0] == NUM_CLIPS, "one name per clip");

static SampleClip failed_clip(const char *path) {
    std::fprintf(stderr, "Couldn't load %s: %s\n", path, SDL_GetError());
    return SampleClip{0, nullptr};
}

// Runs SDL's conversion over a copy of the loaded bytes; null when it cannot be built or run.
static int16_t *convert_to_device_format(const SDL_AudioSpec &format, const Uint8 *wav, Uint32 len,
                                         int *out_len) {
    SDL_AudioCVT cvt;
    std::memset(&cvt, 0, sizeof cvt);
    int built = SDL_BuildAudioCVT(&cvt, format.format, format.channels, format.freq, AUDIO_S16LSB,
                                  1, SAMPLE_RATE);
    if (built < 0 || cvt.len_mult < 1) return nullptr;
    if (len > static_cast<Uint32>(INT_MAX / cvt.len_mult)) return nullptr;
    size_t bytes = static_cast<size_t>(len) * cvt.len_mult;
    int16_t *buf = new int16_t[bytes / 2 + 1];
    std::memcpy(buf, wav, len);
    if (built == 0) {
        *out_len = static_cast<int>(len);
        return buf;
    }
    cvt.buf = reinterpret_cast<Uint8 *>(buf);
    cvt.len = static_cast<int>(len);
    if (SDL_ConvertAudio(&cvt) < 0 || cvt.len_cvt < 0 ||
        cvt.len_cvt > static_cast<int>(len) * cvt.len_mult) {
        delete[] buf;
        return nullptr;
    }
    *out_len = cvt.len_cvt;
    return buf;
}

SampleClip load_clip(const char *name) {
    char path[256];
    std::snprintf(path, sizeof path, "dat/samples/%s.wav", name);
    SDL_AudioSpec format;
    Uint8 *wav = nullptr;
    Uint32 len = 0;
    if (!SDL_LoadWAV_RW(SDL_RWFromFile(path, "rb"), 1, &format, &wav, &len))
        return failed_clip(path);
    int converted = 0;
    int16_t *buf = convert_to_device_format(format, wav, len, &converted);
    SDL_FreeWAV(wav);
    if (!buf) return failed_clip(path);
    return SampleClip{converted / 2, buf};
}

void load_clips() {
    for (const char *name : clip_names) sample_clips.push_back(load_clip(name));
}

void free_clips() {
    for (SampleClip &c : sample_clips) delete[] c.data;
    sample_clips.clear();
}

int16_t clip_sample(int clip, uint32_t n) {
    if (clip < 0 || static_cast<size_t>(clip) >= sample_clips.size()) return 0;
    const SampleClip &c = sample_clips[clip];
    if (!c.data || n >= static_cast<uint32_t>(c.length)) return 0;
    return c.data[n];
}
