// The screenshot writer: copies, flips, and TGA files that an ordinary image tool reads back.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "app/image.h"
#include "app/screenshot.h"

// A 3 x 2 picture with every pixel different; alpha varies and must not show.
static std::vector<uint8_t> sample_pixels() {
    return {255, 0,  0,  0,   0,  255, 0,  10,  0,  0,  255, 128, // bottom row
            10,  20, 30, 255, 40, 50,  60, 255, 70, 80, 90,  0};  // top row
}

static std::string scratch_name(const char *stem) {
    return "/tmp/velmoor_image_test_" + std::to_string(getpid()) + "_" + stem;
}

// Reads a file back through ImageMagick as raw RGB, rows top first.
static std::vector<uint8_t> read_with_imagemagick(const std::string &path, std::string *size) {
    std::string raw = path + ".rgb";
    std::string cmd = std::string(CONVERT_PROGRAM) + " '" + path + "' -depth 8 rgb:'" + raw + "'";
    std::vector<uint8_t> rgb;
    if (std::system(cmd.c_str()) != 0) return rgb;
    FILE *f = std::fopen(raw.c_str(), "rb");
    for (int c; f && (c = std::fgetc(f)) != EOF;) rgb.push_back(static_cast<uint8_t>(c));
    if (f) std::fclose(f);
    std::remove(raw.c_str());
    std::string id = std::string(CONVERT_PROGRAM) + " '" + path + "' -format %wx%h info:";
    FILE *p = popen(id.c_str(), "r");
    char buf[64] = "";
    if (p && std::fgets(buf, sizeof buf, p)) *size = buf;
    if (p) pclose(p);
    return rgb;
}

TEST(Image, CreateCopiesThePixels) {
    std::vector<uint8_t> px = sample_pixels();
    Image *image = create_image_with_pixels(3, 2, PIXEL_FORMAT_RGBA8, px.data());
    ASSERT_NE(image, nullptr);
    px.assign(px.size(), 0); // the caller frees or reuses its buffer
    EXPECT_EQ(image->width, 3);
    EXPECT_EQ(image->height, 2);
    EXPECT_EQ(image->pixels[0], 255);
    EXPECT_EQ(image->pixels[23], 0);
    EXPECT_EQ(image->pixels[12], 10);
    destroy_image(image);
}

TEST(Image, RefusesWhatItCannotHold) {
    std::vector<uint8_t> px = sample_pixels();
    EXPECT_EQ(create_image_with_pixels(3, 2, 0x200, px.data()), nullptr);
    EXPECT_EQ(create_image_with_pixels(0, 2, PIXEL_FORMAT_RGBA8, px.data()), nullptr);
    EXPECT_EQ(create_image_with_pixels(3, -2, PIXEL_FORMAT_RGBA8, px.data()), nullptr);
    EXPECT_EQ(create_image_with_pixels(3, 2, PIXEL_FORMAT_RGBA8, nullptr), nullptr);
    EXPECT_EQ(create_image_with_pixels(1 << 20, 1 << 20, PIXEL_FORMAT_RGBA8, px.data()), nullptr);
}

// A failed capture still goes through the flip, the save and the destroy.
TEST(Image, NullImageDoesNothing) {
    std::string path = scratch_name("null.tga");
    flip_image(nullptr, FLIP_ROWS);
    EXPECT_FALSE(save_image(path.c_str(), FILE_FORMAT_TGA, nullptr));
    destroy_image(nullptr);
    EXPECT_NE(access(path.c_str(), F_OK), 0);
}

TEST(Image, FlipReversesTheRows) {
    std::vector<uint8_t> px(4 * 5 * 4);
    for (size_t i = 0; i < px.size(); i++) px[i] = static_cast<uint8_t>(i);
    Image *image = create_image_with_pixels(4, 5, PIXEL_FORMAT_RGBA8, px.data());
    ASSERT_NE(image, nullptr);
    flip_image(image, FLIP_ROWS);
    for (int y = 0; y < 5; y++)
        for (int i = 0; i < 16; i++) EXPECT_EQ(image->pixels[y * 16 + i], px[(4 - y) * 16 + i]);
    flip_image(image, FLIP_ROWS);
    EXPECT_EQ(std::vector<uint8_t>(image->pixels, image->pixels + px.size()), px);
    destroy_image(image);
}

