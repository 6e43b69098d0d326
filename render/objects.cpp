// The world's solid objects: the lighthouse, the walls, and the boat with its two oars.
#include <GL/gl.h>
#include <algorithm>
#include <cmath>

#include "render/camera.h"
#include "render/model_calls.h"
#include "render/passes.h"
#include "sim/state.h"

// Its model is drawn at its own scale, so its normals are renormalised around it alone.
void draw_lighthouse() {
    glEnable(GL_NORMALIZE);
    glPushMatrix();
    glTranslatef(lighthouse_x, lighthouse_y, 0.0f);
    call_model(MODEL_LIGHTHOUSE);
    glPopMatrix();
    glDisable(GL_NORMALIZE);
}

// Sheets eleven units high, from one below the sea to ten above, lit on both faces. A wall
// whose ends meet (as each one starts) covers nothing and has no normal: skipped.
void draw_walls() {
    glBegin(GL_QUADS);
    for (const Wall &w : walls) {
        float dx = w.b_x - w.a_x, dy = w.b_y - w.a_y;
        float len = std::sqrt(dx * dx + dy * dy);
        if (len == 0.0f) continue;
        glNormal3f(-dy / len, dx / len, 0.0f);
        glVertex3f(w.a_x, w.a_y, -1.0f);
        glVertex3f(w.a_x, w.a_y, 10.0f);
        glVertex3f(w.b_x, w.b_y, 10.0f);
        glVertex3f(w.b_x, w.b_y, -1.0f);
    }
    glEnd();
}

// One oar on its pivot: raised about x by the balance, swept about y by the stroke.
static void draw_oar(float side_y, float raise) {
    glPushMatrix();
    glTranslatef(0.0f, side_y, 0.0f);
    glRotatef(raise, 1.0f, 0.0f, 0.0f);
    glRotatef(-oar_sweep, 0.0f, 1.0f, 0.0f);
    call_model(MODEL_OAR);
    glPopMatrix();
}

// The oars pivot 0.4 above the boat's origin, 0.2 to either side. A positive deflection lifts
// the right (-y) oar from 115 towards 95 degrees, a negative one the left from -115 to -95.
void draw_boat() {
    glPushMatrix();
    glTranslatef(boat_x, boat_y, boat_bob);
    apply_material(MATERIAL_BOAT);
    glRotatef(static_cast<float>(boat_heading * 57.295776), 0.0f, 0.0f, 1.0f);
    call_model(MODEL_BOAT);
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, 0.4f);
    draw_oar(-0.2f, 115.0f - 20.0f * std::max(steer_deflection, 0.0f));
    draw_oar(0.2f, -115.0f - 20.0f * std::min(steer_deflection, 0.0f));
    glPopMatrix();
    glPopMatrix();
}
