// The game's icon: the player's own view, the boat from behind with its oars out, on a sea lit
// by the boat's lamp, under a black sky with the lighthouse's light on the horizon.
#include "pictures.h"

#include <cmath>

#include "canvas.h"

static int icon_size; // the size being painted, for the edges' softness

static const double HORIZON = 0.28;
static const Vec2 LIGHT = {0.42, HORIZON + 0.04};
static const Rgba HULL_RIM = {0.45, 0.26, 0.16, 1}, HULL_FLOOR = {0.80, 0.53, 0.36, 1};
static const Rgba OAR_WOOD = {0.66, 0.44, 0.29, 1};

// Rounded square filling the picture: the icon's outline.
static double outline_distance(Vec2 p) {
    const double half = 0.94, round = 0.26;
    Vec2 q = {std::fabs(p.x) - (half - round), std::fabs(p.y) - (half - round)};
    Vec2 out = {std::fmax(q.x, 0.0), std::fmax(q.y, 0.0)};
    return length(out) + std::fmin(std::fmax(q.x, q.y), 0.0) - round;
}

// The hull from above: two circles' overlap, pointed at the bow, the stern off the bottom.
static double hull_distance(Vec2 p) {
    Vec2 q = {p.x, p.y + 0.55};
    return std::fmax(circle_distance(q, {-0.72, 0}, 1.0), circle_distance(q, {0.72, 0}, 1.0));
}

// Each oar from its rowlock out and back to a blade on the water.
static double oar_distance(Vec2 p) {
    Vec2 m = {std::fabs(p.x), p.y};
    double shaft = segment_distance(m, {0.12, -0.30}, {0.66, -0.58}) - 0.028;
    double blade = ellipse_distance(m, {0.74, -0.62}, {0.11, 0.05});
    return std::fmin(shaft, blade);
}

static Rgba sea_and_sky(Vec2 p) {
    if (p.y > HORIZON) return {0.02, 0.02, 0.035, 1};
    double lamp = length({p.x * 0.8, p.y + 0.75});
    double lit = 1.0 - smoothstep(0.0, 1.15, lamp);
    Rgba sea = mix(Rgba{0.10, 0.10, 0.11, 1}, Rgba{0.82, 0.82, 0.82, 1}, lit * lit);
    return mix(sea, Rgba{0.02, 0.02, 0.035, 1}, smoothstep(HORIZON - 0.18, HORIZON, p.y));
}

static Rgba paint_icon(Vec2 p) {
    Rgba c = sea_and_sky(p);
    double glow = length({p.x - LIGHT.x, p.y - LIGHT.y});
    c = mix(c, Rgba{1.0, 0.86, 0.55, 1}, std::exp(-glow * glow / 0.004));
    c = mix(c, OAR_WOOD, coverage(oar_distance(p), icon_size));
    double hull = hull_distance(p);
    Rgba wood = mix(HULL_RIM, HULL_FLOOR, smoothstep(-0.06, -0.09, hull));
    double board = std::fabs(std::fabs(p.x) - 0.07) - 0.008; // two floorboard seams
    wood = mix(wood, HULL_RIM, 0.6 * coverage(board, icon_size) * smoothstep(-0.06, -0.09, hull));
    double thwart = std::fabs(p.y + 0.32) - 0.035;
    wood = mix(wood, HULL_RIM, coverage(thwart, icon_size));
    c = mix(c, wood, coverage(hull, icon_size));
    c.a = coverage(outline_distance(p), icon_size);
    return c;
}

Picture make_icon_picture(int size) {
    icon_size = size;
    return {size, paint_picture(size, paint_icon)};
}
