// The game's start-up without a window or a device.
#include "headless/headless.h"

#include "audio/audio.h"
#include "base/random.h"
#include "plant_grammar/plant_grammar.h"
#include "sim/state.h"

void start_headless(uint32_t seed) {
    start_headless_replay(seed, 0);
}

// In the game the device starts before the first reset, and its draws may come first.
void start_headless_replay(uint32_t seed, uint64_t audio_draws) {
    seed_random(seed);
    grow_plant_texts();
    audio_prepare();
    skip_random(audio_draws);
    reset_world();
}

void forget_tick_sounds() {
    drop_voices();
}
