// Sound events: each game event becomes a handful of voices or a change to the mixer's levels.
#include "audio/sound.h"

void (*sound_event_observer)(int32_t, float, float, float, float, int32_t);

void sound_event(int32_t id, float x, float y, float z, float amount, int32_t note) {
    if (sound_event_observer)
        sound_event_observer(id, x, y, z, amount, note);
}
