// The rowing boat: a planked hull open at the top, seen from behind and above by the camera.
#include "mesh.h"

#include <cmath>

// The hull runs from the transom at STERN_X to the stem, bow towards +x; z = 0 is the sea.
static const double STERN_X = -0.66;
static const double LENGTH = 1.40;
static const double WALL = 0.022;   // the planking's thickness
static const double FLOOR_Z = 0.22; // the floorboards, above the highest ripples under the hull
static const double DECK_U = 0.80;  // the foredeck covers the hull forward of here
static const int STATIONS = 16;     // along the hull
static const int BILGE_STEPS = 6;   // from the keel to the gunwale on each side

static double sq(double v) {
    return v * v;
}

// Half the beam at the gunwale, U running from 0 at the transom to 1 at the stem.
static double half_beam(double u) {
    if (u < 0.45) return 0.29 - 0.08 * sq((0.45 - u) / 0.45);
    return 0.29 * std::sqrt(1.0 - sq((u - 0.45) / 0.55));
}

// The gunwale sweeps up towards the bow and a little towards the transom.
static double sheer(double u) {
    return 0.34 + 0.10 * sq(std::fmax(0.0, (u - 0.5) / 0.5)) +
           0.03 * sq(std::fmax(0.0, (0.5 - u) / 0.5));
}

static double keel(double u) {
    return -0.14 + 0.24 * sq(std::fmax(0.0, (u - 0.55) / 0.45)) +
           0.07 * sq(std::fmax(0.0, (0.35 - u) / 0.35));
}

// A round bilge amidships, sharpening to a V at the stem.
static double fullness(double u) {
    return u < 0.6 ? 1.0 : 1.0 - 0.75 * (u - 0.6) / 0.4;
}

// The stem leans forward a little.
static double station_x(double u, double z) {
    return STERN_X + LENGTH * u + 0.25 * sq(sq(u)) * (z - 0.3);
}

struct Section {
    double y, z;   // the point, left side (y >= 0)
    double ny, nz; // its outward unit normal
};

// The left half of a cross-section as a cubic curve from the keel (s = 0) to the gunwale
// (s = 1), flaring outwards as it rises.
static Section section(double u, double s) {
    const double b = half_beam(u), k = keel(u), h = sheer(u) - keel(u), f = fullness(u);
    const double py[4] = {0.0, f * 0.55 * b, 0.8 * b, b};
    const double pz[4] = {k, k + (1.0 - f) * 0.3 * h, k + 0.45 * h, k + h};
    const double t = 1.0 - s;
    const double w[4] = {t * t * t, 3.0 * t * t * s, 3.0 * t * s * s, s * s * s};
    const double d[3] = {3.0 * t * t, 6.0 * t * s, 3.0 * s * s};
    Section p = {0.0, 0.0, 0.0, 0.0};
    double dy = 0.0, dz = 0.0;
    for (int i = 0; i < 4; i++) p.y += w[i] * py[i], p.z += w[i] * pz[i];
    for (int i = 0; i < 3; i++) dy += d[i] * (py[i + 1] - py[i]), dz += d[i] * (pz[i + 1] - pz[i]);
    double len = std::sqrt(dy * dy + dz * dz);
    if (len < 1e-12) dy = 1.0, dz = 0.0, len = 1.0; // the stem, where the section is a line
    p.ny = dz / len;
    p.nz = -dy / len;
    return p;
}

static Point3 outer_point(double u, double s, double raise = 0.0) {
    Section p = section(u, s);
    double y = p.y + raise * p.ny, z = p.z + raise * p.nz;
    return {station_x(u, z), y, z};
}

static Point3 inner_point(double u, double s) {
    return outer_point(u, s, -WALL);
}

// Where the inside of the planking meets the floorboards.
static double floor_s(double u) {
    double lo = 0.0, hi = 1.0;
    for (int i = 0; i < 40; i++) {
        double mid = 0.5 * (lo + hi);
        (inner_point(u, mid).z < FLOOR_Z ? lo : hi) = mid;
    }
    return hi;
}

// The inside runs from just forward of the transom's planking to the foredeck.
static double inner_u(int i, int n) {
    const double u0 = WALL / LENGTH;
    return u0 + (DECK_U - u0) * i / n;
}

static void add_outer_hull(MeshPart &part) {
    std::vector<std::vector<Point3>> rows;
    for (int i = 0; i <= STATIONS; i++) {
        double u = static_cast<double>(i) / STATIONS;
        std::vector<Point3> row;
        for (int k = -BILGE_STEPS; k <= BILGE_STEPS; k++) {
            Point3 p = outer_point(u, std::fabs(k) / BILGE_STEPS);
            row.push_back({p.x, k < 0 ? -p.y : p.y, p.z});
        }
        rows.push_back(row);
    }
    add_grid(part, rows, true);
}

