// Small measurements on rendered sound: pitch from zero crossings.
#pragma once

#include <vector>

// The frequency of a periodic signal from its rising zero crossings, interpolated between
// samples; 0 when there are fewer than two.
double measure_hz(const std::vector<double> &s, double rate);
