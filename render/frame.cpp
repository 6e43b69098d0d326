// One frame's passes, in their fixed order, and the state each of them runs under.
#include <GL/gl.h>

#include "render/camera.h"
#include "render/passes.h"
#include "render/render.h"
#include "render/screen.h"

// Sparks glow additively and never hide one another.
static void begin_sparks() {
    glDisable(GL_LIGHTING);
    glDepthMask(GL_FALSE);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
}

// Walls are seen from both sides; culling, left on from here to the next wall pass, starts
// with the first frame's walls.
static void walls_pass() {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_TRUE);
    glEnable(GL_LIGHTING);
    apply_material(MATERIAL_WALL);
    glDisable(GL_CULL_FACE);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
    draw_walls();
    glEnable(GL_CULL_FACE);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
    glDisable(GL_LIGHTING);
}

// The chaser and the babies are textured sprites in their own colours; each binds its own
// texture, the chaser's even when it is not yet hunting.
static void sprites_pass() {
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
    draw_chaser();
    draw_babies();
}

void draw_frame() {
    draw_scene();
    draw_screen_pass();
}

void draw_scene() {
    set_camera();
    glEnable(GL_LIGHTING);
    draw_sea();
    apply_material(MATERIAL_PLANT);
    draw_plants();
    apply_material(MATERIAL_LIGHTHOUSE);
    draw_lighthouse();
    begin_sparks();
    draw_sparks();
    walls_pass();
    sprites_pass();
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
    draw_boat(); // its material goes on inside its own placing
}

// The clear colour is never set: it stays OpenGL's initial transparent black.
void start_gl_frame() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
}
