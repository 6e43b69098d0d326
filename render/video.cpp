// The video set-up shared by the game, the renderer's tests and the frame benchmark, so that
// all of them draw what the game draws.
#include "render/video.h"

#include <GL/gl.h>

#include "assets/assets.h"
#include "render/plants.h"
#include "render/render.h"
#include "render/screen.h"

// The plants are grown with blending on, and the depth test is on from here for good.
bool set_up_video(bool windowed) {
    if (!open_screen(windowed)) return false;
    load_models();
    set_fog();
    glEnable(GL_BLEND);
    build_plant_lists();
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    load_textures();
    return true;
}

void tear_down_video() {
    release_plant_lists();
    release_assets();
}
