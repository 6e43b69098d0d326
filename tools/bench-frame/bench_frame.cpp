// Times the real frame (ticks, noise, 3D passes, screen pass, swap) in a 640 x 480 window.
// Run it where there is a display, e.g. xvfb-run -a -s "-screen 0 1024x768x24" bench-frame.
#include <GL/gl.h>
#include <SDL/SDL.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "base/random.h"
#include "render/passes.h"
#include "render/render.h"
#include "render/screen.h"
#include "render/video.h"
#include "sim/state.h"

using Clock = std::chrono::steady_clock;

enum Part { PART_TICKS, PART_NOISE, PART_SCENE, PART_SUBMIT, PART_SCREEN, PART_SWAP, NUM_PARTS };

static const char *const PART_NAMES[] = {"ticks",
                                         "noise",
                                         "3D scene (camera, sea, world objects)",
                                         "  of which: making the GL calls",
                                         "screen pass",
                                         "swap"};
static_assert(sizeof PART_NAMES / sizeof PART_NAMES[0] == NUM_PARTS, "one name per part");

static std::vector<double> part_ms[NUM_PARTS];

static void open_window() {
    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        std::fprintf(stderr, "bench-frame: SDL_Init: %s\n", SDL_GetError());
        std::exit(1);
    }
    if (!set_up_video(true)) {
        std::fprintf(stderr, "bench-frame: no OpenGL window: %s\n", SDL_GetError());
        std::exit(1);
    }
}

// A player rowing steadily: strokes of ten frames, return sweeps of ten, a slow drift to one
// side. One tick per frame, as at 40 frames per second.
static void scripted_ticks(int frame) {
    add_mouse_motion(frame % 50 == 0 ? 3 : 0, (frame / 10) % 2 ? -40 : 40);
    run_tick();
}

static double since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// glFinish after each part, so that the driver's work is charged to the part that made it.
static void timed_frame(int frame) {
    Clock::time_point t = Clock::now();
    scripted_ticks(frame);
    part_ms[PART_TICKS].push_back(since(t));
    t = Clock::now();
    refresh_noise();
    part_ms[PART_NOISE].push_back(since(t));
    t = Clock::now();
    start_gl_frame();
    draw_scene();
    part_ms[PART_SUBMIT].push_back(since(t));
    glFinish();
    part_ms[PART_SCENE].push_back(since(t));
    t = Clock::now();
    draw_screen_pass();
    glFinish();
    part_ms[PART_SCREEN].push_back(since(t));
    t = Clock::now();
    SDL_GL_SwapBuffers();
    glFinish();
    part_ms[PART_SWAP].push_back(since(t));
}

static void plain_frame(int frame) {
    scripted_ticks(frame);
    refresh_noise();
    start_gl_frame();
    draw_frame();
    SDL_GL_SwapBuffers();
}

static double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[static_cast<size_t>(p * (v.size() - 1) + 0.5)];
}

static void start_world() {
    seed_random(1234);
    reset_world();
}

int main(int argc, char **argv) {
    int frames = argc > 1 ? std::atoi(argv[1]) : 1000;
    if (frames < 1) {
        std::fprintf(stderr, "usage: bench-frame [frames]\n");
        return 1;
    }
    open_window();
    char driver[32] = "";
    SDL_VideoDriverName(driver, sizeof driver);
    std::printf("bench-frame: %d frames at %dx%d, seed 1234, video driver %s, %s\n", frames,
                screen_width, screen_height, driver, glGetString(GL_RENDERER));
    start_world();
    Clock::time_point start = Clock::now();
    for (int f = 0; f < frames; f++) plain_frame(f);
    glFinish();
    double total = since(start);
    std::printf("frames per second: %.1f (%d frames in %.2f s, one tick each)\n",
                frames * 1000.0 / total, frames, total / 1000.0);
    start_world();
    for (int f = 0; f < frames; f++) timed_frame(f);
    std::printf("%-42s %10s %10s\n", "part (glFinish after each)", "median ms", "p95 ms");
    double sum = 0.0;
    for (int p = 0; p < NUM_PARTS; p++) {
        double median = percentile(part_ms[p], 0.5);
        sum += p == PART_SUBMIT ? 0.0 : median;
        std::printf("%-42s %10.3f %10.3f\n", PART_NAMES[p], median, percentile(part_ms[p], 0.95));
    }
    std::printf("%-42s %10.3f\n", "sum of medians", sum);
    free_noise_pixels();
    SDL_Quit();
    return 0;
}
