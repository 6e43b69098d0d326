// The quellorn: a black hunched mass rising from the sea, crowned with curling horns, with a
// cluster of burning eyes and a mouth full of teeth. Drawn as an 8 x 8 sprite whose lowest
// eighth is under the water, so its body runs off the bottom edge.
#include "pictures.h"

#include <cmath>

#include "canvas.h"

static const int SIZE = 256;

struct Horn {
    Vec2 root;
    double angle, curl; // the heading at the root and its turn to the tip, degrees
    double length, width;
};

static const Horn HORNS[] = {
    {{0.0, 0.58}, 90, 12, 0.30, 0.055},   {{-0.18, 0.56}, 108, 30, 0.42, 0.06},
    {{0.19, 0.55}, 72, -32, 0.44, 0.06},  {{-0.34, 0.42}, 132, 40, 0.52, 0.07},
    {{0.35, 0.40}, 50, -42, 0.54, 0.07},  {{-0.50, 0.14}, 150, 50, 0.36, 0.065},
    {{0.50, 0.12}, 32, -52, 0.34, 0.065},
};
static const int NUM_HORNS = sizeof HORNS / sizeof HORNS[0];
static const int HORN_STEPS = 10;

// Two long arms hanging down either side, each ending in three claws just above the sea.
static const Horn ARMS[] = {{{-0.50, 0.02}, 215, 50, 0.66, 0.085},
                            {{0.50, 0.0}, -35, -50, 0.64, 0.085}};

struct Eye {
    Vec2 centre;
    double radius;
};

static const Eye EYES[] = {
    {{-0.15, 0.29}, 0.068}, {{0.16, 0.30}, 0.074},   {{0.0, 0.45}, 0.05},
    {{-0.31, 0.17}, 0.045}, {{0.32, 0.16}, 0.05},    {{-0.05, 0.15}, 0.034},
    {{0.09, 0.12}, 0.028},  {{-0.40, -0.03}, 0.03},  {{0.41, -0.01}, 0.034},
    {{-0.22, 0.46}, 0.03},  {{0.25, 0.45}, 0.027},   {{-0.30, -0.42}, 0.032},
    {{0.26, -0.50}, 0.026}, {{-0.10, -0.62}, 0.022}, {{0.40, -0.26}, 0.022},
};

static const Vec2 MOUTH = {0.0, -0.12}, MOUTH_RADII = {0.34, 0.16};

// A horn as a tapering chain of segments along a curve; TIP, if given, gets its end.
static double horn_distance(Vec2 p, const Horn &h, Vec2 *tip = nullptr) {
    double far = length({p.x - h.root.x, p.y - h.root.y}) - h.length - h.width;
    if (far > 0.25 && !tip) return far; // a bound, and well clear of every union's rounding
    Vec2 at = h.root;
    double best = 1e9;
    const double step = h.length / HORN_STEPS;
    for (int i = 0; i < HORN_STEPS; i++) {
        double t = (i + 0.5) / HORN_STEPS;
        double a = (h.angle + h.curl * t) * 3.14159265358979323846 / 180.0;
        Vec2 next = {at.x + step * std::cos(a), at.y + step * std::sin(a)};
        double w = h.width * std::pow(1.0 - 0.8 * t, 0.9);
        best = std::fmin(best, segment_distance(p, at, next) - w);
        at = next;
    }
    if (tip) *tip = at;
    return best;
}

static double arm_distance(Vec2 p, const Horn &arm) {
    double far = length({p.x - arm.root.x, p.y - arm.root.y}) - arm.length - 0.2;
    if (far > 0.25) return far;
    Vec2 hand;
    double d = horn_distance(p, arm, &hand);
    const double heading = arm.angle + arm.curl, inward = arm.curl > 0 ? 1.0 : -1.0;
    for (int c = -1; c <= 1; c++) {
        Horn claw = {hand, heading + 38.0 * c, -inward * 40.0, 0.15, 0.03};
        d = smooth_union(d, horn_distance(p, claw), 0.02);
    }
    return d;
}

// The body alone, ragged at its edge.
static double body_distance(Vec2 p) {
    double d = ellipse_distance(p, {0.0, -1.0}, {0.66, 0.42});
    d = smooth_union(d, ellipse_distance(p, {0.0, -0.38}, {0.50, 0.58}), 0.2);
    d = smooth_union(d, ellipse_distance(p, {0.0, 0.22}, {0.42, 0.46}), 0.2);
    d = smooth_union(d, ellipse_distance(p, {-0.42, 0.0}, {0.26, 0.22}), 0.15);
    d = smooth_union(d, ellipse_distance(p, {0.42, -0.02}, {0.26, 0.22}), 0.15);
    return d + 0.045 * (fractal_noise({p.x * 7.0, p.y * 7.0}, 3, 11) - 0.5);
}

