// libFuzzer target: the PNG check on any bytes, under AddressSanitizer and UBSan, and the texture
// loader's decoder on whatever passes it (a crash or hang there is a hole in the check). Each
// chunk's CRC is made right first, or hardly any mutant would get past it to the image data.
#include <SOIL/SOIL.h>
#include <cstddef>
#include <cstdint>
#include <vector>
#include <zlib.h>

#include "assets/png_check.h"

static uint32_t read_u32(const uint8_t *p) {
    return static_cast<uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
}

static void fix_crcs(std::vector<uint8_t> *file) {
    uint8_t *b = file->data();
    for (size_t pos = 8; pos + 12 <= file->size();) {
        uint32_t length = read_u32(b + pos);
        if (length > file->size() - pos - 12) return;
        uint32_t crc = crc32(0, b + pos + 4, 4 + length);
        for (int i = 0; i < 4; i++)
            b[pos + 8 + length + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
        pos += 12 + static_cast<size_t>(length);
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    std::vector<uint8_t> file(data, data + size);
    fix_crcs(&file);
    if (!png_is_sound(file.data(), file.size())) return 0;
    int w, h, channels;
    SOIL_free_image_data(SOIL_load_image_from_memory(file.data(), static_cast<int>(file.size()), &w,
                                                     &h, &channels, SOIL_LOAD_AUTO));
    return 0;
}
