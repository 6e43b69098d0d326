// bench-frame's late world in the browser: the same scene (seed 1, stage 4, rowing in circles
// near the middle) drawn one tick a frame, first unpaced, one frame after another as bench-frame
// draws them natively, then paced by the browser's animation frames, as the page is. Prints its
// figures on the console (tests/web/bench.mjs reads them), with the time spent making the GL
// calls, which WebGL carries out later in its own process.  usage: bench-frame [FRAMES]
#include <GL/gl.h>
#include <SDL/SDL.h>
#include <cstdio>
#include <cstdlib>
#include <emscripten.h>

#include "base/data.h"
#include "full_scene/full_scene.h"
#include "render/render.h"
#include "render/screen.h"
#include "render/video.h"

enum Run { RUN_WARM_UP, RUN_UNPACED, RUN_PACED, NUM_RUNS };

struct RunInfo {
    const char *name; // as printed; none for the warm-up
    int mode;         // the browser's pacing of the main loop
};

static const RunInfo run_info[] = {
    {nullptr, EM_TIMING_SETIMMEDIATE},
    {"unpaced, one frame after another", EM_TIMING_SETIMMEDIATE},
    {"paced by the browser's animation frames", EM_TIMING_RAF},
};
static_assert(sizeof run_info / sizeof run_info[0] == NUM_RUNS, "one entry a run");

static int frames_per_run; // frames timed in each run
static int run;            // the run under way
static int frame;          // frames drawn in this run
static int tick;           // ticks of rowing in circles so far
static double run_start;   // emscripten_get_now() when this run began, in ms
static double calls_ms;    // time spent making the frames' GL calls in this run

// Waits for everything drawn so far: a pixel read back cannot come before the frame is done.
static void wait_for_drawing() {
    unsigned char pixel[4];
    glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
}

static void finish() {
    emscripten_cancel_main_loop();
    if (!full_scene_intact()) {
        std::fprintf(stderr, "bench-frame: the late world did not last the run\n");
        return;
    }
    describe_full_scene();
    std::printf("done\n");
}

static void begin_run(int which) {
    run = which;
    frame = 0;
    calls_ms = 0.0;
    emscripten_set_main_loop_timing(run_info[run].mode, 1);
    wait_for_drawing();
    run_start = emscripten_get_now();
}

static void end_run() {
    wait_for_drawing();
    double ms = emscripten_get_now() - run_start;
    if (run_info[run].name)
        std::printf("frames per second: %.1f (%s; %d frames in %.2f s, one tick each; "
                    "making the GL calls %.2f ms a frame)\n",
                    frame * 1000.0 / ms, run_info[run].name, frame, ms / 1000.0, calls_ms / frame);
    if (run + 1 < NUM_RUNS) begin_run(run + 1);
    else finish();
}

static void bench_frame() {
    full_scene_tick(tick++);
    refresh_noise();
    double t = emscripten_get_now();
    start_gl_frame();
    draw_frame();
    calls_ms += emscripten_get_now() - t;
    SDL_GL_SwapBuffers();
    if (++frame == (run == RUN_WARM_UP ? 20 : frames_per_run)) end_run();
}

int main(int argc, char **argv) {
    frames_per_run = argc > 1 ? std::atoi(argv[1]) : 400;
    if (frames_per_run < 1 || argc > 2) {
        std::fprintf(stderr, "usage: bench-frame [FRAMES]\n");
        return 1;
    }
    if (!find_data_root("bench-frame", nullptr, true)) return 1;
    if (SDL_Init(SDL_INIT_VIDEO) < 0 || !set_up_video(true)) {
        std::fprintf(stderr, "bench-frame: no OpenGL screen: %s\n", SDL_GetError());
        return 1;
    }
    std::printf("%d frames a run at %dx%d, %s\n", frames_per_run, screen_width,
                screen_height, glGetString(GL_RENDERER));
    set_up_full_scene(1);
    describe_full_scene();
    emscripten_set_main_loop(bench_frame, 0, 0);
    begin_run(RUN_WARM_UP);
    return 0;
}
