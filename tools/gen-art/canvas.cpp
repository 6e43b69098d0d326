// Sampling a paint function into pixels, and the shape and noise helpers the pictures share.
#include "canvas.h"

#include <cmath>

double clamp01(double v) {
    return v < 0.0 ? 0.0 : v > 1.0 ? 1.0 : v;
}

static double mix(double a, double b, double t) {
    return a + (b - a) * t;
}

Rgba mix(Rgba a, Rgba b, double t) {
    return {mix(a.r, b.r, t), mix(a.g, b.g, t), mix(a.b, b.b, t), mix(a.a, b.a, t)};
}

double smoothstep(double edge0, double edge1, double v) {
    double t = clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3.0 - 2.0 * t);
}

double length(Vec2 v) {
    return std::sqrt(v.x * v.x + v.y * v.y);
}

double circle_distance(Vec2 p, Vec2 centre, double radius) {
    return length({p.x - centre.x, p.y - centre.y}) - radius;
}

double ellipse_distance(Vec2 p, Vec2 centre, Vec2 radii) {
    Vec2 q = {(p.x - centre.x) / radii.x, (p.y - centre.y) / radii.y};
    double k = length(q);
    double shortest = radii.x < radii.y ? radii.x : radii.y;
    return (k - 1.0) * shortest;
}

double segment_distance(Vec2 p, Vec2 a, Vec2 b) {
    Vec2 ab = {b.x - a.x, b.y - a.y}, ap = {p.x - a.x, p.y - a.y};
    double t = clamp01((ap.x * ab.x + ap.y * ab.y) / (ab.x * ab.x + ab.y * ab.y));
    return length({ap.x - ab.x * t, ap.y - ab.y * t});
}

double smooth_union(double a, double b, double k) {
    double h = clamp01(0.5 + 0.5 * (b - a) / k);
    return mix(b, a, h) - k * h * (1.0 - h);
}

double coverage(double distance, int size) {
    double pixel = 2.0 / size;
    return 1.0 - smoothstep(-0.75 * pixel, 0.75 * pixel, distance);
}

static uint32_t hash(int32_t x, int32_t y, uint32_t seed) {
    uint32_t h = seed * 0x9e3779b9u + static_cast<uint32_t>(x) * 0x85ebca6bu +
                 static_cast<uint32_t>(y) * 0xc2b2ae35u;
    h ^= h >> 15;
    h *= 0x2c1b3c6du;
    h ^= h >> 12;
    h *= 0x297a2d39u;
    h ^= h >> 15;
    return h;
}

static double lattice(int32_t x, int32_t y, uint32_t seed) {
    return (hash(x, y, seed) & 0xffffff) / 16777215.0;
}

double value_noise(Vec2 p, uint32_t seed) {
    double fx = std::floor(p.x), fy = std::floor(p.y);
    int32_t ix = static_cast<int32_t>(fx), iy = static_cast<int32_t>(fy);
    double tx = smoothstep(0.0, 1.0, p.x - fx), ty = smoothstep(0.0, 1.0, p.y - fy);
    double bottom = mix(lattice(ix, iy, seed), lattice(ix + 1, iy, seed), tx);
    double top = mix(lattice(ix, iy + 1, seed), lattice(ix + 1, iy + 1, seed), tx);
    return mix(bottom, top, ty);
}

double fractal_noise(Vec2 p, int octaves, uint32_t seed) {
    double sum = 0.0, weight = 0.5, total = 0.0;
    for (int i = 0; i < octaves; i++) {
        sum += weight * value_noise(p, seed + i);
        total += weight;
        p = {p.x * 2.03 + 17.1, p.y * 2.03 + 5.7};
        weight *= 0.5;
    }
    return sum / total;
}

static uint8_t to_byte(double v) {
    return static_cast<uint8_t>(std::lround(clamp01(v) * 255.0));
}

// The samples' colours weighted by their alpha, or plainly where all of them are clear.
static Rgba pixel_at(int size, int col, int row, Paint paint) {
    const int n = 4;
    Rgba weighted = {0, 0, 0, 0}, plain = {0, 0, 0, 0};
    for (int i = 0; i < n; i++)
        for (int j = 0; j < n; j++) {
            Vec2 p = {2.0 * (col + (j + 0.5) / n) / size - 1.0,
                      1.0 - 2.0 * (row + (i + 0.5) / n) / size};
            Rgba c = paint(p);
            weighted = {weighted.r + c.r * c.a, weighted.g + c.g * c.a, weighted.b + c.b * c.a,
                        weighted.a + c.a};
            plain = {plain.r + c.r, plain.g + c.g, plain.b + c.b, 0.0};
        }
    if (weighted.a > 1e-6)
        return {weighted.r / weighted.a, weighted.g / weighted.a, weighted.b / weighted.a,
                weighted.a / (n * n)};
    return {plain.r / (n * n), plain.g / (n * n), plain.b / (n * n), 0.0};
}

std::vector<uint8_t> paint_picture(int size, Paint paint) {
    std::vector<uint8_t> rgba;
    for (int row = 0; row < size; row++)
        for (int col = 0; col < size; col++) {
            Rgba c = pixel_at(size, col, row, paint);
            rgba.insert(rgba.end(), {to_byte(c.r), to_byte(c.g), to_byte(c.b), to_byte(c.a)});
        }
    return rgba;
}
