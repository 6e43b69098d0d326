// Building parts of a model and writing them as AC3D text with fixed-precision numbers.
#include "mesh.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

int add_vertex(MeshPart &part, Point3 p) {
    part.vertices.push_back(p);
    return static_cast<int>(part.vertices.size()) - 1;
}

static bool first_three_make_a_face(const MeshPart &part, const std::vector<int> &refs);

// A polygon with a corner squeezed to nothing (a hull's sides meeting at the stem) is turned
// to start at a real corner: the loader takes its normal from the first three vertices.
void add_surface(MeshPart &part, std::vector<int> refs) {
    for (size_t turn = 1; turn < refs.size() && !first_three_make_a_face(part, refs); turn++)
        std::rotate(refs.begin(), refs.begin() + 1, refs.end());
    part.surfaces.push_back(std::move(refs));
}

void add_quad(MeshPart &part, Point3 a, Point3 b, Point3 c, Point3 d) {
    add_surface(
        part, {add_vertex(part, a), add_vertex(part, b), add_vertex(part, c), add_vertex(part, d)});
}

static int ring_vertex(MeshPart &part, ProfilePoint p, double angle) {
    return add_vertex(part, {p.r * std::cos(angle), p.r * std::sin(angle), p.z});
}

// One ring of SIDES + 1 indices (the last repeats the first), or one index on the axis.
static std::vector<int> add_ring(MeshPart &part, ProfilePoint p, int sides) {
    const double step = 2.0 * PI / sides;
    std::vector<int> ring;
    if (p.r == 0.0) return std::vector<int>(sides + 1, add_vertex(part, {0.0, 0.0, p.z}));
    for (int j = 0; j < sides; j++) ring.push_back(ring_vertex(part, p, j * step));
    ring.push_back(ring[0]);
    return ring;
}

// The band between two rings; a quad with a corner on the axis becomes a triangle.
static void add_band(MeshPart &part, const std::vector<int> &lo, const std::vector<int> &hi, int j,
                     bool lo_on_axis, bool hi_on_axis) {
    if (lo_on_axis)
        add_surface(part, {lo[j], hi[j + 1], hi[j]});
    else if (hi_on_axis)
        add_surface(part, {lo[j], lo[j + 1], hi[j]});
    else
        add_surface(part, {lo[j], lo[j + 1], hi[j + 1], hi[j]});
}

static void add_faceted_lathe(MeshPart &part, const std::vector<ProfilePoint> &profile, int sides) {
    const double step = 2.0 * PI / sides;
    for (size_t i = 0; i + 1 < profile.size(); i++) {
        ProfilePoint a = profile[i], b = profile[i + 1];
        for (int j = 0; j < sides; j++) {
            int a0 = ring_vertex(part, a, j * step), a1 = ring_vertex(part, a, (j + 1) * step);
            int b1 = ring_vertex(part, b, (j + 1) * step), b0 = ring_vertex(part, b, j * step);
            if (a.r == 0.0)
                add_surface(part, {a0, b1, b0});
            else if (b.r == 0.0)
                add_surface(part, {a0, a1, b0});
            else
                add_surface(part, {a0, a1, b1, b0});
        }
    }
}

void add_lathe(MeshPart &part, const std::vector<ProfilePoint> &profile, int sides, bool faceted) {
    if (faceted) {
        add_faceted_lathe(part, profile, sides);
        return;
    }
    std::vector<int> lo = add_ring(part, profile[0], sides);
    for (size_t i = 1; i < profile.size(); i++) {
        std::vector<int> hi = add_ring(part, profile[i], sides);
        for (int j = 0; j < sides; j++)
            add_band(part, lo, hi, j, profile[i - 1].r == 0.0, profile[i].r == 0.0);
        lo = hi;
    }
}

void add_box(MeshPart &part, Point3 lo, Point3 hi, unsigned faces) {
    const double x0 = lo.x, y0 = lo.y, z0 = lo.z, x1 = hi.x, y1 = hi.y, z1 = hi.z;
    if (faces & 1) add_quad(part, {x0, y0, z0}, {x0, y0, z1}, {x0, y1, z1}, {x0, y1, z0});
    if (faces & 2) add_quad(part, {x1, y0, z0}, {x1, y1, z0}, {x1, y1, z1}, {x1, y0, z1});
    if (faces & 4) add_quad(part, {x0, y0, z0}, {x1, y0, z0}, {x1, y0, z1}, {x0, y0, z1});
    if (faces & 8) add_quad(part, {x0, y1, z0}, {x0, y1, z1}, {x1, y1, z1}, {x1, y1, z0});
    if (faces & 16) add_quad(part, {x0, y0, z0}, {x0, y1, z0}, {x1, y1, z0}, {x1, y0, z0});
    if (faces & 32) add_quad(part, {x0, y0, z1}, {x1, y0, z1}, {x1, y1, z1}, {x0, y1, z1});
}

