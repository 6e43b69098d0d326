// The preview's scenes: the game's chase camera, lamp, fog, sea and materials, with our
// models placed the way the game places them; and an orbit view of any one model.
#include <GL/gl.h>
#include <GL/glu.h>
#include <SOIL/SOIL.h>
#include <cmath>
#include <cstring>
#include <string>

#include "plant_grammar/plant_grammar.h"
#include "render/camera.h"
#include "render/passes.h"
#include "render/render.h"
#include "sim/state.h"
#include "view_model.h"

unsigned preview_lists[NUM_MODELS];
ModelStats preview_stats[NUM_MODELS];
const char *const MODEL_NAMES[NUM_MODELS] = {"sphere", "sphere_s", "boat",      "oar",
                                             "edge",   "box",      "lighthouse"};

// The frame as the game starts it, with faces culled as from its second frame on.
static void begin_game_view() {
    start_gl_frame();
    set_camera();
    glEnable(GL_FOG);
    glEnable(GL_LIGHTING);
    glEnable(GL_CULL_FACE);
    draw_sea();
}

static void draw_boat_and_oars(const PreviewOptions &o) {
    glPushMatrix();
    glTranslatef(boat_x, boat_y, boat_bob);
    apply_material(MATERIAL_BOAT);
    glRotatef(static_cast<float>(boat_heading * 57.295776), 0.0f, 0.0f, 1.0f);
    glCallList(preview_lists[M_BOAT]);
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, 0.4f);
    glPushMatrix();
    glTranslatef(0.0f, -0.2f, 0.0f);
    glRotatef(115.0f - 20.0f * std::fmax(o.deflection, 0.0f), 1.0f, 0.0f, 0.0f);
    glRotatef(-o.sweep, 0.0f, 1.0f, 0.0f);
    glCallList(preview_lists[M_OAR]);
    glPopMatrix();
    glPushMatrix();
    glTranslatef(0.0f, 0.2f, 0.0f);
    glRotatef(-115.0f - 20.0f * std::fmin(o.deflection, 0.0f), 1.0f, 0.0f, 0.0f);
    glRotatef(-o.sweep, 0.0f, 1.0f, 0.0f);
    glCallList(preview_lists[M_OAR]);
    glPopMatrix();
    glPopMatrix();
    glPopMatrix();
}

void draw_boat_scene(const PreviewOptions &o) {
    begin_game_view();
    draw_boat_and_oars(o);
}

void draw_lighthouse_scene(const PreviewOptions &o) {
    begin_game_view();
    apply_material(MATERIAL_LIGHTHOUSE);
    glEnable(GL_NORMALIZE);
    glPushMatrix();
    glTranslatef(boat_x + o.distance * std::cos(boat_heading),
                 boat_y + o.distance * std::sin(boat_heading), 0.0f);
    glCallList(preview_lists[M_LIGHTHOUSE]);
    glPopMatrix();
    glDisable(GL_NORMALIZE);
    draw_boat_and_oars(o);
}

// A straight run of COUNT steps drawn as one stretched stem segment; empty runs draw nothing.
static void draw_run(int count) {
    if (count == 0) return;
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, -0.5f * count);
    glScalef(1.0f, 1.0f, 0.5f * count);
    glCallList(preview_lists[M_EDGE]);
    glPopMatrix();
}

// The plants' turtle: steps, branches, turns and rolls of 15 degrees.
static void draw_turtle(const char *text, int &pos) {
    int count = 0;
    for (;;) {
        char c = text[pos];
        if (c == '\0' || !std::strchr("Ps[lr", c)) draw_run(count), count = 0;
        if (c == '\0') return;
        pos++;
        if (c == 'P' || c == 's') {
            glTranslatef(0.0f, 0.0f, 0.5f);
            count++;
        } else if (c == '[') {
            glPushMatrix();
            draw_turtle(text, pos);
        } else if (c == ']') {
            glPopMatrix();
            return;
        } else {
            static const char turns[] = "udfblr";
            static const float axes[6][4] = {{15, 1, 0, 0},  {-15, 1, 0, 0}, {15, 0, 1, 0},
                                             {-15, 0, 1, 0}, {15, 0, 0, 1},  {-15, 0, 0, 1}};
            const char *t = std::strchr(turns, c);
            if (t) {
                const float *a = axes[t - turns];
                glRotatef(a[0], a[1], a[2], a[3]);
            }
        }
    }
}