// Flipped as the screenshot does, the file shows OpenGL's last row at its top.
TEST(Image, SavedTgaOpensUprightWithItsColours) {
    std::string path = scratch_name("upright.tga");
    FILE *old = std::fopen(path.c_str(), "wb"); // an older file of that name is replaced
    ASSERT_NE(old, nullptr);
    std::fputs("not an image, and longer than the picture that replaces it ............", old);
    std::fclose(old);
    std::vector<uint8_t> px = sample_pixels();
    Image *image = create_image_with_pixels(3, 2, PIXEL_FORMAT_RGBA8, px.data());
    flip_image(image, FLIP_ROWS);
    EXPECT_TRUE(save_image(path.c_str(), FILE_FORMAT_TGA, image));
    destroy_image(image);
    std::string size;
    std::vector<uint8_t> rgb = read_with_imagemagick(path, &size);
    std::remove(path.c_str());
    EXPECT_EQ(size, "3x2");
    std::vector<uint8_t> want = {10,  20, 30, 40, 50,  60, 70, 80, 90,
                                 255, 0,  0,  0,  255, 0,  0,  0,  255};
    EXPECT_EQ(rgb, want);
}

TEST(Image, UnwritablePlaceWritesNothingAndSaysSo) {
    std::vector<uint8_t> px = sample_pixels();
    Image *image = create_image_with_pixels(3, 2, PIXEL_FORMAT_RGBA8, px.data());
    EXPECT_FALSE(save_image("/nonexistent-dir/screen0.tga", FILE_FORMAT_TGA, image));
    EXPECT_FALSE(save_image(scratch_name("png").c_str(), 0x104, image));
    destroy_image(image);
}

// Screenshots pass over every name that is taken: a file, a link (even one that leads
// nowhere) and a folder; the picture lands on the first free number and nothing else changes.
// The writer itself, handed a link's name, replaces the link and leaves the file it points at.
TEST(Image, ScreenshotsTakeTheFirstFreeNameAndSavingReplacesALink) {
    std::vector<uint8_t> px = sample_pixels();
    Image *image = create_image_with_pixels(3, 2, PIXEL_FORMAT_RGBA8, px.data());
    std::string dir = scratch_name("dir");
    ASSERT_EQ(mkdir(dir.c_str(), 0700), 0);
    char was[4096];
    ASSERT_TRUE(getcwd(was, sizeof was));
    ASSERT_EQ(chdir(dir.c_str()), 0);
    FILE *f = std::fopen("precious", "w");
    ASSERT_TRUE(f);
    std::fputs("keep me", f);
    std::fclose(f);
    ASSERT_EQ(symlink("precious", "screen0.tga"), 0);
    ASSERT_EQ(mkdir("screen1.tga", 0700), 0);
    ASSERT_EQ(symlink("nowhere", "screen2.tga"), 0);
    char name[32];
    int32_t counter = 0;
    next_screenshot_name(counter, name, sizeof name);
    EXPECT_STREQ(name, "screen3.tga");
    EXPECT_EQ(counter, 3);
    EXPECT_TRUE(save_image(name, FILE_FORMAT_TGA, image));
    counter = 1;
    next_screenshot_name(counter, name, sizeof name); // later presses go on from the counter
    EXPECT_STREQ(name, "screen4.tga");

    EXPECT_TRUE(save_image("screen0.tga", FILE_FORMAT_TGA, image));
    struct stat st;
    ASSERT_EQ(lstat("screen0.tga", &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
    EXPECT_EQ(st.st_size, 18 + 3 * 2 * 3);
    ASSERT_EQ(stat("precious", &st), 0);
    EXPECT_EQ(st.st_size, 7);
    EXPECT_FALSE(save_image("screen1.tga", FILE_FORMAT_TGA, image));
    ASSERT_EQ(lstat("screen1.tga", &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    destroy_image(image);
    FILE *p = popen("ls -A | wc -l", "r");
    int entries = -1;
    ASSERT_TRUE(p && std::fscanf(p, "%d", &entries) == 1);
    pclose(p);
    EXPECT_EQ(entries, 5); // precious and screen0 to screen3: no stray temporary file
    ASSERT_EQ(chdir(was), 0);
    std::system(("rm -rf '" + dir + "'").c_str());
}
