// Bringing the game up in its fixed order, and taking it down again.
#include <GL/gl.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/shell.h"
#include "assets/assets.h"
#include "audio/audio.h"
#include "render/render.h"
#include "render/screen.h"
#include "sim/random.h"
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

static void init_sdl() {
    choose_video_driver();
    if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_AUDIO | SDL_INIT_VIDEO) < 0) {
        // No sound must not mean no game: try again without audio before giving up.
        if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO) < 0)
            fail_start("SDL_Init failed", SDL_GetError());
    }
    require_visible_display();
}

static void set_video_mode() {
    if (!open_screen(windowed)) {
        char what[160];
        const char *display = std::getenv("DISPLAY");
        std::snprintf(what, sizeof what, "cannot open a 640x480 OpenGL window on display %s",
                      display && *display ? display : "(none)");
        fail_start(what, SDL_GetError());
    }
    load_models();
    set_fog();
    glEnable(GL_BLEND);
    build_plant_lists();
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    load_textures();
}

void start_up() {
    seed_random_from_clock();
    init_sdl();
    SDL_WM_SetCaption("Velmoor", "Velmoor");
    SDL_EnableUNICODE(1);
    SDL_ShowCursor(SDL_DISABLE);
    SDL_WM_GrabInput(SDL_GRAB_ON);
    SDL_EnableKeyRepeat(0, 0);
    set_video_mode();
    audio_init();
    reset_noise_hook = make_noise_texture;
    reset_world();
}

void shut_down() {
    free_noise_pixels();
    audio_shutdown();
    release_assets();
    SDL_Quit();
}
