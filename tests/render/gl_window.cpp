// The renderer's tests draw into a real window under Xvfb, with Mesa's software OpenGL.
#include "gl_window.h"

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <cstdio>
#include <cstdlib>

#include "render/passes.h"
#include "render/render.h"
#include "render/screen.h"
#include "render/video.h"
#include "sim/state.h"

void open_gl_window() {
    static bool open;
    if (open) return;
    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        std::fprintf(stderr, "SDL_Init: %s\n", SDL_GetError());
        std::exit(2);
    }
    if (!set_up_video(true)) {
        std::fprintf(stderr, "SDL_SetVideoMode: %s\n", SDL_GetError());
        std::exit(2);
    }
    make_noise_texture();
    open = true;
}

void render_frame() {
    start_gl_frame();
    draw_frame();
    glFinish();
}

std::vector<uint8_t> read_rgb() {
    std::vector<uint8_t> rgb(static_cast<size_t>(screen_width) * screen_height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, screen_width, screen_height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

void reset_scene() {
    for (float &h : sea_height) h = 0.0f;
    boat_x = boat_y = boat_heading = 0.0f;
    boat_bob = 0.0f;
    fade = 0.0f;
    ending = false;
    for (int i = 0; i < 64 * 64; i++) noise_pixels[i] = 0;
}
