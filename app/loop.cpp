// The main loop's frame: events, whole 25 ms ticks as wall time allows, one frame, swap; no
// frame cap. The native entry calls it in a loop, the browser once per animation frame.
#include "app/journeys.h"
#include "app/shell.h"
#include "render/render.h"
#include "sim/state.h"

constexpr uint32_t TICK_MS = 25;

static bool escape_quits;         // Escape ends the game (natively; the browser keeps Escape)
static uint32_t last_ticks;       // SDL_GetTicks at the previous frame's tick phase
static uint32_t tick_accumulator; // wall time not yet made into whole ticks

uint32_t take_due_ticks(uint32_t now, uint32_t last, uint32_t &accumulator) {
    accumulator += now - last;
    uint32_t n = accumulator / TICK_MS;
    accumulator -= TICK_MS * n;
    return n;
}

static void handle_event(const SDL_Event &event) {
    switch (event.type) {
    case SDL_KEYDOWN:
        if (event.key.keysym.sym == SDLK_ESCAPE) {
            if (escape_quits) quit_requested = true;
        } else if (event.key.keysym.sym == SDLK_PRINT) {
            take_print_screen();
        }
        break;
    case SDL_QUIT:
        quit_requested = true;
        break;
    case SDL_MOUSEMOTION:
        take_mouse_motion(event.motion.xrel, event.motion.yrel);
        break;
    default:
        break;
    }
}

bool start_main_loop(bool escape_ends_game) {
    escape_quits = escape_ends_game;
    last_ticks = SDL_GetTicks();
    tick_accumulator = 0;
    return !quit_requested;
}

// Held, the world owes nothing for the time that passes: the clock starts again from now, and
// what the mouse did meanwhile is dropped.
static void hold_world() {
    SDL_Event event;
    while (SDL_PollEvent(&event))
        if (event.type == SDL_QUIT) quit_requested = true;
    last_ticks = SDL_GetTicks();
}

bool run_frame(bool held) {
    if (held) {
        hold_world();
        return !quit_requested;
    }
    SDL_Event event;
    while (SDL_PollEvent(&event)) handle_event(event);
    uint32_t now = SDL_GetTicks();
    run_due_ticks(take_due_ticks(now, last_ticks, tick_accumulator));
    refresh_noise();
    start_gl_frame();
    draw_frame();
    SDL_GL_SwapBuffers();
    frame_presented();
    last_ticks = now;
    return !quit_requested;
}
