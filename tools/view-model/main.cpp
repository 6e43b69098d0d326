// view-model: draws our models the way the game shows them and saves the picture as a PNG.
// usage: view-model SCENE OUT.png [--data DIR] [--sweep DEG] [--deflection D] [--model NAME]
//                   [--yaw DEG] [--pitch DEG] [--distance D] [--ticks N]
// SCENE: boat (the chase camera's view of the boat and oars), lighthouse (seen DISTANCE ahead,
// 20 by default), plant (three of the game's plants ahead), sprites (the quellorn DISTANCE
// ahead and babies nearer, from the images), or orbit (the model NAME alone,
// turned by YAW and seen from PITCH above). The world is the game's for seed 7 after N ticks
// (200 by default) of rippling sea.
// Needs a display: xvfb-run -a -s "-screen 0 1024x768x24" view-model boat boat.png
#include <GL/gl.h>
#include <SDL/SDL.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/random.h"
#include "gen-art/png_write.h"
#include "render/screen.h"
#include "render/video.h"
#include "sim/state.h"
#include "view_model.h"

static const struct {
    const char *name;
    void (*draw)(const PreviewOptions &);
} SCENES[] = {{"boat", draw_boat_scene},
              {"lighthouse", draw_lighthouse_scene},
              {"plant", draw_plant_scene},
              {"sprites", draw_sprite_scene},
              {"orbit", draw_orbit_scene}};

static void usage() {
    std::fprintf(stderr,
                 "usage: view-model boat|lighthouse|plant|sprites|orbit OUT.png [--data DIR] "
                 "[--sweep DEG] [--deflection D] [--model NAME] [--yaw DEG] "
                 "[--pitch DEG] [--distance D] [--ticks N]\n");
    std::exit(2);
}

static void load_models(const std::string &data) {
    for (int i = 0; i < NUM_MODELS; i++) {
        std::string path = data + "/models/" + MODEL_NAMES[i] + ".ac";
        ModelStats &s = preview_stats[i];
        preview_lists[i] = load_preview_model(path.c_str(), &s);
        std::printf("%-10s %2d objects %5d vertices %5d surfaces  x %.2f..%.2f  y %.2f..%.2f  "
                    "z %.2f..%.2f\n",
                    MODEL_NAMES[i], s.objects, s.vertices, s.surfaces, s.lo[0], s.hi[0], s.lo[1],
                    s.hi[1], s.lo[2], s.hi[2]);
    }
}

// A world as the game makes it, the sea given a few seconds to settle into waves.
static void make_world(int ticks) {
    reset_world();
    for (int i = 0; i < ticks; i++) run_tick();
    boat_heading = 0.3f;
}

static bool save_screen(const char *path) {
    std::vector<uint8_t> rgba(static_cast<size_t>(screen_width) * screen_height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, screen_width, screen_height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    std::vector<uint8_t> top_first(rgba.size());
    const size_t row = static_cast<size_t>(screen_width) * 4;
    for (int y = 0; y < screen_height; y++)
        std::memcpy(&top_first[y * row], &rgba[(screen_height - 1 - y) * row], row);
    for (size_t i = 3; i < top_first.size(); i += 4) top_first[i] = 255;
    return write_png_rgba(path, screen_width, screen_height, top_first);
}

int main(int argc, char **argv) {
    if (argc < 3) usage();
    void (*draw)(const PreviewOptions &) = nullptr;
    for (const auto &s : SCENES)
        if (std::strcmp(argv[1], s.name) == 0) draw = s.draw;
    if (!draw) usage();
    PreviewOptions o = {"dat", "boat", 10.0f, 0.0f, 30.0f, 20.0f, 20.0f};
    int ticks = 200;
    for (int i = 3; i + 1 < argc; i += 2) {
        std::string key = argv[i];
        float v = std::strtof(argv[i + 1], nullptr);
        if (key == "--data")
            o.data = argv[i + 1];
        else if (key == "--model")
            o.model = argv[i + 1];
        else if (key == "--sweep")
            o.sweep = v;
        else if (key == "--deflection")
            o.deflection = v;
        else if (key == "--yaw")
            o.yaw = v;
        else if (key == "--pitch")
            o.pitch = v;
        else if (key == "--distance")
            o.distance = v;
        else if (key == "--ticks")
            ticks = std::atoi(argv[i + 1]);
        else
            usage();
    }
    seed_random(7);
    if (SDL_Init(SDL_INIT_VIDEO) < 0 || !set_up_video(true)) {
        std::fprintf(stderr, "view-model: no OpenGL window: %s\n", SDL_GetError());
        return 1;
    }
    load_models(o.data);
    make_world(ticks);
    draw(o);
    glFinish();
    bool ok = save_screen(argv[2]);
    SDL_Quit();
    if (!ok) std::fprintf(stderr, "view-model: cannot write %s\n", argv[2]);
    return ok ? 0 : 1;
}
