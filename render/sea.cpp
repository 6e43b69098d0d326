// The sea around the boat: a 50 x 50 window onto the height field, moving in whole units.
#include <GL/gl.h>
#include <cmath>

#include "render/camera.h"
#include "render/passes.h"

float sea_window_height[SEA_RIM_CELLS][SEA_RIM_CELLS];
Vec3 sea_window_normal[SEA_WINDOW_CELLS][SEA_WINDOW_CELLS];

// The window moves in whole cells so its vertices always sit on the field's grid points.
static int window_centre(float u) {
    return static_cast<int>(u);
}

// Brings a row or column index back onto the torus; the boat keeps within +-55, so in play
// this is at most one wrap, but an index is never allowed off the grid.
static int wrap_cell(int i) {
    i %= SEA_SIZE;
    return i < 0 ? i + SEA_SIZE : i;
}

float sea_height_at(int a, int b) {
    if (a == SEA_WINDOW_HALF || a == -SEA_WINDOW_HALF || b == SEA_WINDOW_HALF ||
        b == -SEA_WINDOW_HALF)
        return 0.0f; // the rim meets the flat border quads
    int r = wrap_cell(a + window_centre(boat_x) + SEA_HALF);
    int c = wrap_cell(b + window_centre(boat_y) + SEA_HALF);
    return sea_height[r * SEA_SIZE + c];
}

// The normalised sum of the cross products towards the four diagonal neighbours: exact for
// any plane through them.
static Vec3 normal_from_diagonals(float pp, float pm, float mm, float mp) {
    float nx = 2.0f * (pp + pm - mm - mp);
    float ny = 2.0f * (mp + pp - mm - pm);
    float len = std::sqrt(nx * nx + ny * ny + 64.0f);
    return {-nx / len, -ny / len, 8.0f / len};
}

Vec3 sea_normal_at(int p, int q) {
    return normal_from_diagonals(sea_height_at(p + 1, q + 1), sea_height_at(p + 1, q - 1),
                                 sea_height_at(p - 1, q - 1), sea_height_at(p - 1, q + 1));
}

void fill_sea_window() {
    const int rim = SEA_WINDOW_HALF + 1;
    for (int a = -rim; a <= rim; a++)
        for (int b = -rim; b <= rim; b++) sea_window_height[a + rim][b + rim] = sea_height_at(a, b);
    for (int p = -SEA_WINDOW_HALF; p <= SEA_WINDOW_HALF; p++) {
        const float *lo = sea_window_height[p - 1 + rim];
        const float *hi = sea_window_height[p + 1 + rim];
        for (int q = -SEA_WINDOW_HALF; q <= SEA_WINDOW_HALF; q++) {
            int c = q + rim;
            sea_window_normal[p + SEA_WINDOW_HALF][q + SEA_WINDOW_HALF] =
                normal_from_diagonals(hi[c + 1], hi[c - 1], lo[c - 1], lo[c + 1]);
        }
    }
}

static void emit_corner(int a, int b) {
    const int rim = SEA_WINDOW_HALF + 1;
    const Vec3 &n = sea_window_normal[a + SEA_WINDOW_HALF][b + SEA_WINDOW_HALF];
    glNormal3f(n.x, n.y, n.z);
    glVertex3f(static_cast<float>(a), static_cast<float>(b), sea_window_height[a + rim][b + rim]);
}

// Flat quads at sea level from the window's rim out to +-50, facing up like the window.
static void emit_border() {
    static const float corners[16][2] = {
        {50, -50}, {50, 50}, {25, 50},  {25, -50}, {-50, 50},  {-50, -50}, {-25, -50}, {-25, 50},
        {25, 25},  {25, 50}, {-25, 50}, {-25, 25}, {-25, -25}, {-25, -50}, {25, -50},  {25, -25}};
    glNormal3f(0.0f, 0.0f, 1.0f);
    for (const float *v : corners) glVertex3f(v[0], v[1], 0.0f);
}

// Wound counter-clockwise seen from above, so the sea survives back-face culling.
void draw_sea() {
    fill_sea_window();
    glPushMatrix();
    glTranslatef(static_cast<float>(window_centre(boat_x)),
                 static_cast<float>(window_centre(boat_y)), 0.0f);
    apply_material(MATERIAL_SEA);
    glBegin(GL_QUADS);
    for (int i = -SEA_WINDOW_HALF; i < SEA_WINDOW_HALF; i++)
        for (int j = -SEA_WINDOW_HALF; j < SEA_WINDOW_HALF; j++) {
            emit_corner(i + 1, j + 1);
            emit_corner(i, j + 1);
            emit_corner(i, j);
            emit_corner(i + 1, j);
        }
    emit_border();
    glEnd();
    glPopMatrix();
}
