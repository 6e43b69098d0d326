// A small image writer for screenshots: copy 8-bit RGBA pixels, flip them, save them as TGA.
#pragma once

#include <cstdint>

constexpr int PIXEL_FORMAT_RGBA8 = 0x201; // 8-bit R, G, B, A per pixel
constexpr int FILE_FORMAT_TGA = 0x105;
constexpr int FLIP_ROWS = 1; // about the horizontal axis: the row order is reversed

struct Image {
    int32_t width;
    int32_t height;
    uint8_t *pixels; // RGBA, width * height * 4 bytes, row 0 first
};

// A new image with its own copy of the pixels; null for an unknown format, a size that is
// not positive or too large, or when memory runs out.
Image *create_image_with_pixels(int32_t width, int32_t height, int format, const uint8_t *pixels);
// Flips in place; does nothing for a null image or an unknown axis.
void flip_image(Image *image, int axis);
// Writes the image to the file, replacing it (a symbolic link of that name is replaced, not
// followed), with its row 0 as the top of the picture. False when nothing could be written,
// including for a null image.
bool save_image(const char *filename, int file_format, const Image *image);
void destroy_image(Image *image);
