// Screenshots as uncompressed 24-bit TGA files, the kind every image tool opens.
#include "app/image.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <unistd.h>

constexpr int32_t MAX_IMAGE_SIDE = 16384;

Image *create_image_with_pixels(int32_t width, int32_t height, int format, const uint8_t *pixels) {
    if (format != PIXEL_FORMAT_RGBA8 || !pixels || width <= 0 || height <= 0 ||
        width > MAX_IMAGE_SIDE || height > MAX_IMAGE_SIDE)
        return nullptr;
    size_t size = static_cast<size_t>(width) * height * 4;
    uint8_t *copy = new (std::nothrow) uint8_t[size];
    Image *image = copy ? new (std::nothrow) Image{width, height, copy} : nullptr;
    if (!image) {
        delete[] copy;
        return nullptr;
    }
    std::memcpy(copy, pixels, size);
    return image;
}

void flip_image(Image *image, int axis) {
    if (!image || axis != FLIP_ROWS) return;
    size_t stride = static_cast<size_t>(image->width) * 4;
    for (int32_t top = 0, bottom = image->height - 1; top < bottom; top++, bottom--) {
        uint8_t *a = image->pixels + top * stride, *b = image->pixels + bottom * stride;
        for (size_t i = 0; i < stride; i++) {
            uint8_t t = a[i];
            a[i] = b[i];
            b[i] = t;
        }
    }
}

// The screen has no transparency worth keeping, so the alpha channel is dropped: a viewer
// would otherwise show the scene through whatever alpha the blending left behind.
static void write_tga_header(uint8_t *header, int32_t width, int32_t height) {
    std::memset(header, 0, 18);
    header[2] = 2; // uncompressed true-colour
    header[12] = width & 0xff;
    header[13] = width >> 8;
    header[14] = height & 0xff;
    header[15] = height >> 8;
    header[16] = 24;   // bits per pixel
    header[17] = 0x20; // rows stored top first: read upright even by tools that show a
                       // bottom-up file as it lies on disk
}

static bool write_tga(FILE *file, const Image *image) {
    uint8_t header[18];
    write_tga_header(header, image->width, image->height);
    if (std::fwrite(header, 1, sizeof header, file) != sizeof header) return false;
    size_t stride = static_cast<size_t>(image->width) * 4;
    uint8_t row[MAX_IMAGE_SIDE * 3];
    for (int32_t y = 0; y < image->height; y++) {
        const uint8_t *src = image->pixels + y * stride;
        for (int32_t x = 0; x < image->width; x++) {
            row[x * 3] = src[x * 4 + 2]; // TGA stores blue, green, red
            row[x * 3 + 1] = src[x * 4 + 1];
            row[x * 3 + 2] = src[x * 4];
        }
        size_t n = static_cast<size_t>(image->width) * 3;
        if (std::fwrite(row, 1, n, file) != n) return false;
    }
    return true;
}

// A new file beside FILENAME that nobody else can have planted: O_EXCL refuses an existing
// name, a symbolic link included. Null when none can be made.
static FILE *open_fresh_beside(const char *filename, char *temp, size_t size) {
    for (int attempt = 0; attempt < 100; attempt++) {
        std::snprintf(temp, size, "%s.%d-%d.tmp", filename, static_cast<int>(getpid()), attempt);
        int fd = open(temp, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            FILE *file = fdopen(fd, "wb");
            if (file) return file;
            close(fd);
            unlink(temp);
            return nullptr;
        }
        if (errno != EEXIST) return nullptr;
    }
    return nullptr;
}

// The picture is written whole to a file of its own, then renamed over the name: a symbolic
// link of that name is replaced rather than written through, and a reader never sees half a
// picture. A directory of that name stays, and nothing is written.
bool save_image(const char *filename, int file_format, const Image *image) {
    if (!image || file_format != FILE_FORMAT_TGA) return false;
    char temp[4096];
    if (std::strlen(filename) > sizeof temp - 32) return false;
    FILE *file = open_fresh_beside(filename, temp, sizeof temp);
    if (!file) return false;
    bool written = write_tga(file, image);
    written = std::fclose(file) == 0 && written;
    if (written && std::rename(temp, filename) == 0) return true;
    unlink(temp);
    return false;
}

void destroy_image(Image *image) {
    if (!image) return;
    delete[] image->pixels;
    delete image;
}
