// The audio device's start-up and shutdown, and the same steps without a device.
#include "audio/audio.h"

#include <SDL/SDL.h>
#include <cstdio>
#include <cstring>

#include "audio/clips.h"
#include "audio/mixer.h"

void audio_prepare() {
    build_scale();
    growl_on.store(false, std::memory_order_relaxed);
    row_noise.store(1.0f, std::memory_order_relaxed);
    load_clips();
    build_tone_tables();
}

void audio_release() {
    drop_voices();
    free_clips();
    free_tone_tables();
}

bool voices_unheard;

// No obtained format is asked for, so SDL converts to whatever the hardware takes. A device
// that cannot be opened leaves the game silent and otherwise unchanged, except that the voices
// of its events are dropped as they are made, since no mixer will ever play and free them.
void audio_init() {
    audio_prepare();
    SDL_AudioSpec desired;
    std::memset(&desired, 0, sizeof desired);
    desired.freq = SAMPLE_RATE;
    desired.format = AUDIO_S16LSB;
    desired.channels = 1;
    desired.samples = 2048;
    desired.callback = mix_audio;
    desired.userdata = nullptr;
    voices_unheard = SDL_OpenAudio(&desired, nullptr) < 0;
    if (voices_unheard) std::fprintf(stderr, "velmoor: no sound: %s\n", SDL_GetError());
    SDL_PauseAudio(0);
}

void audio_shutdown() {
    SDL_PauseAudio(1);
    SDL_CloseAudio();
    audio_release();
}
