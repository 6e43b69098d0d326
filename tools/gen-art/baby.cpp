// The baby: a pale, round, puffy creature with eyes too big and too dark, reaching up with
// both little arms. Drawn as a 2 x 2 sprite, its bottom at the waterline.
#include "pictures.h"

#include <cmath>

#include "canvas.h"

static const int SIZE = 256;

static const Vec2 LEFT_EYE = {-0.23, 0.12}, RIGHT_EYE = {0.235, 0.135};
static const Vec2 LEFT_EYE_RADII = {0.14, 0.165}, RIGHT_EYE_RADII = {0.122, 0.15};
static const Vec2 MOUTH = {0.03, -0.16};

static double arm_distance(Vec2 p, Vec2 shoulder, Vec2 hand) {
    double arm = segment_distance(p, shoulder, hand) - 0.095;
    double palm = circle_distance(p, hand, 0.105);
    double d = smooth_union(arm, palm, 0.05);
    // three stubby fingers round the top of the hand
    Vec2 out = {hand.x - shoulder.x, hand.y - shoulder.y};
    double len = length(out);
    out = {out.x / len, out.y / len};
    for (int f = -1; f <= 1; f++) {
        double a = std::atan2(out.y, out.x) + 0.55 * f;
        Vec2 tip = {hand.x + 0.11 * std::cos(a), hand.y + 0.11 * std::sin(a)};
        d = smooth_union(d, circle_distance(p, tip, 0.034), 0.02);
    }
    return d;
}

// The whole silhouette: head, belly and arms melted together.
static double baby_distance(Vec2 p) {
    double head = circle_distance(p, {0.0, 0.2}, 0.56);
    double belly = ellipse_distance(p, {0.0, -0.55}, {0.43, 0.38});
    double d = smooth_union(head, belly, 0.14);
    d = smooth_union(d, arm_distance(p, {-0.34, -0.46}, {-0.70, -0.16}), 0.08);
    d = smooth_union(d, arm_distance(p, {0.34, -0.50}, {0.68, -0.28}), 0.08);
    return d;
}

// A strand of hair curling on the crown.
static double hair_distance(Vec2 p) {
    Vec2 c = {0.06, 0.83};
    double a = std::atan2(p.y - c.y, p.x - c.x);
    double ring = std::fabs(circle_distance(p, c, 0.065)) - 0.011;
    double gap = a > -1.2 && a < 0.3 ? 1.0 : 0.0; // open towards the lower right
    double stem = segment_distance(p, {0.0, 0.74}, {0.005, 0.80}) - 0.011;
    return std::fmin(ring + gap, stem);
}

// The skin's surface as a cushion: height rises from the outline inwards.
static double cushion(Vec2 p) {
    return std::sqrt(clamp01(-baby_distance(p) / 0.3));
}

static double lit(Vec2 p) {
    const double e = 0.01;
    double dx = (cushion({p.x + e, p.y}) - cushion({p.x - e, p.y})) / (2 * e);
    double dy = (cushion({p.x, p.y + e}) - cushion({p.x, p.y - e})) / (2 * e);
    double nx = -0.35 * dx, ny = -0.35 * dy, nz = 1.0;
    double n = std::sqrt(nx * nx + ny * ny + nz * nz);
    const double lx = -0.45, ly = 0.55, lz = 0.70;
    double l = std::sqrt(lx * lx + ly * ly + lz * lz);
    return clamp01((nx * lx + ny * ly + nz * lz) / (n * l));
}