static double creature_distance(Vec2 p) {
    double d = body_distance(p);
    for (int i = 0; i < NUM_HORNS; i++) d = smooth_union(d, horn_distance(p, HORNS[i]), 0.05);
    for (const Horn &arm : ARMS) d = smooth_union(d, arm_distance(p, arm), 0.08);
    return d;
}

// Black flesh, mottled, with a cold sheen on its rims so that it stands out from the night.
static Rgba flesh(Vec2 p, double d) {
    double mottle = fractal_noise({p.x * 14.0, p.y * 14.0}, 4, 23);
    Rgba c = {0.045 + 0.04 * mottle, 0.035 + 0.03 * mottle, 0.055 + 0.045 * mottle, 1};
    double rim = std::exp(std::fmin(d, 0.0) / 0.03);
    return mix(c, Rgba{0.30, 0.25, 0.38, 1}, 0.75 * rim);
}

// Every eye lights the flesh round it, then burns yellow to red with a slit of a pupil.
static Rgba eyes(Vec2 p, Rgba c) {
    for (const Eye &e : EYES) {
        double d = length({p.x - e.centre.x, p.y - e.centre.y});
        double halo = std::exp(-std::fmax(0.0, d - e.radius) / (0.7 * e.radius));
        c = {c.r + 0.55 * halo, c.g + 0.12 * halo, c.b + 0.02 * halo, 1};
    }
    for (const Eye &e : EYES) {
        Vec2 q = {(p.x - e.centre.x) / e.radius, (p.y - e.centre.y) / e.radius};
        double r = length(q);
        if (r > 1.1) continue;
        Rgba iris = mix(Rgba{1.0, 0.96, 0.62, 1}, Rgba{0.95, 0.30, 0.04, 1}, r * r);
        iris = mix(iris, Rgba{0.25, 0.02, 0.0, 1}, smoothstep(0.8, 1.0, r));
        double slit = std::fabs(q.x) - 0.2 * std::sqrt(clamp01(1.0 - q.y * q.y));
        iris = mix(Rgba{0.05, 0.0, 0.0, 1}, iris, smoothstep(-0.06, 0.06, slit));
        c = mix(iris, c, smoothstep(0.95, 1.08, r));
    }
    return c;
}

// A wide grin with pointed, drooping corners, red-black inside, uneven teeth above and below.
static Rgba maw(Vec2 p, Rgba c) {
    double x = (p.x - MOUTH.x) / MOUTH_RADII.x;
    if (std::fabs(x) > 1.1) return c;
    double open = 1.0 - x * x, droop = -0.07 * x * x;
    double top = MOUTH.y + droop + 0.45 * MOUTH_RADII.y * open;
    double bottom = MOUTH.y + droop - MOUTH_RADII.y * open;
    double d = std::fmax(std::fmax(p.y - top, bottom - p.y), (std::fabs(x) - 1.0) * 0.2);
    if (d > 0.02) return c;
    double k = (x + 1.0) * 8.0;
    double bite = 1.0 - std::fabs(2.0 * (k - std::floor(k)) - 1.0);
    double upper = 0.10 * bite * (0.6 + 0.7 * value_noise({std::floor(k), 0.0}, 5)) * open;
    double lower = 0.06 * bite * (0.6 + 0.7 * value_noise({std::floor(k), 3.0}, 9)) * open;
    bool tooth = top - p.y < upper || p.y - bottom < lower;
    double depth = clamp01(std::fmin(top - p.y, p.y - bottom) / (0.5 * MOUTH_RADII.y + 1e-9));
    Rgba inside = mix(Rgba{0.40, 0.03, 0.05, 1}, Rgba{0.04, 0.0, 0.01, 1}, depth);
    Rgba bone = mix(Rgba{0.86, 0.82, 0.68, 1}, Rgba{0.40, 0.34, 0.26, 1}, std::fabs(x));
    return mix(tooth ? bone : inside, c, smoothstep(-0.005, 0.005, d));
}

static Rgba paint_quellorn(Vec2 p) {
    double d = creature_distance(p);
    Rgba c = maw(p, eyes(p, flesh(p, d)));
    c.a = coverage(d, SIZE);
    return c;
}

Picture make_quellorn_picture() {
    return {SIZE, paint_picture(SIZE, paint_quellorn)};
}
