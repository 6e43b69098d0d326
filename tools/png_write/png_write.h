// A small PNG writer: 8-bit RGBA, not interlaced, rows stored top first.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes WIDTH x HEIGHT pixels of four bytes each (red, green, blue, straight alpha), the
// first row at the image's top; false when the file cannot be written.
bool write_png_rgba(const std::string &path, int width, int height,
                    const std::vector<uint8_t> &rgba);
