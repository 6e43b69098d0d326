// The lighthouse: a stone plinth, a tower that tapers with a flare at its foot, a gallery on a
// corbel, and a many-sided lantern under a domed roof; its foot stands in the sea at z = 0.
#include "mesh.h"

#include <cmath>

static const int SIDES = 24;
static const int LANTERN_SIDES = 10;
static const double TOWER_FOOT = 0.4, TOWER_TOP = 6.5;

// The tower's radius, 1.5 at its foot and 0.92 under the gallery, curving in as it rises.
static double tower_radius(double z) {
    double t = (TOWER_TOP - z) / (TOWER_TOP - TOWER_FOOT);
    return 0.92 + 0.58 * std::pow(t, 1.8);
}

static void add_stonework(MeshPart &part) {
    add_lathe(part, {{1.9, -0.6}, {1.9, 0.25}}, SIDES, false);
    add_lathe(part, {{1.9, 0.25}, {1.75, 0.4}}, SIDES, false);
    add_lathe(part, {{1.75, 0.4}, {1.5, 0.4}}, SIDES, false);
    std::vector<ProfilePoint> tower;
    for (int i = 0; i <= 10; i++) {
        double z = TOWER_FOOT + (TOWER_TOP - TOWER_FOOT) * i / 10;
        tower.push_back({tower_radius(z), z});
    }
    add_lathe(part, tower, SIDES, false);
    add_lathe(part, {{0.92, 6.5}, {1.24, 6.8}}, SIDES, false);
}

// The walkway round the lantern with its parapet.
static void add_gallery(MeshPart &part) {
    add_lathe(part, {{1.24, 6.80}, {1.24, 6.92}}, SIDES, false);
    add_lathe(part, {{1.24, 6.92}, {1.20, 6.92}}, SIDES, false);
    add_lathe(part, {{1.20, 6.92}, {1.20, 7.22}}, SIDES, false);
    add_lathe(part, {{1.20, 7.22}, {1.15, 7.22}}, SIDES, false);
    add_lathe(part, {{1.15, 7.22}, {1.15, 6.92}}, SIDES, false);
    add_lathe(part, {{1.15, 6.92}, {0.64, 6.92}}, SIDES, false);
}

// The lantern's glazing, its roof, the ventilator ball and the lightning rod.
static void add_lantern(MeshPart &part) {
    add_lathe(part, {{0.64, 6.92}, {0.64, 7.90}}, LANTERN_SIDES, true);
    add_lathe(part, {{0.64, 7.90}, {0.80, 7.90}}, SIDES, false);
    add_lathe(part, {{0.80, 7.90}, {0.80, 7.96}}, SIDES, false);
    add_lathe(part,
              {{0.80, 7.96}, {0.67, 8.14}, {0.49, 8.31}, {0.29, 8.44}, {0.11, 8.51}, {0.0, 8.53}},
              SIDES, false);
    std::vector<ProfilePoint> ball;
    for (int i = 0; i <= 6; i++) {
        double a = -0.5 * PI + PI * i / 6;
        ball.push_back({i == 0 || i == 6 ? 0.0 : 0.12 * std::cos(a), 8.62 + 0.12 * std::sin(a)});
    }
    add_lathe(part, ball, 12, false);
    add_lathe(part, {{0.022, 8.72}, {0.0, 8.98}}, 6, false);
}

Mesh make_lighthouse() {
    Mesh m = {{{"stonework", {}, {}}, {"gallery", {}, {}}, {"lantern", {}, {}}}, {0.85, 0.85, 0.8}};
    add_stonework(m.parts[0]);
    add_gallery(m.parts[1]);
    add_lantern(m.parts[2]);
    return m;
}
