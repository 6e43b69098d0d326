// The main loop: events, whole 25 ms ticks as wall time allows, one frame, swap; no frame cap.
// Natively it loops here; the browser calls run_frame once per animation frame instead.
#include "app/journeys.h"
#include "app/shell.h"
#include "render/render.h"
#include "sim/state.h"

constexpr uint32_t TICK_MS = 25;

bool escape_quits = true;

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

void start_main_loop() {
    last_ticks = SDL_GetTicks();
    tick_accumulator = 0;
}

void run_frame() {
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
}

// Held, the world owes nothing for the time that passes: the clock starts again from now, and
// what the mouse did meanwhile is dropped.
void hold_world() {
    SDL_Event event;
    while (SDL_PollEvent(&event))
        if (event.type == SDL_QUIT) quit_requested = true;
    last_ticks = SDL_GetTicks();
}

void run_main_loop() {
    start_main_loop();
    while (!quit_requested) run_frame();
}
