// Checking a PNG file's bytes ourselves before the texture loader decodes them.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint32_t PNG_MAX_SIDE = 4096; // wider or taller images are refused

// True when the bytes are a PNG that the texture loader decodes safely: well-formed chunks with
// good CRCs, an 8-bit, non-interlaced image of a colour type it knows, and image data that
// inflates to exactly the rows the header promises, each starting with a known filter.
bool png_is_sound(const uint8_t *data, size_t size);
