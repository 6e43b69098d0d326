// The simple models: the two spheres, the box and the plants' stem segment.
#include "mesh.h"

#include <cmath>

// A unit sphere from pole to pole, shared rings so that it shades smooth.
static Mesh sphere(const char *name, int sides, int bands) {
    std::vector<ProfilePoint> profile;
    for (int i = 0; i <= bands; i++) {
        double a = -0.5 * PI + PI * i / bands;
        double r = i == 0 || i == bands ? 0.0 : std::cos(a);
        profile.push_back({r, std::sin(a)});
    }
    Mesh m = {{{name, {}, {}}}, {0.9, 0.9, 0.9}};
    add_lathe(m.parts[0], profile, sides, false);
    return m;
}

Mesh make_sphere() {
    return sphere("sphere", 16, 12);
}

// Drawn for every spark, some two hundred times a frame: 48 faces.
Mesh make_small_sphere() {
    return sphere("sphere_s", 8, 6);
}

Mesh make_box() {
    Mesh m = {{{"box", {}, {}}}, {0.6, 0.6, 0.6}};
    add_box(m.parts[0], {-0.5, -0.5, -0.5}, {0.5, 0.5, 0.5});
    return m;
}

// An open tube one unit up the z axis: the plants stretch it along z over each straight run,
// so it must have no caps (a run of no steps squashes it flat).
Mesh make_edge() {
    Mesh m = {{{"edge", {}, {}}}, {0.3, 0.25, 0.28}};
    add_lathe(m.parts[0], {{0.05, 0.0}, {0.05, 1.0}}, 6, false);
    return m;
}
