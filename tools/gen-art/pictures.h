// The two sprite images, square and a power of two on a side.
#pragma once

#include <cstdint>
#include <vector>

struct Picture {
    int size;                  // pixels on a side
    std::vector<uint8_t> rgba; // size x size pixels, the top row first
};

Picture make_baby_picture();
Picture make_quellorn_picture();
