// Our models as they are built: parts of shared vertices and polygons, written as AC3D text.
#pragma once

#include <string>
#include <vector>

constexpr double PI = 3.14159265358979323846;

struct Point3 {
    double x, y, z;
};

// One (r, z) point of a profile turned about the z axis.
struct ProfilePoint {
    double r, z;
};

// One OBJECT of a model file. Surfaces that share a vertex index are smoothed together by
// the game's loader; a crease needs vertices of its own.
struct MeshPart {
    std::string name;
    std::vector<Point3> vertices;
    std::vector<std::vector<int>> surfaces; // counter-clockwise seen from outside
};

struct Mesh {
    std::vector<MeshPart> parts;
    double colour[3]; // the material's colour, for other AC3D readers; the game sets its own
};

int add_vertex(MeshPart &part, Point3 p);
void add_surface(MeshPart &part, std::vector<int> refs);
// A quad of four new vertices, counter-clockwise seen from its front.
void add_quad(MeshPart &part, Point3 a, Point3 b, Point3 c, Point3 d);
// A profile turned about z in SIDES steps, from the bottom up, the outside on the right as
// the profile climbs (so a closed solid runs axis, outside, axis). Shared rings give a smooth
// surface; FACETED gives every side its own vertices. A point on the axis closes a cap.
void add_lathe(MeshPart &part, const std::vector<ProfilePoint> &profile, int sides, bool faceted);
// An axis-aligned box; FACES picks the sides, in the order -x +x -y +y -z +z (bit 0 first).
void add_box(MeshPart &part, Point3 lo, Point3 hi, unsigned faces = 0x3f);
constexpr unsigned ALL_FACES = 0x3f;

// Writes the mesh as an AC3D file with one material; false (with a message) on failure or
// when a surface has fewer than three vertices or collinear first three.
bool write_ac(const std::string &path, const Mesh &mesh);

// A grid of shared vertices, rows[i][j], as quads (i,j) (i+1,j) (i+1,j+1) (i,j+1): their
// normals follow d(row) x d(column), or the opposite way when FLIP.
void add_grid(MeshPart &part, const std::vector<std::vector<Point3>> &rows, bool flip);
// The same grid mirrored across y = 0, wound so that it still faces out.
void add_mirrored_grid(MeshPart &part, const std::vector<std::vector<Point3>> &rows, bool flip);

Mesh make_sphere();
Mesh make_small_sphere();
Mesh make_box();
Mesh make_edge();
Mesh make_boat();
Mesh make_oar();
Mesh make_lighthouse();
