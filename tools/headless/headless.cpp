// The game's start-up without a window or a device.
#include "headless/headless.h"

#include "audio/audio.h"
#include "base/random.h"
#include "plant_grammar/plant_grammar.h"
#include "sim/state.h"

void prepare_headless(uint32_t seed) {
    seed_random(seed);
    grow_plant_texts();
    audio_prepare();
}

void start_headless(uint32_t seed) {
    prepare_headless(seed);
    reset_world();
}

void forget_tick_sounds() {
    drop_voices();
}
