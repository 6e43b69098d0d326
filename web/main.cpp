// Velmoor's entry in the browser: the same start-up, then one frame per animation frame, held
// still while the page has lost the pointer, until the game ends; and what the page asks of it.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <emscripten.h>

#include "app/journeys.h"
#include "app/shell.h"
#include "sim/state.h"

static bool held;  // the page holds the world still (Escape, or the pointer lost)
static bool ended; // the game is over and shut down

static void end_game() {
    emscripten_cancel_main_loop();
    shut_down();
    ended = true;
    std::fflush(nullptr);
    EM_ASM({ if (Module.velmoorEnded) Module.velmoorEnded(); });
}

static void browser_frame() {
    if (ended) return;
    if (!run_frame(held)) end_game();
}

// The page's calls.
extern "C" {
EMSCRIPTEN_KEEPALIVE void velmoor_hold(int on) {
    held = on != 0;
}

// The page's button: the end Escape gives natively, at the next frame.
EMSCRIPTEN_KEEPALIVE void velmoor_end() {
    quit_requested = true;
}

EMSCRIPTEN_KEEPALIVE void velmoor_print() {
    if (!ended) take_print_screen();
}

// The recording as far as it goes, for the page to read.
EMSCRIPTEN_KEEPALIVE void velmoor_flush() {
    std::fflush(nullptr);
}
}

// The page starts the game on a click; its arguments are the environment it asks for
// (VELMOOR_RECORD=FILE, VELMOOR_PLAY=FILE, VELMOOR_PLAY_SPEED=N), which the C library has read
// before the page could set it. main never returns (that would end the program): the browser
// calls the frames from here on.
int main(int argc, char **argv) {
    for (int i = 1; i < argc; i++)
        if (!std::strncmp(argv[i], "VELMOOR_", 8) && std::strchr(argv[i], '=')) putenv(argv[i]);
    windowed = true;
    start_up(open_journeys());
    if (!start_main_loop(false)) end_game();
    emscripten_set_main_loop(browser_frame, 0, 1);
    return 0;
}
