// A PNG file made into an OpenGL texture, once our own check has passed its bytes.
#include <SOIL/SOIL.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "assets/assets.h"
#include "assets/png_check.h"
#include "base/data.h"

constexpr size_t MAX_PNG_BYTES = 64u << 20; // a larger file is not one of our images

// The whole file at once, so that what was checked is exactly what gets decoded; null, or why
// it could not be read.
static const char *read_file(const char *path, std::vector<uint8_t> *bytes) {
    std::FILE *f = std::fopen(path, "rb");
    if (!f) return std::strerror(errno);
    uint8_t block[65536];
    size_t got;
    while ((got = std::fread(block, 1, sizeof block, f)) > 0 && bytes->size() <= MAX_PNG_BYTES)
        bytes->insert(bytes->end(), block, block + got);
    const char *why = std::ferror(f)                    ? "cannot be read"
                      : bytes->size() > MAX_PNG_BYTES ? "larger than 64 MB"
                                                        : nullptr;
    std::fclose(f);
    return why;
}

Texture load_texture(const char *name) {
    char path[1024];
    std::snprintf(path, sizeof path, "%s/img/%s.png", data_root, name);
    Texture t{0};
    std::vector<uint8_t> bytes;
    const char *why = read_file(path, &bytes);
    if (!why && !png_is_sound(bytes.data(), bytes.size())) why = "not a PNG image, or a damaged one";
    if (!why) {
        t.name = SOIL_load_OGL_texture_from_memory(bytes.data(), static_cast<int>(bytes.size()),
                                                    SOIL_LOAD_AUTO, SOIL_CREATE_NEW_ID, 0);
        if (!t.name) why = SOIL_last_result();
    }
    if (why) say_not_loaded(path, why);
    return t;
}