// Three of the game's grown plants ahead of the boat, the nearest three units away.
void draw_plant_scene(const PreviewOptions &o) {
    begin_game_view();
    apply_material(MATERIAL_PLANT);
    glEnable(GL_NORMALIZE);
    const float ahead[3][2] = {{3.0f, 0.6f}, {5.5f, -2.0f}, {8.0f, 2.5f}};
    for (int k = 0; k < 3; k++) {
        float c = std::cos(boat_heading), s = std::sin(boat_heading);
        glPushMatrix();
        glTranslatef(boat_x + ahead[k][0] * c - ahead[k][1] * s,
                     boat_y + ahead[k][0] * s + ahead[k][1] * c, 0.0f);
        glRotatef(7.0f * k, 0.0f, 0.0f, 1.0f);
        int pos = 0;
        draw_turtle(plant_texts[k], pos);
        glPopMatrix();
    }
    glDisable(GL_NORMALIZE);
    draw_boat_and_oars(o);
}

// A sprite at (X, Y, Z) facing the camera, -HALF..HALF wide and BOTTOM..TOP high before the
// billboard's shrink, the image's top row at its top edge, as the game draws its sprites.
static void draw_sprite(float x, float y, float z, float half, float bottom, float top) {
    glPushMatrix();
    glTranslatef(x, y, z);
    glMultMatrixf(billboard_matrix);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(-half, bottom);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(half, bottom);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(half, top);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(-half, top);
    glEnd();
    glPopMatrix();
}

// The quellorn DISTANCE ahead of the boat and a few babies nearer, far to near, textured as
// the game loads its images.
void draw_sprite_scene(const PreviewOptions &o) {
    std::string img = std::string(o.data) + "/img/";
    GLuint chaser = SOIL_load_OGL_texture((img + "quellorn.png").c_str(), SOIL_LOAD_AUTO,
                                          SOIL_CREATE_NEW_ID, 0);
    GLuint baby =
        SOIL_load_OGL_texture((img + "baby.png").c_str(), SOIL_LOAD_AUTO, SOIL_CREATE_NEW_ID, 0);
    begin_game_view();
    float c = std::cos(boat_heading), s = std::sin(boat_heading);
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glBindTexture(GL_TEXTURE_2D, chaser);
    draw_sprite(boat_x + o.distance * c, boat_y + o.distance * s, 0.0f, 4.0f, -1.0f, 7.0f);
    glBindTexture(GL_TEXTURE_2D, baby);
    const float babies[5][2] = {
        {7.0f, 3.0f}, {5.0f, -2.5f}, {3.5f, 1.4f}, {2.6f, -1.0f}, {2.2f, 0.5f}};
    for (const float *b : babies)
        draw_sprite(boat_x + b[0] * c - b[1] * s, boat_y + b[0] * s + b[1] * c, 1.0f, 1.0f, -1.0f,
                    1.0f);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
    draw_boat_and_oars(o);
    glDeleteTextures(1, &chaser);
    glDeleteTextures(1, &baby);
}

static int model_named(const char *name) {
    for (int i = 0; i < NUM_MODELS; i++)
        if (std::strcmp(name, MODEL_NAMES[i]) == 0) return i;
    return -1;
}

// One model on black, turned to YAW and seen from PITCH above, lit from over the viewer's
// shoulder, in a plain grey so that its shape shows.
void draw_orbit_scene(const PreviewOptions &o) {
    start_gl_frame();
    glDisable(GL_FOG);
    glEnable(GL_CULL_FACE);
    glEnable(GL_LIGHTING);
    glEnable(GL_NORMALIZE);
    int id = model_named(o.model);
    if (id < 0) return;
    const ModelStats &st = preview_stats[id];
    float centre[3], radius = 0.0f;
    for (int i = 0; i < 3; i++) {
        centre[i] = 0.5f * (st.lo[i] + st.hi[i]);
        radius = std::fmax(radius, 0.5f * (st.hi[i] - st.lo[i]));
    }
    float dist = 3.3f * radius + 0.01f;
    float yaw = o.yaw * 0.017453293f, pitch = o.pitch * 0.017453293f;
    float eye[3] = {centre[0] - dist * std::cos(pitch) * std::cos(yaw),
                    centre[1] - dist * std::cos(pitch) * std::sin(yaw),
                    centre[2] + dist * std::sin(pitch)};
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(40.0, 4.0 / 3.0, 0.01 * dist, 10.0 * dist);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(eye[0], eye[1], eye[2], centre[0], centre[1], centre[2], 0, 0, 1);
    const float lamp[4] = {eye[0] + 0.3f * dist * std::sin(yaw),
                           eye[1] - 0.3f * dist * std::cos(yaw), eye[2] + 0.5f * dist, 1.0f};
    const float grey[4] = {0.7f, 0.7f, 0.68f, 1.0f}, dim[4] = {0.25f, 0.25f, 0.25f, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, lamp);
    glEnable(GL_LIGHT0);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, grey);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, dim);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, dim);
    glCallList(preview_lists[id]);
    glDisable(GL_NORMALIZE);
}
