// Small PNG files made by the tests themselves, chunk by chunk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

struct PngChunk {
    std::string type;
    Bytes data;
};

// The rows as stored: each row is its filter byte followed by the row's bytes.
struct PngRows {
    uint32_t width, height;
    int colour_type; // 0 gray, 2 RGB, 3 palette, 4 gray and alpha, 6 RGBA; 8 bits per sample
    Bytes rows;
};

// A patterned image whose rows use each of the five filters in turn.
PngRows sample_rows(uint32_t width, uint32_t height, int colour_type);
Bytes ihdr_data(uint32_t width, uint32_t height, int depth, int colour_type, int interlace = 0);
Bytes deflate_bytes(const Bytes &raw, int level = 9, int strategy = 0);
// Signature, IHDR, PLTE and tRNS for palette images, one IDAT, IEND.
std::vector<PngChunk> png_chunks(const PngRows &image, int level = 9, int strategy = 0);
// The chunks written out, each with its CRC.
Bytes png_file(const std::vector<PngChunk> &chunks);
// A valid 8 x 8 RGBA file.
Bytes small_png();
