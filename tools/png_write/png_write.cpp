// PNG files of our own: each row filtered the way that leaves the smallest sum, then zlib.
#include "png_write/png_write.h"

#include <cstdio>
#include <cstdlib>
#include <zlib.h>

static void put_u32(std::vector<uint8_t> &out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

static void put_chunk(std::vector<uint8_t> &out, const char *type,
                      const std::vector<uint8_t> &data) {
    put_u32(out, static_cast<uint32_t>(data.size()));
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    uLong crc = crc32(0L, out.data() + start, static_cast<uInt>(out.size() - start));
    put_u32(out, static_cast<uint32_t>(crc));
}

static int paeth(int a, int b, int c) {
    int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc) return a;
    return pb <= pc ? b : c;
}

// One row under filter type F (0 none, 1 sub, 2 up, 3 average, 4 Paeth), PREV the row above.
static std::vector<uint8_t> filter_row(const uint8_t *row, const uint8_t *prev, size_t n, int f) {
    std::vector<uint8_t> out(n + 1);
    out[0] = static_cast<uint8_t>(f);
    for (size_t i = 0; i < n; i++) {
        int a = i >= 4 ? row[i - 4] : 0, b = prev ? prev[i] : 0;
        int c = i >= 4 && prev ? prev[i - 4] : 0;
        const int predictor[5] = {0, a, b, (a + b) / 2, paeth(a, b, c)};
        out[i + 1] = static_cast<uint8_t>(row[i] - predictor[f]);
    }
    return out;
}

static long row_cost(const std::vector<uint8_t> &filtered) {
    long sum = 0;
    for (size_t i = 1; i < filtered.size(); i++)
        sum += filtered[i] < 128 ? filtered[i] : 256 - filtered[i];
    return sum;
}

static std::vector<uint8_t> filtered_image(int width, int height,
                                           const std::vector<uint8_t> &rgba) {
    const size_t n = static_cast<size_t>(width) * 4;
    std::vector<uint8_t> raw;
    for (int y = 0; y < height; y++) {
        const uint8_t *row = rgba.data() + y * n, *prev = y > 0 ? row - n : nullptr;
        std::vector<uint8_t> best = filter_row(row, prev, n, 0);
        for (int f = 1; f < 5; f++) {
            std::vector<uint8_t> candidate = filter_row(row, prev, n, f);
            if (row_cost(candidate) < row_cost(best)) best = candidate;
        }
        raw.insert(raw.end(), best.begin(), best.end());
    }
    return raw;
}

bool write_png_rgba(const std::string &path, int width, int height,
                    const std::vector<uint8_t> &rgba) {
    std::vector<uint8_t> raw = filtered_image(width, height, rgba);
    uLongf packed_size = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> packed(packed_size);
    if (compress2(packed.data(), &packed_size, raw.data(), static_cast<uLong>(raw.size()), 9) !=
        Z_OK)
        return false;
    packed.resize(packed_size);
    std::vector<uint8_t> header;
    put_u32(header, static_cast<uint32_t>(width));
    put_u32(header, static_cast<uint32_t>(height));
    header.insert(header.end(), {8, 6, 0, 0, 0}); // 8 bits, RGBA, deflate, adaptive, no interlace
    std::vector<uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    put_chunk(file, "IHDR", header);
    put_chunk(file, "IDAT", packed);
    put_chunk(file, "IEND", {});
    FILE *f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(file.data(), 1, file.size(), f) == file.size();
    return std::fclose(f) == 0 && ok;
}
