// Digests of the C library's sin, cos and pow and of ours over two million arguments: run
// with and without glibc's FMA paths, the first may change and ours must not.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "base/trig.h"

static uint64_t mix(uint64_t h, double v) {
    uint64_t b;
    std::memcpy(&b, &v, sizeof b);
    return (h ^ b) * 1099511628211ull;
}

int main() {
    uint64_t library = 14695981039346656037ull, ours = library;
    for (int i = 0; i < 2000000; i++) {
        double x = i * 0.0001 - 100.0;
        float f = static_cast<float>(x);
        library = mix(mix(mix(library, std::sin(x)), std::cos(x)), std::pow(2.0, x * 0.01));
        library = mix(mix(library, std::sin(f)), std::cos(f));
        ours = mix(mix(mix(ours, sine_d(x)), cosine_d(x)), two_to_the(x * 0.01));
        ours = mix(mix(ours, sine_f(f)), cosine_f(f));
    }
    std::printf("library %016llx ours %016llx\n", static_cast<unsigned long long>(library),
                static_cast<unsigned long long>(ours));
}
