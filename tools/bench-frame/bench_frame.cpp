// Times the real frame (ticks, noise, 3D passes, screen pass, swap) in a 640 x 480 window:
// first at the start of a journey, then in the full late world, with what each kind of object
// costs. usage: bench-frame [FRAMES] [DATA], DATA the data folder when there is no ./dat.
// Run it where there is a display, e.g. xvfb-run -a -s "-screen 0 1024x768x24" bench-frame.
#include <GL/gl.h>
#include <SDL/SDL.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "assets/assets.h"
#include "audio/audio.h"
#include "base/data.h"
#include "base/random.h"
#include "full_scene/full_scene.h"
#include "object_costs.h"
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

// The game's video set-up, and what it found in the data folder.
static void open_window() {
    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        std::fprintf(stderr, "bench-frame: SDL_Init: %s\n", SDL_GetError());
        std::exit(1);
    }
    if (!set_up_video(true)) {
        std::fprintf(stderr, "bench-frame: no OpenGL window: %s\n", SDL_GetError());
        std::exit(1);
    }
    count_plant_edges();
    int models_loaded = 0, textures_loaded = 0;
    for (const Model &m : models) models_loaded += m.list != 0;
    for (const Texture &t : textures) textures_loaded += t.name != 0;
    std::printf("loaded from %s: %d of %d models, %d of %d images\n", data_root, models_loaded,
                NUM_MODELS, textures_loaded, NUM_TEXTURES);
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
static void timed_frame(void (*ticks)(int), int frame) {
    Clock::time_point t = Clock::now();
    ticks(frame);
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

static void plain_frame(void (*ticks)(int), int frame) {
    ticks(frame);
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

static void print_rate(void (*ticks)(int), int frames) {
    Clock::time_point start = Clock::now();
    for (int f = 0; f < frames; f++) plain_frame(ticks, f);
    glFinish();
    double total = since(start);
    std::printf("frames per second: %.1f (%d frames in %.2f s, one tick each)\n",
                frames * 1000.0 / total, frames, total / 1000.0);
}

static void print_parts(void (*ticks)(int), int frames) {
    for (std::vector<double> &ms : part_ms) ms.clear();
    for (int f = 0; f < frames; f++) timed_frame(ticks, f);
    std::printf("%-42s %10s %10s\n", "part (glFinish after each)", "median ms", "p95 ms");
    double sum = 0.0;
    for (int p = 0; p < NUM_PARTS; p++) {
        double median = percentile(part_ms[p], 0.5);
        sum += p == PART_SUBMIT ? 0.0 : median;
        std::printf("%-42s %10.3f %10.3f\n", PART_NAMES[p], median, percentile(part_ms[p], 0.95));
    }
    std::printf("%-42s %10.3f\n", "sum of medians", sum);
}

static void scripted_ticks_dropped(int frame) {
    scripted_ticks(frame);
    drop_voices();
}

int main(int argc, char **argv) {
    int frames = argc > 1 ? std::atoi(argv[1]) : 1000;
    if (frames < 1 || argc > 3) {
        std::fprintf(stderr, "usage: bench-frame [FRAMES] [DATA]\n");
        return 1;
    }
    find_data_root("bench-frame", argc > 2 ? argv[2] : nullptr, true);
    open_window();
    char driver[32] = "";
    SDL_VideoDriverName(driver, sizeof driver);
    std::printf("bench-frame: %d frames at %dx%d, video driver %s, %s\n", frames, screen_width,
                screen_height, driver, glGetString(GL_RENDERER));

    std::printf("\n-- the start of a journey (seed 1234, stage 1, rowing ahead)\n");
    start_world();
    print_rate(scripted_ticks_dropped, frames);
    start_world();
    print_parts(scripted_ticks_dropped, frames);

    std::printf("\n-- the full late world (seed 1, stage 4, rowing in circles near the middle)\n");
    set_up_full_scene(1);
    describe_full_scene();
    print_rate(full_scene_tick, frames);
    print_parts(full_scene_tick, frames);
    if (!full_scene_intact()) {
        std::fprintf(stderr, "bench-frame: the late world did not last the run\n");
        return 1;
    }
    describe_full_scene();
    print_object_costs(std::max(frames / 5, 20));
    release_noise();
    tear_down_video();
    SDL_Quit();
    return 0;
}
