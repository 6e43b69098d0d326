// The two sprite images, square and a power of two on a side, and the icon.
#pragma once

#include <cstdint>
#include <vector>

struct Picture {
    int size;                  // pixels on a side
    std::vector<uint8_t> rgba; // size x size pixels, the top row first
};

Picture make_baby_picture();
Picture make_quellorn_picture();
// The game's icon, SIZE pixels on a side.
Picture make_icon_picture(int size);
