// Writing PNG files for the tests with zlib.
#include "png_maker.h"

#include <zlib.h>

static const int channels_of_type[7] = {1, 0, 3, 1, 2, 0, 4};

static void put_u32(Bytes *b, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) b->push_back(static_cast<uint8_t>(v >> shift));
}

PngRows sample_rows(uint32_t width, uint32_t height, int colour_type) {
    PngRows image{width, height, colour_type, {}};
    uint32_t row_bytes = width * channels_of_type[colour_type];
    for (uint32_t y = 0; y < height; y++) {
        image.rows.push_back(static_cast<uint8_t>(y % 5));
        for (uint32_t x = 0; x < row_bytes; x++)
            image.rows.push_back(static_cast<uint8_t>(colour_type == 3 ? (x + y) % 4 : x * 7 + y));
    }
    return image;
}

Bytes ihdr_data(uint32_t width, uint32_t height, int depth, int colour_type, int interlace) {
    Bytes d;
    put_u32(&d, width);
    put_u32(&d, height);
    d.insert(d.end(), {static_cast<uint8_t>(depth), static_cast<uint8_t>(colour_type), 0, 0,
                       static_cast<uint8_t>(interlace)});
    return d;
}

Bytes deflate_bytes(const Bytes &raw, int level, int strategy) {
    z_stream z{};
    deflateInit2(&z, level, Z_DEFLATED, 15, 8, strategy);
    Bytes out(deflateBound(&z, raw.size()));
    z.next_in = const_cast<uint8_t *>(raw.data());
    z.avail_in = static_cast<uInt>(raw.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

std::vector<PngChunk> png_chunks(const PngRows &image, int level, int strategy) {
    std::vector<PngChunk> chunks = {
        {"IHDR", ihdr_data(image.width, image.height, 8, image.colour_type)}};
    if (image.colour_type == 3) {
        chunks.push_back({"PLTE", {0, 0, 0, 255, 255, 255, 200, 30, 30, 20, 20, 220}});
        chunks.push_back({"tRNS", {0, 128}});
    }
    chunks.push_back({"IDAT", deflate_bytes(image.rows, level, strategy)});
    chunks.push_back({"IEND", {}});
    return chunks;
}

Bytes png_file(const std::vector<PngChunk> &chunks) {
    Bytes file = {137, 80, 78, 71, 13, 10, 26, 10};
    for (const PngChunk &c : chunks) {
        put_u32(&file, static_cast<uint32_t>(c.data.size()));
        size_t start = file.size();
        file.insert(file.end(), c.type.begin(), c.type.end());
        file.insert(file.end(), c.data.begin(), c.data.end());
        put_u32(&file, crc32(0, file.data() + start, static_cast<uInt>(file.size() - start)));
    }
    return file;
}

Bytes small_png() {
    return png_file(png_chunks(sample_rows(8, 8, 6)));
}
