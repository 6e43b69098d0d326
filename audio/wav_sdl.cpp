// Reading a WAV file through SDL's loader and converting it with SDL's converter.
#include <SDL/SDL.h>
#include <climits>
#include <cstring>

#include "audio/voice.h"
#include "audio/wav_read.h"

// SDL's own words when it set any, else ours.
static const char *sdl_reason(const char *ours) {
    const char *said = SDL_GetError();
    return said && *said ? said : ours;
}

// Runs SDL's conversion over a copy of the loaded bytes into clip; null, or why it could not.
static const char *convert_to_device_format(const SDL_AudioSpec &format, const Uint8 *wav,
                                            Uint32 len, SampleClip &clip) {
    if (!wav || len == 0) return "no samples";
    SDL_AudioCVT cvt;
    std::memset(&cvt, 0, sizeof cvt);
    SDL_ClearError();
    int built = SDL_BuildAudioCVT(&cvt, format.format, format.channels, format.freq, AUDIO_S16LSB,
                                  1, SAMPLE_RATE);
    if (built < 0 || cvt.len_mult < 1) return sdl_reason("no conversion to 16-bit mono 44100 Hz");
    if (len > static_cast<Uint32>(INT_MAX / cvt.len_mult)) return "too long to convert";
    size_t bytes = static_cast<size_t>(len) * cvt.len_mult;
    int16_t *buf = new int16_t[bytes / 2 + 1];
    std::memcpy(buf, wav, len);
    int converted = static_cast<int>(len);
    if (built) {
        cvt.buf = reinterpret_cast<Uint8 *>(buf);
        cvt.len = converted;
        SDL_ClearError();
        bool ran = SDL_ConvertAudio(&cvt) == 0;
        if (!ran || cvt.len_cvt < 0 || cvt.len_cvt > static_cast<int>(bytes)) {
            delete[] buf;
            return ran ? "conversion overran its buffer" : sdl_reason("conversion failed");
        }
        converted = cvt.len_cvt;
    }
    if (converted < 2) {
        delete[] buf;
        return "no samples";
    }
    clip = SampleClip{converted / 2, buf};
    return nullptr;
}

const char *read_wav(const char *path, SampleClip &clip) {
    SDL_AudioSpec format;
    Uint8 *wav = nullptr;
    Uint32 len = 0;
    SDL_ClearError();
    if (!SDL_LoadWAV_RW(SDL_RWFromFile(path, "rb"), 1, &format, &wav, &len))
        return sdl_reason("not a WAV file");
    const char *reason = convert_to_device_format(format, wav, len, clip);
    SDL_FreeWAV(wav);
    return reason;
}
