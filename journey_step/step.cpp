// One journey step: motion, the audio thread's draws, the tick, the recording, the sync check.
#include "journey_step/step.h"

#include "base/random.h"
#include "sim/state.h"

constexpr uint64_t SYNC_EVERY = 100; // ticks between the recording's regular sync lines

// What the tick started from, to tell a visit, a catch or a restart once it has run.
struct Before {
    int32_t stage;
    bool ending, caught;
    uint32_t resets;
};

void start_step(JourneyStep &s, const Journey *journey, uint64_t drawn) {
    s = JourneyStep{};
    s.journey = journey;
    s.draws_after_tick = drawn;
}

// The journey's audio draws before TICK, taken where the game's audio thread took them, and
// the audio thread's draws since the last tick counted (in a replay, those very ones).
static void take_audio_draws(JourneyStep &s, uint64_t tick) {
    if (s.journey) skip_random(audio_draws_before(*s.journey, s.at, tick));
    s.audio = random_draws() - s.draws_after_tick;
}

void step_first_reset(JourneyStep &s) {
    take_audio_draws(s, 0);
    reset_world();
    s.draws_after_tick = random_draws();
    s.unrecorded = true;
    s.marked = false;
}

static void deliver_motion(JourneyStep &s, uint64_t tick) {
    while (const Motion *m = next_motion(*s.journey, s.at, tick)) {
        add_mouse_motion(m->xrel, m->yrel);
        record_motion(tick, m->xrel, m->yrel);
    }
}

// The stage goes on rising while the last lighthouse is reached again during the ending.
static bool marked(const Before &b) {
    bool visit = stage != b.stage && !b.ending;
    bool caught = restart_pending && !b.caught;
    return visit || caught || world_resets != b.resets;
}

void step_tick(JourneyStep &s) {
    if (s.ended) return run_tick();
    uint64_t tick = s.ticks_run + 1;
    if (s.journey) deliver_motion(s, tick);
    take_audio_draws(s, tick);
    Before before{stage, ending, restart_pending, world_resets};
    s.ended = world_at_its_end();
    run_tick();
    s.draws_after_tick = random_draws();
    s.ticks_run = tick;
    s.unrecorded = true;
    s.marked = marked(before);
}

// The world after the last tick, as a sync line holds it.
static SyncPoint world_sync_point(const JourneyStep &s) {
    SyncPoint p{};
    p.tick = s.ticks_run;
    p.draws = s.draws_after_tick;
    p.x = boat_x;
    p.y = boat_y;
    hash_state(p);
    return p;
}

bool end_step(JourneyStep &s, char *why, size_t n) {
    if (!s.unrecorded) return true;
    s.unrecorded = false;
    uint64_t tick = s.ticks_run;
    const SyncPoint *want = s.journey ? sync_due(*s.journey, s.at, tick) : nullptr;
    bool sync_line = recording_journey() && (tick % SYNC_EVERY == 0 || s.marked);
    SyncPoint world{};
    if (want || sync_line) world = world_sync_point(s);
    record_tick(tick, s.audio, sync_line ? &world : nullptr);
    return !want || same_world(*want, world, state_part_names, why, n);
}

bool finish_step_recording(const JourneyStep &s) {
    return finish_recording(world_sync_point(s));
}

uint64_t samples_for_ticks(uint64_t ticks) {
    return ticks * 2205 / 2;
}

int samples_in_tick(uint64_t tick) {
    return static_cast<int>(samples_for_ticks(tick) - samples_for_ticks(tick - 1));
}
