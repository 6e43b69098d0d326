// Journeys in the game: every tick under SDL's audio lock, recorded and played back.
#include "app/journeys.h"

#include <SDL/SDL.h>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/shell.h"
#include "audio/audio.h"
#include "base/random.h"
#include "journey/journey.h"
#include "sim/state.h"

uint64_t ticks_run;
bool playing_journey;
uint32_t play_speed = 1;

static Journey journey;           // the journey being played
static JourneyPlace place;        // how far it has been played
static const char *play_path;     // its file
static const char *record_path;   // the recording's file, or null
static uint64_t draws_after_tick; // shared-stream values drawn when the last tick ended
static bool world_ended;          // a tick asked to quit: the journey is over
static bool frame_behind = true;  // ticks have run since a frame was last presented
static uint64_t ticks_owed;       // playback ticks due but held for a screenshot's frame
static bool desync_told;          // a desync is told once

__attribute__((format(printf, 1, 2))) static void give_up(const char *line, ...) {
    std::va_list args;
    va_start(args, line);
    std::fputs("velmoor: ", stderr);
    std::vfprintf(stderr, line, args);
    std::fputc('\n', stderr);
    va_end(args);
    std::exit(1);
}

static void open_playback(const char *path, const char *speed) {
    if (!read_journey(path, "velmoor", journey)) std::exit(1);
    if (!journey.has_seed) give_up("%s has no seed line: a journey starts from its seed", path);
    if (speed && *speed) {
        char *end = nullptr;
        unsigned long s = std::strtoul(speed, &end, 10);
        if (*end || s < 1 || s > 1000 || *speed < '0' || *speed > '9')
            give_up("VELMOOR_PLAY_SPEED is %s, not a whole number of ticks from 1 to 1000", speed);
        play_speed = static_cast<uint32_t>(s);
    }
    playing_journey = true;
    play_path = path;
    mixer_own_random = true; // the world's stream takes the journey's draws alone
    seed_own_random(journey.seed);
}

uint32_t open_journeys() {
    const char *play = std::getenv("VELMOOR_PLAY");
    const char *record = std::getenv("VELMOOR_RECORD");
    if (play && *play && record && *record && !std::strcmp(play, record))
        give_up("VELMOOR_PLAY and VELMOOR_RECORD both name %s", play);
    if (play && *play) open_playback(play, std::getenv("VELMOOR_PLAY_SPEED"));
    uint32_t seed = playing_journey ? journey.seed : clock_seed();
    if (record && *record) {
        if (!start_recording(record, seed))
            give_up("cannot write %s: %s", record, std::strerror(errno));
        record_path = record;
    }
    return seed;
}

// The watcher, and a test, learn when the journey's input has run out.
static void tell_journey_end(uint64_t tick) {
    if (playing_journey && tick == journey.length)
        std::fprintf(stderr, "velmoor: %s ends at tick %llu; the game goes on without input\n",
                     play_path, static_cast<unsigned long long>(tick));
}

static void check_sync(uint64_t tick) {
    char why[200];
    if (!playing_journey || desync_told ||
        journey_in_sync(journey, place, tick, draws_after_tick, why, sizeof why))
        return;
    std::fprintf(stderr, "velmoor: %s: %s\n", play_path, why);
    desync_told = true;
}

// One step of the world with the audio thread held off: the callback runs with SDL's audio
// lock held, so between SDL_LockAudio and SDL_UnlockAudio no draw of the mixer's can fall.
// Returns the values the audio thread drew since the previous step.
static uint64_t locked_step(uint64_t tick, void (*step)()) {
    SDL_LockAudio();
    if (playing_journey) skip_random(audio_draws_before(journey, place, tick));
    uint64_t audio = random_draws() - draws_after_tick;
    step();
    draws_after_tick = random_draws();
    SDL_UnlockAudio();
    return audio;
}

void start_world(uint64_t drawn_before_audio) {
    draws_after_tick = drawn_before_audio;
    uint64_t audio = locked_step(0, reset_world);
    record_tick(0, audio, draws_after_tick);
    check_sync(0);
    tell_journey_end(0);
}

void take_mouse_motion(int xrel, int yrel) {
    if (playing_journey) return;
    add_mouse_motion(xrel, yrel);
    record_motion(ticks_run + 1, xrel, yrel);
}

void take_print_screen() {
    take_screenshot();
    record_print(ticks_run + 1);
}

static void deliver_journey_motion(uint64_t tick) {
    while (const Motion *m = next_motion(journey, place, tick)) {
        add_mouse_motion(m->xrel, m->yrel);
        record_motion(tick, m->xrel, m->yrel);
    }
}

// The world ends the journey by asking to quit from inside a tick, perhaps after Escape did;
// the ticks that still run in that frame change nothing and are not part of the journey.
static void run_game_tick() {
    uint64_t tick = ticks_run + 1;
    if (playing_journey) deliver_journey_motion(tick);
    bool asked = quit_requested;
    quit_requested = false;
    uint64_t audio = locked_step(tick, run_tick);
    bool ended = quit_requested;
    quit_requested = asked || ended;
    if (world_ended) return;
    world_ended = ended;
    ticks_run = tick;
    frame_behind = true;
    record_tick(tick, audio, draws_after_tick);
    check_sync(tick);
    tell_journey_end(tick);
}

// A screenshot of the journey's is taken once the frame of the tick before it is presented.
static void play_due_ticks(uint32_t n) {
    ticks_owed += static_cast<uint64_t>(n) * play_speed;
    while (ticks_owed > 0) {
        if (print_due(journey, place, ticks_run + 1)) {
            if (frame_behind) return;
            take_print(place);
            take_print_screen();
            continue;
        }
        run_game_tick();
        ticks_owed--;
    }
}

void run_due_ticks(uint32_t n) {
    if (playing_journey) return play_due_ticks(n);
    for (; n > 0; n--) run_game_tick();
}

void frame_presented() {
    frame_behind = false;
}

void close_journeys() {
    if (!finish_recording(ticks_run, draws_after_tick))
        std::fprintf(stderr,
                     "velmoor: the recording %s is incomplete: it could not all be written\n",
                     record_path);
}
