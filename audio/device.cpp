// The audio device's start-up and shutdown.
#include "audio/audio.h"

void audio_init() {}

void audio_shutdown() {}
