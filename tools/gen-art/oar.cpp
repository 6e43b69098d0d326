// An oar hanging from its pivot (the origin) along +z: a grip inboard, a leather collar where
// it rests in the rowlock, the loom, and a flat blade at the far end, squared to the stroke.
#include "mesh.h"

static const int SIDES = 8;

// The turned wood from the grip's end to where the blade begins; the collar is leather.
static void add_loom(MeshPart &part) {
    add_lathe(part,
              {{0.0, -0.165},
               {0.013, -0.162},
               {0.020, -0.152},
               {0.022, -0.135},
               {0.022, -0.065},
               {0.017, -0.050},
               {0.018, 0.040},
               {0.025, 0.048},
               {0.026, 0.060},
               {0.026, 0.140},
               {0.025, 0.152},
               {0.018, 0.160},
               {0.017, 0.780},
               {0.012, 0.860}},
              SIDES, false);
}

// The blade's outline, from its root to its tip: distance along the oar, half-width.
static const double BLADE[][2] = {{0.80, 0.017}, {0.86, 0.034}, {0.93, 0.053}, {1.00, 0.066},
                                  {1.08, 0.074}, {1.16, 0.077}, {1.22, 0.075}, {1.26, 0.068},
                                  {1.29, 0.055}, {1.30, 0.040}};
static const int BLADE_STATIONS = sizeof BLADE / sizeof BLADE[0];
static const double EDGE = 0.004;  // half the blade's thickness at its edges
static const double SPINE = 0.012; // and along its middle

// Both faces ridged along the middle, the rims square, the tip and root closed.
static void add_blade(MeshPart &part) {
    std::vector<std::vector<Point3>> front, back, left, right;
    for (const double *s : BLADE) {
        double z = s[0], w = s[1];
        front.push_back({{EDGE, w, z}, {SPINE, 0.0, z}, {EDGE, -w, z}});
        back.push_back({{-EDGE, w, z}, {-SPINE, 0.0, z}, {-EDGE, -w, z}});
        left.push_back({{EDGE, w, z}, {-EDGE, w, z}});
        right.push_back({{EDGE, -w, z}, {-EDGE, -w, z}});
    }
    add_grid(part, front, false);
    add_grid(part, back, true);
    add_grid(part, left, true);
    add_grid(part, right, false);
    const double *tip = BLADE[BLADE_STATIONS - 1];
    const double *root = BLADE[0];
    double z = tip[0], w = tip[1];
    std::vector<int> end;
    for (Point3 p : std::vector<Point3>{{EDGE, w, z},
                                        {-EDGE, w, z},
                                        {-SPINE, 0.0, z},
                                        {-EDGE, -w, z},
                                        {EDGE, -w, z},
                                        {SPINE, 0.0, z}})
        end.push_back(add_vertex(part, p));
    add_surface(part, end);
    z = root[0], w = root[1];
    end.clear();
    for (Point3 p : std::vector<Point3>{{SPINE, 0.0, z},
                                        {EDGE, -w, z},
                                        {-EDGE, -w, z},
                                        {-SPINE, 0.0, z},
                                        {-EDGE, w, z},
                                        {EDGE, w, z}})
        end.push_back(add_vertex(part, p));
    add_surface(part, end);
}

Mesh make_oar() {
    Mesh m = {{{"loom", {}, {}}, {"blade", {}, {}}}, {0.62, 0.45, 0.28}};
    add_loom(m.parts[0]);
    add_blade(m.parts[1]);
    return m;
}
