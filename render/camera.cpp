// The chase camera one unit behind the boat, and the lamp that travels two units above it.
#include <GL/gl.h>
#include <GL/glu.h>
#include <cmath>

#include "render/camera.h"
#include "render/screen.h"
#include "sim/state.h"

float eye_x, eye_y, eye_z;
float billboard_matrix[16];
static float light_position[4]; // GL_LIGHT0, two units above the boat, fixed in the world

static const GLfloat LAMP_AMBIENT[4] = {0.4f, 0.4f, 0.4f, 1.0f};
static const GLfloat LAMP_DIFFUSE[4] = {0.9f, 0.9f, 0.9f, 1.0f};
static const GLfloat LAMP_SPECULAR[4] = {1.0f, 1.0f, 1.0f, 1.0f};

static Vec3 cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// The side and up axes are left unnormalised on purpose: every sprite comes out 0.894 of its
// nominal size, and the sprites were sized with that in mind.
static void make_billboard_matrix() {
    Vec3 d = {boat_x - eye_x, boat_y - eye_y, 1.0f - eye_z};
    float len = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
    Vec3 f = {d.x / len, d.y / len, d.z / len};
    Vec3 s = cross(f, up_axis);
    Vec3 r = cross(s, f);
    const float m[16] = {s.x,  s.y,  s.z,  0.0f, r.x,  r.y,  r.z,  0.0f,
                         -f.x, -f.y, -f.z, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f};
    for (int i = 0; i < 16; i++) billboard_matrix[i] = m[i];
}

// Given while the view is on the modelview, so the lamp stays put in the world.
static void place_lamp() {
    light_position[0] = boat_x;
    light_position[1] = boat_y;
    light_position[2] = 2.0f;
    light_position[3] = 1.0f;
    glLightfv(GL_LIGHT0, GL_POSITION, light_position);
    glLightfv(GL_LIGHT0, GL_AMBIENT, LAMP_AMBIENT);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, LAMP_DIFFUSE);
    glLightfv(GL_LIGHT0, GL_SPECULAR, LAMP_SPECULAR);
    glEnable(GL_LIGHT0);
}

// The boat's bob moves neither the eye nor what it looks at: the horizon stays still.
void set_camera() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(90.0, aspect_ratio, 0.1, 50.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    eye_x = boat_x - std::cos(boat_heading);
    eye_y = boat_y - std::sin(boat_heading);
    eye_z = 1.5f;
    gluLookAt(eye_x, eye_y, 1.5, boat_x, boat_y, 1.0, 0.0, 0.0, 1.0);
    make_billboard_matrix();
    place_lamp();
}
