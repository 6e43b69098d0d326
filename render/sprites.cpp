// The chaser and the babies: billboards that face the camera, in their own images' colours.
#include "render/sprites.h"

#include <GL/gl.h>
#include <algorithm>

#include "render/camera.h"
#include "render/model_calls.h"
#include "render/passes.h"
#include "sim/state.h"

std::vector<BabyDistance> baby_order;

// (texture coordinate, vertex) pairs, t = 0 (the image's first row) along the top edge.
static void sprite_quad(float left, float right, float bottom, float top) {
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(left, bottom);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(right, bottom);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(right, top);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(left, top);
    glEnd();
}

// The chaser's image is bound whether or not it hunts yet: the babies then bind their own.
void draw_chaser() {
    bind_texture(TEXTURE_QUELLORN);
    if (!chaser_active) return;
    glPushMatrix();
    glTranslatef(chaser_x, chaser_y, 0.0f);
    glMultMatrixf(billboard_matrix);
    sprite_quad(-4.0f, 4.0f, -1.0f, 7.0f);
    glPopMatrix();
}

static bool nearer(const BabyDistance &a, const BabyDistance &b) {
    return a.key < b.key || (a.key == b.key && a.index < b.index);
}

static bool same_distance(const BabyDistance &a, const BabyDistance &b) {
    return a.key == b.key;
}

// Sorted by distance, then by index, so that of equal distances the earliest baby comes
// first and is the one kept. A distance that is not a number cannot be ordered: left out.
void order_babies() {
    baby_order.clear();
    for (unsigned k = 0; k < babies.size(); k++) {
        const Baby &b = babies[k];
        float dx = b.x - eye_x, dy = b.y - eye_y, dz = b.z - eye_z;
        float key = dx * dx + dy * dy + dz * dz;
        if (key == key) baby_order.push_back({key, k});
    }
    std::sort(baby_order.begin(), baby_order.end(), nearer);
    baby_order.erase(std::unique(baby_order.begin(), baby_order.end(), same_distance),
                     baby_order.end());
}

// A touched baby swells by half a unit of scale per tick and shows through everything.
static void draw_baby(const Baby &b) {
    bool swollen = b.swell > 0;
    glPushMatrix();
    glTranslatef(b.x, b.y, b.z + 1.0f);
    glMultMatrixf(billboard_matrix);
    if (swollen) {
        float s = static_cast<float>(b.swell + 1) * 0.5f;
        glScalef(s, s, s);
        glDisable(GL_DEPTH_TEST);
    }
    sprite_quad(-1.0f, 1.0f, -1.0f, 1.0f);
    glPopMatrix();
    if (swollen) glEnable(GL_DEPTH_TEST);
}

// Far to near, so that the translucent edges of nearer babies blend over farther ones.
void draw_babies() {
    bind_texture(TEXTURE_BABY);
    order_babies();
    for (auto it = baby_order.rbegin(); it != baby_order.rend(); ++it) draw_baby(babies[it->index]);
}
