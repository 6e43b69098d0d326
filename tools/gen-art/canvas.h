// Pictures painted as functions of the point: shapes as signed distances, and a sampler.
#pragma once

#include <cstdint>
#include <vector>

// A colour with straight (not premultiplied) alpha, each in 0..1.
struct Rgba {
    double r, g, b, a;
};

struct Vec2 {
    double x, y;
};

// A paint function of the point, x and y in -1..1 across the picture, y up.
typedef Rgba (*Paint)(Vec2 p);

// SIZE x SIZE pixels, rows from the top, each pixel the mean of 4 x 4 samples; where a pixel
// is transparent its colour is still the paint's, so that the texture's filtering blends its
// edges towards the shape's own colour rather than black.
std::vector<uint8_t> paint_picture(int size, Paint paint);

double clamp01(double v);
Rgba mix(Rgba a, Rgba b, double t);
double smoothstep(double edge0, double edge1, double v);
double length(Vec2 v);

// Signed distances: negative inside.
double circle_distance(Vec2 p, Vec2 centre, double radius);
double ellipse_distance(Vec2 p, Vec2 centre, Vec2 radii); // close to the true distance
double segment_distance(Vec2 p, Vec2 a, Vec2 b);          // unsigned, to the segment
// A union that rounds the joint over about K.
double smooth_union(double a, double b, double k);
// Coverage of a shape from its distance, soft over about one pixel of a SIZE picture.
double coverage(double distance, int size);

// Repeatable value noise in 0..1 on the integer lattice, and its sum over OCTAVES.
double value_noise(Vec2 p, uint32_t seed);
double fractal_noise(Vec2 p, int octaves, uint32_t seed);
