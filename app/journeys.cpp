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
#include "base/version.h"
#include "journey/journey.h"
#include "journey_step/step.h"
#include "sim/state.h"

// The game's journey: the world's steps, and what only the game has of a playback: its file,
// its speed, and the screenshots it asks for, each waiting for its frame.
struct GameJourney {
    JourneyStep step;        // the world's ticks, recorded and checked against the journey
    Journey played;          // the journey played back
    const char *play_path;   // its file; null when the game started without one
    bool following;          // the journey rows; false once it has run out and the mouse rows
    const char *record_path; // the recording's file, or null
    uint32_t speed;          // playback ticks per 25 ms of wall time
    uint64_t ticks_owed;     // playback ticks due but held for a screenshot's frame
    bool frame_behind;       // ticks have run since a frame was last presented
    bool desync_told;        // a desync is told once
};

static GameJourney game = {{}, {}, nullptr, false, nullptr, 1, 0, true, false};

__attribute__((format(printf, 1, 2))) static void give_up(const char *line, ...) {
    std::va_list args;
    va_start(args, line);
    std::fputs("velmoor: ", stderr);
    std::vfprintf(stderr, line, args);
    std::fputc('\n', stderr);
    va_end(args);
    std::exit(1);
}

static bool playing(const GameJourney &g) {
    return g.following;
}

static void open_playback(GameJourney &g, const char *path, const char *speed) {
    if (!read_journey(path, "velmoor", g.played)) std::exit(1);
    if (!g.played.has_seed) give_up("%s has no seed line: a journey starts from its seed", path);
    warn_other_version(g.played, velmoor_version, "velmoor", path);
    if (speed && *speed) {
        char *end = nullptr;
        unsigned long s = std::strtoul(speed, &end, 10);
        if (*end || s < 1 || s > 1000 || *speed < '0' || *speed > '9')
            give_up("VELMOOR_PLAY_SPEED is %s, not a whole number of ticks from 1 to 1000", speed);
        g.speed = static_cast<uint32_t>(s);
    }
    g.play_path = path;
    g.following = true;
    mixer_own_random = true; // the world's stream takes the journey's draws alone
    seed_own_random(g.played.seed);
}

uint32_t open_journeys() {
    const char *play = std::getenv("VELMOOR_PLAY");
    const char *record = std::getenv("VELMOOR_RECORD");
    if (play && *play && record && *record && !std::strcmp(play, record))
        give_up("VELMOOR_PLAY and VELMOOR_RECORD both name %s", play);
    if (play && *play) open_playback(game, play, std::getenv("VELMOOR_PLAY_SPEED"));
    uint32_t seed = playing(game) ? game.played.seed : clock_seed();
    if (record && *record) {
        if (!start_recording(record, velmoor_version, seed))
            give_up("cannot write %s: %s", record, std::strerror(errno));
        game.record_path = record;
    }
    return seed;
}

// The journey has run out after its last line: real time again, and the mouse rows, its
// motion recorded with its ticks like any player's. The mixer goes back to the world's stream,
// as in every game the mouse rows, and the recording holds its draws as audio lines, as every
// such recording does: the switch is made under SDL's audio lock, between two ticks, so that
// each draw it makes on the world's stream falls before a tick and is counted there, and a
// replay takes it at the same place. (Left on its own stream it would replay as exactly, but
// the rest of the game would be one whose stream the audio thread never touched.)
static void hand_over(GameJourney &g) {
    g.following = false;
    g.ticks_owed = 0;
    g.step.journey = nullptr;
    SDL_LockAudio();
    mixer_own_random = false;
    SDL_UnlockAudio();
    std::fprintf(stderr, "velmoor: %s ends at tick %llu; the mouse rows from here, in real time\n",
                 g.play_path, static_cast<unsigned long long>(g.step.ticks_run));
}

// After a step: the recording, the sync check (a desync told once), and at the journey's end
// the hand-over to the mouse, told to the watcher and to a test.
static void end_game_step(GameJourney &g) {
    bool counted = g.step.unrecorded;
    char why[200];
    if (!end_step(g.step, why, sizeof why) && !g.desync_told) {
        std::fprintf(stderr, "velmoor: %s: %s\n", g.play_path, why);
        g.desync_told = true;
    }
    if (!counted) return;
    g.frame_behind = true;
    if (playing(g) && g.step.ticks_run == g.played.length) hand_over(g);
}

// The callback runs with SDL's audio lock held, so between SDL_LockAudio and SDL_UnlockAudio
// no draw of the mixer's can fall: its draws fall between two ticks, never inside one.
void start_world(uint64_t drawn_before_audio) {
    start_step(game.step, playing(game) ? &game.played : nullptr, drawn_before_audio);
    SDL_LockAudio();
    step_first_reset(game.step);
    SDL_UnlockAudio();
    end_game_step(game);
}

static void run_game_tick(GameJourney &g) {
    SDL_LockAudio();
    step_tick(g.step);
    SDL_UnlockAudio();
    end_game_step(g);
}

void take_mouse_motion(int xrel, int yrel) {
    if (playing(game)) return;
    add_mouse_motion(xrel, yrel);
    record_motion(game.step.ticks_run + 1, xrel, yrel);
}

void take_print_screen() {
    take_screenshot();
    record_print(game.step.ticks_run + 1);
}

// A screenshot of the journey's is taken once the frame of the tick before it is presented.
static void play_due_ticks(GameJourney &g, uint32_t n) {
    g.ticks_owed += static_cast<uint64_t>(n) * g.speed;
    while (playing(g) && g.ticks_owed > 0) {
        if (print_due(g.played, g.step.at, g.step.ticks_run + 1)) {
            if (g.frame_behind) return;
            take_print(g.step.at);
            take_print_screen();
            continue;
        }
        run_game_tick(g);
        g.ticks_owed--;
    }
}

void run_due_ticks(uint32_t n) {
    if (playing(game)) return play_due_ticks(game, n);
    for (; n > 0; n--) run_game_tick(game);
}

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
// The page asks how many ticks have run (its velmoor.tick()).
extern "C" EMSCRIPTEN_KEEPALIVE double velmoor_ticks() {
    return static_cast<double>(game.step.ticks_run);
}
#endif

void frame_presented() {
    game.frame_behind = false;
}

void close_journeys() {
    if (!finish_step_recording(game.step))
        std::fprintf(stderr,
                     "velmoor: the recording %s is incomplete: it could not all be written\n",
                     game.record_path);
}
