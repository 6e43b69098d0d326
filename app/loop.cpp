// The main loop: events, whole 25 ms ticks as wall time allows, one frame, swap; no frame cap.
#include "app/journeys.h"
#include "app/shell.h"
#include "render/render.h"
#include "sim/state.h"

constexpr uint32_t TICK_MS = 25;

static uint32_t last_ticks; // SDL_GetTicks at the previous frame's tick phase

uint32_t take_due_ticks(uint32_t now, uint32_t last, uint32_t &accumulator) {
    accumulator += now - last;
    uint32_t n = accumulator / TICK_MS;
    accumulator -= TICK_MS * n;
    return n;
}

static void handle_event(const SDL_Event &event) {
    switch (event.type) {
    case SDL_KEYDOWN:
        if (event.key.keysym.sym == SDLK_ESCAPE)
            quit_requested = true;
        else if (event.key.keysym.sym == SDLK_PRINT)
            take_print_screen();
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

void run_main_loop() {
    last_ticks = SDL_GetTicks();
    uint32_t tick_accumulator = 0;
    if (quit_requested) return;
    for (;;) {
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
        if (quit_requested) return;
    }
}
