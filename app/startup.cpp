// Bringing the game up in its fixed order, and taking it down again.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/journeys.h"
#include "app/shell.h"
#include "assets/assets.h"
#include "audio/audio.h"
#include "base/data.h"
#include "base/random.h"
#include "render/render.h"
#include "render/video.h"
#include "sim/state.h"

// Without a window there is no game: say why in one line and leave.
static void fail_start(const char *what, const char *why) {
    std::fprintf(stderr, "velmoor: %s: %s\n", what, why);
    SDL_Quit();
    std::exit(1);
}

// Started where there is no display, SDL quietly falls back to an invisible driver;
// a player must never get an invisible game unless SDL_VIDEODRIVER asked for it.
static void require_visible_display() {
    char name[64] = "";
    SDL_VideoDriverName(name, sizeof name);
    bool invisible = !std::strcmp(name, "offscreen") || !std::strcmp(name, "dummy");
    const char *asked = std::getenv("SDL_VIDEODRIVER");
    if (invisible && !(asked && !std::strcmp(asked, name)))
        fail_start("no display", "cannot open a window (is DISPLAY set to a running X server?)");
}

// With no display at all there is nothing to try. With only an X display, SDL is held to X:
// otherwise, when the X server is gone, it wanders on to Wayland and prints its complaints.
static void choose_video_driver() {
    if (std::getenv("SDL_VIDEODRIVER")) return;
    bool x = std::getenv("DISPLAY") && *std::getenv("DISPLAY");
    bool wayland = std::getenv("WAYLAND_DISPLAY") && *std::getenv("WAYLAND_DISPLAY");
    if (!x && !wayland) fail_start("no display", "cannot open a window (DISPLAY is not set)");
    if (x && !wayland) setenv("SDL_VIDEODRIVER", "x11", 0);
}

// WHAT, and the display it was tried on.
static const char *display_problem(const char *what) {
    static char line[160];
    const char *display = std::getenv("DISPLAY");
    std::snprintf(line, sizeof line, "%s on display %s", what,
                  display && *display ? display : "(none)");
    return line;
}

// The audio subsystem comes up on its own, after the video: a driver that cannot start then
// leaves the game silent (the device fails to open, and audio_init says so) instead of
// taking the window down with it.
// In the browser SDL has one video driver, the page's canvas: there is nothing to choose.
#ifdef __EMSCRIPTEN__
constexpr bool CANVAS_ONLY = true;
#else
constexpr bool CANVAS_ONLY = false;
#endif

static void init_sdl() {
    if (!CANVAS_ONLY) choose_video_driver();
    if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO) < 0)
        fail_start(display_problem("cannot start SDL's video"), SDL_GetError());
    if (!CANVAS_ONLY) require_visible_display();
    SDL_InitSubSystem(SDL_INIT_AUDIO);
}

static void set_video_mode() {
    if (!set_up_video(windowed))
        fail_start(display_problem("cannot open a 640x480 OpenGL window"), SDL_GetError());
}

// Hidden and grabbed, the pointer gives unbounded relative motion.
static void hold_pointer() {
    SDL_ShowCursor(SDL_DISABLE);
    SDL_WM_GrabInput(SDL_GRAB_ON);
}

// sdl12-compat applies the hidden, grabbed pointer only to a window that exists, and ignores a
// request for what it already holds; so once the window is there the pointer is let go for an
// instant and held again. Without this, motion stops when the hidden pointer reaches the
// window's edge, in the middle of a stroke.
static void hold_pointer_again() {
    SDL_WM_GrabInput(SDL_GRAB_OFF);
    SDL_ShowCursor(SDL_ENABLE);
    hold_pointer();
}

void start_up(uint32_t seed) {
    find_data_root("velmoor", std::getenv("VELMOOR_DATA"), false);
    seed_random(seed);
    init_sdl();
    SDL_WM_SetCaption("Velmoor", "Velmoor");
    SDL_EnableUNICODE(1);
    hold_pointer();
    SDL_EnableKeyRepeat(0, 0);
    set_video_mode();
    hold_pointer_again();
    uint64_t drawn = random_draws();
    audio_init();
    start_world(drawn);
}

void shut_down() {
    close_journeys();
    release_noise();
    audio_shutdown();
    tear_down_video();
    SDL_Quit();
}
