// Test support: a blank world, and the sound events it raises.
#include "world.h"
#include "audio/listener.h"

#include <algorithm>
#include <cstring>

#include "audio/audio.h"
#include "audio/sound.h"
#include "base/random.h"

static void blank_scalars() {
#define BLANK_SCALAR(type, name, key, reset, part) name = type{};
    VELMOOR_SCALARS(BLANK_SCALAR)
#undef BLANK_SCALAR
    listener_pos.store(0.0f, 0.0f, 0.0f);
    growl_pos.store(0.0f, 0.0f, 0.0f);
}

void blank_world(uint32_t seed) {
    blank_scalars();
    std::memset(sea_height, 0, sizeof sea_height);
    std::memset(sea_velocity, 0, sizeof sea_velocity);
    plants.clear();
    lights.clear();
    babies.clear();
    walls.clear();
    sparks.clear();
    drop_voices();
    seed_random(seed);
    start_event_log();
}

uint64_t event_draws(int32_t id) {
    auto saved = sound_event_observer;
    sound_event_observer = nullptr;
    uint64_t before = random_draws();
    sound_event(id, 0.0f, 0.0f, 0.0f, 0.0f, 0);
    uint64_t n = random_draws() - before;
    drop_voices();
    sound_event_observer = saved;
    return n;
}

int count_events(int32_t id) {
    return static_cast<int>(std::count_if(logged_events.begin(), logged_events.end(),
                                          [id](const LoggedEvent &e) { return e.id == id; }));
}
