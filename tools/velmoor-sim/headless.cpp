// The game's start-up without a window or a device.
#include "tools/velmoor-sim/headless.h"

#include "audio/audio.h"
#include "render/plant_text.h"
#include "sim/random.h"
#include "sim/state.h"

void start_headless(uint32_t seed) {
    seed_random(seed);
    grow_plant_texts();
    audio_prepare();
    reset_noise_hook = nullptr;
    reset_world();
}

void forget_tick_sounds() {
    drop_voices();
}
