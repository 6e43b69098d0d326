// The PNG check passes our kinds of image and refuses each fault the texture loader trips on.
#include <functional>
#include <gtest/gtest.h>
#include <zlib.h>

#include "assets/png_check.h"
#include "png_maker.h"

namespace {

using Chunks = std::vector<PngChunk>;

bool sound(const Bytes &file) {
    return png_is_sound(file.data(), file.size());
}

Chunks rgba() {
    return png_chunks(sample_rows(5, 4, 6));
}

Chunks with_rows(Bytes rows) {
    Chunks c = rgba();
    c[1].data = deflate_bytes(rows);
    return c;
}

TEST(PngCheck, PassesEveryColourTypeAndSplitData) {
    for (int type : {0, 2, 3, 4, 6})
        EXPECT_TRUE(sound(png_file(png_chunks(sample_rows(7, 3, type)))));
    Chunks c = rgba();
    Bytes data = c[1].data;
    c[1].data.assign(data.begin(), data.begin() + 10);
    c.insert(c.begin() + 2, {"IDAT", Bytes(data.begin() + 10, data.end())});
    c.insert(c.begin() + 1, {"tEXt", {'a', 0, 'b'}});
    EXPECT_TRUE(sound(png_file(c)));
}

struct Fault {
    const char *what;
    std::function<Bytes()> file;
};

TEST(PngCheck, RefusesFaults) {
    const Bytes good = png_file(rgba());
    const Bytes rows = sample_rows(5, 4, 6).rows;
    auto edited = [](std::function<void(Chunks &)> edit) {
        Chunks c = rgba();
        edit(c);
        return png_file(c);
    };
    auto bytes_edited = [&](std::function<void(Bytes &)> edit) {
        Bytes b = good;
        edit(b);
        return b;
    };
    const Fault faults[] = {
        {"signature", [&] { return bytes_edited([](Bytes &b) { b[1] ^= 1; }); }},
        {"CRC", [&] { return bytes_edited([](Bytes &b) { b[8 + 12 + 13 - 1] ^= 1; }); }},
        {"truncated", [&] { return bytes_edited([](Bytes &b) { b.pop_back(); }); }},
        {"bytes after IEND", [&] { return bytes_edited([](Bytes &b) { b.push_back(0); }); }},
        {"length past the end", [&] { return bytes_edited([](Bytes &b) { b[33] = 1; }); }},
        {"no IEND", [&] { return edited([](Chunks &c) { c.pop_back(); }); }},
        {"no IDAT", [&] { return edited([](Chunks &c) { c.erase(c.begin() + 1); }); }},
        {"IHDR not first", [&] { return edited([](Chunks &c) { std::swap(c[0], c[1]); }); }},
        {"16 bits", [&] { return edited([](Chunks &c) { c[0].data[8] = 16; }); }},
        {"4 bits", [&] { return edited([](Chunks &c) { c[0].data[8] = 4; }); }},
        {"colour type 5", [&] { return edited([](Chunks &c) { c[0].data[9] = 5; }); }},
        {"interlaced", [&] { return edited([](Chunks &c) { c[0].data[12] = 1; }); }},
        {"width 0", [&] { return edited([](Chunks &c) { c[0].data = ihdr_data(0, 4, 8, 6); }); }},
        {"width 4097",
         [&] { return edited([](Chunks &c) { c[0].data = ihdr_data(4097, 4, 8, 6); }); }},
        {"palette image without PLTE",
         [&] {
             return png_file({{"IHDR", ihdr_data(5, 4, 8, 3)},
                              {"IDAT", deflate_bytes(sample_rows(5, 4, 3).rows)},
                              {"IEND", {}}});
         }},
        {"tRNS longer than the palette",
         [&] {
             Chunks c = png_chunks(sample_rows(5, 4, 3));
             c[2].data.assign(5, 0);
             return png_file(c);
         }},
        {"unknown critical chunk",
         [&] { return edited([](Chunks &c) {
                   c.insert(c.begin() + 1, {"ABCD", {}});
               }); }},
        {"IDAT chunks apart",
         [&] {
             return edited([](Chunks &c) {
                 c.insert(c.begin() + 2, {"tEXt", {'a', 0}});
                 c.insert(c.begin() + 3, {"IDAT", {}});
             });
         }},
        {"filter 5",
         [&] {
             Bytes r = rows;
             r[0] = 5;
             return png_file(with_rows(r));
         }},
        {"a row short", [&] { return png_file(with_rows(Bytes(rows.begin(), rows.end() - 21))); }},
        {"a byte over",
         [&] {
             Bytes r = rows;
             r.push_back(0);
             return png_file(with_rows(r));
         }},
        {"zlib checksum", [&] { return edited([](Chunks &c) { c[1].data.back() ^= 1; }); }},
        {"bytes after the zlib stream",
         [&] { return edited([](Chunks &c) { c[1].data.push_back(0); }); }},
    };
    for (const Fault &f : faults) EXPECT_FALSE(sound(f.file())) << f.what;
}

} // namespace