// One side of the inside, from the floorboards up to the gunwale.
static void add_inner_hull(MeshPart &part) {
    std::vector<std::vector<Point3>> rows;
    for (int i = 0; i <= STATIONS; i++) {
        double u = inner_u(i, STATIONS), s0 = floor_s(u);
        std::vector<Point3> row;
        for (int j = 0; j <= BILGE_STEPS; j++)
            row.push_back(inner_point(u, s0 + (1.0 - s0) * j / BILGE_STEPS));
        rows.push_back(row);
    }
    add_grid(part, rows, false);
    add_mirrored_grid(part, rows, false);
}

// The flat top of the planking along both sides.
static void add_gunwales(MeshPart &part) {
    std::vector<std::vector<Point3>> rows;
    for (int i = 0; i <= STATIONS; i++) {
        double u = inner_u(i, STATIONS);
        rows.push_back({inner_point(u, 1.0), outer_point(u, 1.0)});
    }
    add_grid(part, rows, false);
    add_mirrored_grid(part, rows, false);
}

static Point3 mirror(Point3 p) {
    return {p.x, -p.y, p.z};
}

// A cross-wall at station U from the floorboards (or the keel) up to the gunwale, in strips
// so that every polygon stays convex; FORWARD faces it towards the bow.
static void add_cross_wall(MeshPart &part, const std::vector<Point3> &left, bool forward) {
    for (size_t j = 0; j + 1 < left.size(); j++) {
        Point3 a = left[j], b = left[j + 1];
        if (forward)
            add_surface(part, {add_vertex(part, mirror(a)), add_vertex(part, a),
                               add_vertex(part, b), add_vertex(part, mirror(b))});
        else
            add_surface(part, {add_vertex(part, a), add_vertex(part, mirror(a)),
                               add_vertex(part, mirror(b)), add_vertex(part, b)});
    }
}

static std::vector<Point3> inner_section(double u) {
    std::vector<Point3> left;
    double s0 = floor_s(u);
    for (int j = 0; j <= BILGE_STEPS; j++)
        left.push_back(inner_point(u, s0 + (1.0 - s0) * j / BILGE_STEPS));
    return left;
}

// The transom: its outside from the keel, its inside above the floorboards, and its top.
static void add_transom(MeshPart &part) {
    std::vector<Point3> outside;
    for (int j = 0; j <= BILGE_STEPS; j++)
        outside.push_back(outer_point(0.0, static_cast<double>(j) / BILGE_STEPS));
    add_cross_wall(part, outside, false);
    const double u1 = inner_u(0, 1);
    add_cross_wall(part, inner_section(u1), true);
    Point3 ol = outer_point(0.0, 1.0), tl = outer_point(u1, 1.0), il = inner_point(u1, 1.0);
    add_surface(part,
                {add_vertex(part, ol), add_vertex(part, mirror(ol)), add_vertex(part, mirror(tl)),
                 add_vertex(part, mirror(il)), add_vertex(part, il), add_vertex(part, tl)});
}

// The foredeck from gunwale to gunwale, and the bulkhead under its after edge.
static void add_foredeck(MeshPart &part) {
    const int steps = 6;
    std::vector<std::vector<Point3>> rows;
    for (int i = 0; i <= steps; i++) {
        double u = DECK_U + (1.0 - DECK_U) * i / steps;
        Point3 p = outer_point(u, 1.0);
        rows.push_back({p, mirror(p)});
    }
    add_grid(part, rows, true);
    add_cross_wall(part, inner_section(DECK_U), false);
}

// Floorboards: planks along the boat with bevelled edges, so that the seams catch the light.
static void add_floor(MeshPart &part) {
    const int planks = 4;
    const double bevel = 0.012, rise = 0.008;
    for (int i = 0; i < STATIONS; i++) {
        double ua = inner_u(i, STATIONS), ub = inner_u(i + 1, STATIONS);
        Point3 a = inner_point(ua, floor_s(ua)), b = inner_point(ub, floor_s(ub));
        for (int k = 0; k < planks; k++) {
            double f0 = -1.0 + 2.0 * k / planks, f1 = -1.0 + 2.0 * (k + 1) / planks;
            double ya[4] = {f0 * a.y, f0 * a.y + bevel, f1 * a.y - bevel, f1 * a.y};
            double yb[4] = {f0 * b.y, f0 * b.y + bevel, f1 * b.y - bevel, f1 * b.y};
            double z[4] = {FLOOR_Z, FLOOR_Z + rise, FLOOR_Z + rise, FLOOR_Z};
            for (int e = 0; e < 3; e++)
                add_quad(part, {a.x, ya[e], z[e]}, {b.x, yb[e], z[e]}, {b.x, yb[e + 1], z[e + 1]},
                         {a.x, ya[e + 1], z[e + 1]});
        }
    }
}

