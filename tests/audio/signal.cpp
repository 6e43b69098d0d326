// Pitch from zero crossings, for checking what the voices and tables sound like.
#include "signal.h"

#include <cstddef>

double measure_hz(const std::vector<double> &s, double rate) {
    double first = -1.0, last = -1.0;
    int count = 0;
    for (std::size_t i = 1; i < s.size(); i++) {
        if (s[i - 1] < 0.0 && s[i] >= 0.0) {
            double t = (i - 1) + (-s[i - 1]) / (s[i] - s[i - 1]);
            if (count == 0) first = t;
            last = t;
            count++;
        }
    }
    if (count < 2) return 0.0;
    return (count - 1) * rate / (last - first);
}
