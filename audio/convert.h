// The mixer's integer rules: truncation toward zero and 16-bit wrap-around.
#pragma once

#include <cmath>
#include <cstdint>

// Truncates toward zero; a value that is not finite or does not fit in 32 bits gives 0.
inline int32_t truncate_to_int(double v) {
    if (!(v > -2147483649.0 && v < 2147483648.0)) return 0;
    return static_cast<int32_t>(v);
}

// The low 16 bits of a value, as two's complement: 30000 + 5000 gives -30536.
inline int16_t wrap16(int32_t v) {
    uint16_t low = static_cast<uint16_t>(static_cast<uint32_t>(v) & 0xffffu);
    return static_cast<int16_t>(low);
}