// Half the inside's width at height Z at station U.
static double inner_half_width(double u, double z) {
    double lo = 0.0, hi = 1.0;
    for (int i = 0; i < 40; i++) {
        double mid = 0.5 * (lo + hi);
        (inner_point(u, mid).z < z ? lo : hi) = mid;
    }
    return inner_point(u, hi).y;
}

static double u_at(double x) {
    return (x - STERN_X) / LENGTH;
}

// A seat across the boat from X0 to X1, its top at Z, its ends let into the planking.
static void add_seat(MeshPart &part, double x0, double x1, double z) {
    const double w0 = inner_half_width(u_at(x0), z) + 0.008;
    const double w1 = inner_half_width(u_at(x1), z) + 0.008;
    const double z0 = z - 0.03;
    add_quad(part, {x0, -w0, z}, {x1, -w1, z}, {x1, w1, z}, {x0, w0, z});
    add_quad(part, {x0, -w0, z0}, {x0, -w0, z}, {x0, w0, z}, {x0, w0, z0});
    add_quad(part, {x1, -w1, z0}, {x1, w1, z0}, {x1, w1, z}, {x1, -w1, z});
}

// The rower's thwart, a bow thwart and the stern bench.
static void add_seats(MeshPart &part) {
    add_seat(part, 0.06, 0.20, 0.29);
    add_seat(part, 0.40, 0.50, 0.31);
    add_seat(part, -0.63, -0.42, 0.28);
}

// Frames along the inside, standing proud of the planking from the floor to the gunwale.
static void add_ribs(MeshPart &part) {
    const double at[6] = {-0.52, -0.34, -0.16, 0.02, 0.24, 0.36};
    const double half = 0.012, proud = 0.012;
    for (double x : at) {
        double ua = u_at(x - half), ub = u_at(x + half);
        std::vector<Point3> base_a = inner_section(ua), base_b = inner_section(ub);
        std::vector<std::vector<Point3>> top, aft, fore;
        for (size_t j = 0; j < base_a.size(); j++) {
            double sa = floor_s(ua) + (1.0 - floor_s(ua)) * j / BILGE_STEPS;
            double sb = floor_s(ub) + (1.0 - floor_s(ub)) * j / BILGE_STEPS;
            Point3 ra = outer_point(ua, sa, -WALL - proud), rb = outer_point(ub, sb, -WALL - proud);
            top.push_back({ra, rb});
            aft.push_back({base_a[j], ra});
            fore.push_back({base_b[j], rb});
        }
        std::vector<std::vector<Point3>> cap = {{base_a.back(), top.back()[0]},
                                                {base_b.back(), top.back()[1]}};
        add_grid(part, cap, true);
        add_mirrored_grid(part, cap, true);
        add_grid(part, top, true);
        add_mirrored_grid(part, top, true);
        add_grid(part, aft, true);
        add_mirrored_grid(part, aft, true);
        add_grid(part, fore, false);
        add_mirrored_grid(part, fore, false);
    }
}

// The rowlocks where the oars cross the gunwales, abreast of their pivots.
static void add_rowlocks(MeshPart &part) {
    Point3 g = outer_point(u_at(0.0), 1.0, -0.5 * WALL);
    for (double side : {-1.0, 1.0})
        add_box(part, {-0.03, side * g.y - 0.016, g.z}, {0.03, side * g.y + 0.016, g.z + 0.035},
                ALL_FACES & ~16u);
}

Mesh make_boat() {
    Mesh m = {{}, {0.55, 0.38, 0.24}};
    const struct {
        const char *name;
        void (*add)(MeshPart &);
    } parts[] = {{"hull", add_outer_hull}, {"inside", add_inner_hull}, {"gunwales", add_gunwales},
                 {"transom", add_transom}, {"foredeck", add_foredeck}, {"floor", add_floor},
                 {"seats", add_seats},     {"ribs", add_ribs},         {"rowlocks", add_rowlocks}};
    for (const auto &p : parts) {
        m.parts.push_back({p.name, {}, {}});
        p.add(m.parts.back());
    }
    return m;
}