// The loader takes a surface's normal from its first three vertices alone.
static bool first_three_make_a_face(const MeshPart &part, const std::vector<int> &refs) {
    if (refs.size() < 3) return false;
    const Point3 &p0 = part.vertices[refs[0]], &p1 = part.vertices[refs[1]],
                 &p2 = part.vertices[refs[2]];
    double bx = p1.x - p0.x, by = p1.y - p0.y, bz = p1.z - p0.z;
    double ax = p2.x - p0.x, ay = p2.y - p0.y, az = p2.z - p0.z;
    double nx = by * az - bz * ay, ny = bz * ax - bx * az, nz = bx * ay - by * ax;
    return std::sqrt(nx * nx + ny * ny + nz * nz) > 1e-9;
}

// Four decimals, and no "-0.0000" for a coordinate that is zero but for rounding.
static double tidy(double v) {
    return std::fabs(v) < 0.00005 ? 0.0 : v;
}

static void write_part(FILE *f, const MeshPart &part) {
    std::fprintf(f, "OBJECT poly\nname \"%s\"\nnumvert %zu\n", part.name.c_str(),
                 part.vertices.size());
    for (const Point3 &v : part.vertices)
        std::fprintf(f, "%.4f %.4f %.4f\n", tidy(v.x), tidy(v.y), tidy(v.z));
    std::fprintf(f, "numsurf %zu\n", part.surfaces.size());
    for (const std::vector<int> &s : part.surfaces) {
        std::fprintf(f, "SURF 0x10\nmat 0\nrefs %zu\n", s.size());
        for (int i : s) std::fprintf(f, "%d 0 0\n", i);
    }
    std::fprintf(f, "kids 0\n");
}

bool write_ac(const std::string &path, const Mesh &mesh) {
    for (const MeshPart &part : mesh.parts)
        for (size_t i = 0; i < part.surfaces.size(); i++)
            if (!first_three_make_a_face(part, part.surfaces[i])) {
                std::fprintf(stderr, "gen-art: %s: surface %zu of %s has no face\n", path.c_str(),
                             i, part.name.c_str());
                return false;
            }
    FILE *f = std::fopen(path.c_str(), "w");
    if (!f) return false;
    const double *c = mesh.colour;
    std::fprintf(f, "AC3Db\n");
    std::fprintf(f,
                 "MATERIAL \"%s\" rgb %.3f %.3f %.3f amb 0.200 0.200 0.200 emis 0 0 0 "
                 "spec 0.200 0.200 0.200 shi 10 trans 0\n",
                 "surface", c[0], c[1], c[2]);
    std::fprintf(f, "OBJECT world\nkids %zu\n", mesh.parts.size());
    for (const MeshPart &part : mesh.parts) write_part(f, part);
    return std::fclose(f) == 0;
}

void add_grid(MeshPart &part, const std::vector<std::vector<Point3>> &rows, bool flip) {
    std::vector<std::vector<int>> id(rows.size());
    for (size_t i = 0; i < rows.size(); i++)
        for (const Point3 &p : rows[i]) id[i].push_back(add_vertex(part, p));
    for (size_t i = 0; i + 1 < rows.size(); i++)
        for (size_t j = 0; j + 1 < rows[i].size(); j++) {
            std::vector<int> q = {id[i][j], id[i + 1][j], id[i + 1][j + 1], id[i][j + 1]};
            if (flip) q = {q[0], q[3], q[2], q[1]};
            add_surface(part, q);
        }
}

void add_mirrored_grid(MeshPart &part, const std::vector<std::vector<Point3>> &rows, bool flip) {
    std::vector<std::vector<Point3>> mirrored = rows;
    for (std::vector<Point3> &row : mirrored)
        for (Point3 &p : row) p.y = -p.y;
    add_grid(part, mirrored, !flip);
}
