// The last pass, in screen pixels: the fade to black (white at the journey's end), then the grain.
#include <GL/gl.h>

#include "render/passes.h"
#include "render/render.h"
#include "render/screen.h"
#include "sim/state.h"

static void screen_quad() {
    float w = static_cast<float>(screen_width), h = static_cast<float>(screen_height);
    glVertex2f(0.0f, 0.0f);
    glVertex2f(w, 0.0f);
    glVertex2f(w, h);
    glVertex2f(0.0f, h);
}

static void draw_fade() {
    if (fade <= 0.0f) return;
    glDisable(GL_DEPTH_TEST);
    float c = ending ? 1.0f : 0.0f;
    glColor4f(c, c, c, fade);
    glBegin(GL_QUADS);
    screen_quad();
    glEnd();
    glEnable(GL_DEPTH_TEST);
}

// The 64 x 64 tile repeats every 100 pixels; this frame's pixels are uploaded here.
static void draw_overlay() {
    glDepthMask(GL_FALSE);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, noise_texture);
    glTexImage2D(GL_TEXTURE_2D, 0, 1, 64, 64, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE, noise_pixels);
    glColor4f(1.0f, 1.0f, 1.0f, 0.05f);
    float w = static_cast<float>(screen_width), h = static_cast<float>(screen_height);
    float s = w / 100.0f, t = h / 100.0f;
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(0.0f, 0.0f);
    glTexCoord2f(s, 0.0f);
    glVertex2f(w, 0.0f);
    glTexCoord2f(s, t);
    glVertex2f(w, h);
    glTexCoord2f(0.0f, t);
    glVertex2f(0.0f, h);
    glEnd();
    glDisable(GL_TEXTURE_2D);
    glDepthMask(GL_TRUE);
    glEnable(GL_DEPTH_TEST);
}

// Fog is off for this pass: a renderer that fogs by radial distance would otherwise darken
// the fade and the grain towards the screen's corners.
void draw_screen_pass() {
    glDisable(GL_LIGHTING);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, screen_width, 0.0, screen_height, -5.0, 5.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_FOG);
    draw_fade();
    draw_overlay();
    glEnable(GL_FOG);
}
