// The PNG check: the texture loader aborts, reads out of bounds or never returns on some
// damaged files, so only files that pass here reach it.
#include "assets/png_check.h"

#include <cstring>
#include <zlib.h>

static const uint8_t PNG_SIGNATURE[8] = {137, 80, 78, 71, 13, 10, 26, 10};

// Bytes per pixel of each 8-bit colour type; 0 for the types that do not exist.
static const int channels_of_type[7] = {1, 0, 3, 1, 2, 0, 4};

// Where the walk through the chunks has got to.
struct PngWalk {
    int colour_type = -1; // -1 until the header has been read
    uint32_t palette_entries = 0;
    bool transparency = false;
    bool idat_seen = false, idat_ended = false, end_seen = false;
    // The image data as it inflates: its promised size and where the next row's filter is.
    z_stream z{};
    bool stream_ended = false;
    uint64_t expected = 0, produced = 0;
    uint64_t row_size = 0, to_next_filter = 0;
};

static uint32_t read_u32(const uint8_t *p) {
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 |
           static_cast<uint32_t>(p[2]) << 8 | p[3];
}

static bool is_type(const uint8_t *type, const char *name) {
    return !std::memcmp(type, name, 4);
}

static bool is_letter(uint8_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

static bool read_header(PngWalk *w, const uint8_t *d, uint32_t length) {
    if (length != 13) return false;
    uint32_t width = read_u32(d), height = read_u32(d + 4);
    int depth = d[8], type = d[9];
    if (width < 1 || width > PNG_MAX_SIDE || height < 1 || height > PNG_MAX_SIDE) return false;
    if (depth != 8 || type > 6 || !channels_of_type[type]) return false;
    if (d[10] != 0 || d[11] != 0 || d[12] != 0) return false; // compression, filter, interlace
    w->colour_type = type;
    w->row_size = 1 + static_cast<uint64_t>(width) * channels_of_type[type];
    w->expected = w->row_size * height;
    return true;
}

static bool read_palette(PngWalk *w, uint32_t length) {
    bool allowed = w->colour_type == 2 || w->colour_type == 3 || w->colour_type == 6;
    if (!allowed || w->palette_entries || w->idat_seen) return false;
    if (length % 3 || length < 3 || length > 256 * 3) return false;
    w->palette_entries = length / 3;
    return true;
}

static bool read_transparency(PngWalk *w, uint32_t length) {
    if (w->transparency || w->idat_seen) return false;
    w->transparency = true;
    switch (w->colour_type) {
    case 0:
        return length == 2;
    case 2:
        return length == 6;
    case 3:
        return w->palette_entries && length <= w->palette_entries;
    default:
        return false;
    }
}

// Every filter byte must be one of the five filters; the rows in between are the pixels.
static bool check_rows(PngWalk *w, const uint8_t *p, uint64_t n) {
    if (n > w->expected - w->produced) return false;
    w->produced += n;
    while (n > 0) {
        if (w->to_next_filter == 0) {
            if (*p > 4) return false;
            w->to_next_filter = w->row_size;
        }
        uint64_t step = n < w->to_next_filter ? n : w->to_next_filter;
        p += step;
        n -= step;
        w->to_next_filter -= step;
    }
    return true;
}

// Inflates the chunk's part of the zlib stream; the stream may not run past its end.
static bool inflate_data(PngWalk *w, const uint8_t *d, uint32_t length) {
    uint8_t out[16384];
    if (length == 0) return true;
    w->z.next_in = const_cast<uint8_t *>(d);
    w->z.avail_in = length;
    do {
        if (w->stream_ended) return w->z.avail_in == 0;
        w->z.next_out = out;
        w->z.avail_out = sizeof out;
        int result = inflate(&w->z, Z_NO_FLUSH);
        if (result == Z_BUF_ERROR && w->z.avail_in == 0) return true; // all of it was taken
        if (result != Z_OK && result != Z_STREAM_END) return false;
        if (!check_rows(w, out, sizeof out - w->z.avail_out)) return false;
        w->stream_ended = result == Z_STREAM_END;
    } while (w->z.avail_in > 0 || w->z.avail_out == 0);
    return true;
}

static bool read_image_data(PngWalk *w, const uint8_t *d, uint32_t length) {
    if (w->idat_ended || (w->colour_type == 3 && !w->palette_entries)) return false;
    w->idat_seen = true;
    return inflate_data(w, d, length);
}

static bool read_chunk(PngWalk *w, const uint8_t *type, const uint8_t *d, uint32_t length) {
    if (w->colour_type < 0) return is_type(type, "IHDR") && read_header(w, d, length);
    if (w->idat_seen && !is_type(type, "IDAT")) w->idat_ended = true;
    if (is_type(type, "IDAT")) return read_image_data(w, d, length);
    if (is_type(type, "PLTE")) return read_palette(w, length);
    if (is_type(type, "tRNS")) return read_transparency(w, length);
    if (is_type(type, "IEND")) {
        w->end_seen = true;
        return length == 0;
    }
    // Other critical chunks (IHDR again among them) are refused, ancillary ones passed over.
    return type[0] & 0x20;
}

// Each chunk: length, type, data, and the CRC of type and data; IEND is the last bytes.
static bool walk_chunks(PngWalk *w, const uint8_t *data, size_t size) {
    if (size < 8 || std::memcmp(data, PNG_SIGNATURE, 8)) return false;
    for (size_t pos = 8; pos < size;) {
        if (w->end_seen || size - pos < 12) return false;
        uint32_t length = read_u32(data + pos);
        if (length > 0x7fffffff || length > size - pos - 12) return false;
        const uint8_t *type = data + pos + 4, *d = type + 4;
        for (int i = 0; i < 4; i++)
            if (!is_letter(type[i])) return false;
        if (crc32(crc32(0, Z_NULL, 0), type, 4 + length) != read_u32(d + length)) return false;
        if (!read_chunk(w, type, d, length)) return false;
        pos += 12 + static_cast<size_t>(length);
    }
    return w->end_seen && w->stream_ended && w->produced == w->expected;
}

bool png_is_sound(const uint8_t *data, size_t size) {
    PngWalk w;
    if (inflateInit(&w.z) != Z_OK) return false;
    bool sound = walk_chunks(&w, data, size);
    inflateEnd(&w.z);
    return sound;
}