static Rgba skin(Vec2 p, double d) {
    const Rgba shadow = {0.40, 0.45, 0.54, 1}, base = {0.86, 0.84, 0.82, 1};
    const Rgba glow = {0.98, 0.97, 0.94, 1}, flush = {0.90, 0.60, 0.62, 1};
    double light = lit(p);
    Rgba c =
        light < 0.75 ? mix(shadow, base, light / 0.75) : mix(base, glow, (light - 0.75) / 0.25);
    c = mix(c, flush, 0.45 * std::exp(std::fmin(d, 0.0) / 0.035)); // thin skin, lit through
    double vein = std::fabs(fractal_noise({p.x * 6.0, p.y * 6.0}, 3, 7) - 0.5);
    double temples = smoothstep(0.1, 0.45, std::fabs(p.x)) * smoothstep(0.1, 0.45, p.y) *
                     smoothstep(0.0, -0.03, d);
    c = mix(c, Rgba{0.50, 0.56, 0.74, 1}, 0.5 * temples * (1.0 - smoothstep(0.0, 0.02, vein)));
    for (double side : {-1.0, 1.0}) // cheeks
        c = mix(c, flush,
                0.3 * (1.0 - smoothstep(0.0, 0.14, circle_distance(p, {0.36 * side, -0.02}, 0.0))));
    double sockets = std::fmin(ellipse_distance(p, LEFT_EYE, {0.19, 0.22}),
                               ellipse_distance(p, RIGHT_EYE, {0.175, 0.205}));
    c = mix(c, shadow, 0.6 * (1.0 - smoothstep(-0.03, 0.06, sockets)));
    return c;
}

// Black, wet eyes with no whites: a glint high on each and a fainter one below.
static Rgba eye(Vec2 p, Vec2 centre, Vec2 radii, Rgba under) {
    double d = ellipse_distance(p, centre, radii);
    if (d > 0.02) return under;
    double lower = clamp01((centre.y - p.y) / radii.y);
    Rgba c = mix(Rgba{0.02, 0.015, 0.03, 1}, Rgba{0.16, 0.10, 0.16, 1}, lower * lower);
    double glint = circle_distance(p, {centre.x - 0.045, centre.y + 0.06}, 0.032);
    double small = circle_distance(p, {centre.x + 0.04, centre.y - 0.06}, 0.014);
    c = mix(c, Rgba{1, 1, 1, 1}, 1.0 - smoothstep(-0.006, 0.006, glint));
    c = mix(c, Rgba{0.8, 0.8, 0.85, 1}, 0.8 * (1.0 - smoothstep(-0.005, 0.005, small)));
    Rgba sore = mix(under, Rgba{0.62, 0.26, 0.30, 1}, 0.7 * (1.0 - smoothstep(0.0, 0.022, d)));
    return mix(c, sore, smoothstep(-0.008, 0.008, d));
}

// A small round mouth, open, with one tooth.
static Rgba mouth(Vec2 p, Rgba under) {
    double d = ellipse_distance(p, MOUTH, {0.075, 0.06});
    Rgba c = mix(Rgba{0.12, 0.02, 0.04, 1}, Rgba{0.42, 0.10, 0.13, 1}, smoothstep(-0.04, 0.0, d));
    double tooth = ellipse_distance(p, {MOUTH.x + 0.018, MOUTH.y + 0.038}, {0.016, 0.022});
    c = mix(c, Rgba{0.93, 0.9, 0.82, 1}, 1.0 - smoothstep(-0.004, 0.004, tooth));
    Rgba lip = mix(under, Rgba{0.78, 0.45, 0.48, 1}, 0.6);
    c = mix(c, lip, smoothstep(-0.01, 0.004, d));
    return mix(c, under, smoothstep(0.004, 0.02, d));
}

static Rgba paint_baby(Vec2 p) {
    double d = baby_distance(p);
    double hair = hair_distance(p);
    Rgba c = skin(p, d);
    c = eye(p, LEFT_EYE, LEFT_EYE_RADII, c);
    c = eye(p, RIGHT_EYE, RIGHT_EYE_RADII, c);
    c = mouth(p, c);
    c = mix(c, Rgba{0.72, 0.64, 0.48, 1}, 1.0 - smoothstep(-0.004, 0.004, hair));
    c.a = std::fmax(coverage(d, SIZE), coverage(hair, SIZE));
    return c;
}

Picture make_baby_picture() {
    return {SIZE, paint_picture(SIZE, paint_baby)};
}
