// The model and texture tables in a real OpenGL context under Xvfb, from a data folder made here.
#include <GL/gl.h>
#include <SDL/SDL.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

#include "assets/assets.h"
#include "base/data.h"
#include "png_maker.h"

namespace {

void open_window() {
    static bool open;
    if (open) return;
    if (SDL_Init(SDL_INIT_VIDEO) < 0 || !SDL_SetVideoMode(64, 64, 32, SDL_OPENGL)) {
        std::fprintf(stderr, "no OpenGL window: %s\n", SDL_GetError());
        std::exit(2);
    }
    open = true;
}

// An empty data folder, with its models/ and img/ folders; data_root points at it.
std::string make_data_folder() {
    char name[] = "/tmp/velmoor-assets-XXXXXX";
    std::string root = mkdtemp(name);
    std::system(("mkdir -p " + root + "/models " + root + "/img").c_str());
    data_root = strdup(root.c_str());
    return root;
}

void write_file(const std::string &path, const std::string &bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Whatever the loaders write to standard output and standard error while they run.
std::string printed_by(void (*run)()) {
    std::fflush(nullptr);
    FILE *capture = std::tmpfile();
    int out = dup(1), err = dup(2);
    dup2(fileno(capture), 1);
    dup2(fileno(capture), 2);
    run();
    std::fflush(nullptr);
    dup2(out, 1);
    dup2(err, 2);
    close(out);
    close(err);
    std::string text(std::ftell(capture) > 0 ? std::ftell(capture) : 0, '\0');
    std::rewind(capture);
    text.resize(std::fread(&text[0], 1, text.size(), capture));
    std::fclose(capture);
    return text;
}

void load_both() {
    load_models();
    load_textures();
}

// The files each line of TEXT names, in order: "Couldn't load PATH: why" gives PATH.
std::string named(const std::string &text) {
    std::string paths;
    for (size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1) {
        std::string line = text.substr(at, end - at);
        paths += line.compare(0, 14, "Couldn't load ") ? "?" + line : line.substr(14, line.find(": ") - 14);
        paths += " ";
    }
    return paths;
}

TEST(Tables, MissingFilesKeepEveryIdAndAreEachNamedOnce) {
    open_window();
    std::string r = make_data_folder();
    EXPECT_EQ(named(printed_by(load_both)),
              r + "/models/sphere.ac " + r + "/models/sphere_s.ac " + r + "/models/boat.ac " + r +
                  "/models/oar.ac " + r + "/models/edge.ac " + r + "/models/box.ac " + r +
                  "/models/lighthouse.ac " + r + "/img/baby.png " + r + "/img/quellorn.png ");
    ASSERT_EQ(models.size(), size_t(NUM_MODELS));
    for (const Model &m : models) {
        EXPECT_EQ(m.list, 0u);
        EXPECT_TRUE(m.objects.empty());
    }
    ASSERT_EQ(textures.size(), size_t(NUM_TEXTURES));
    for (const Texture &t : textures) EXPECT_EQ(t.name, 0u);
    EXPECT_EQ(printed_by(release_assets), "");
    EXPECT_TRUE(models.empty() && textures.empty());
}

// The edge is a square seen head on: its list fills the middle of the window and no more.
TEST(Tables, LoadedFilesDrawAndDamagedOnesStayEmpty) {
    open_window();
    std::string root = make_data_folder();
    const std::string square = "AC3Db\nOBJECT poly\nnumvert 4\n-0.5 -0.5 0\n0.5 -0.5 0\n"
                               "0.5 0.5 0\n-0.5 0.5 0\nnumsurf 1\nSURF 0\nrefs 4\n"
                               "0 0 0\n1 0 0\n2 0 0\n3 0 0\nkids 0\n";
    write_file(root + "/models/edge.ac", square);
    write_file(root + "/models/lighthouse.ac", "AC3Dc" + square.substr(5));
    Bytes png = small_png();
    write_file(root + "/img/baby.png", std::string(png.begin(), png.end()));
    png[8 + 25] = 1; // the image data's length runs 16 MB past the end: the decoder crashes
    write_file(root + "/img/quellorn.png", std::string(png.begin(), png.end()));

    std::string printed = printed_by(load_both);
    EXPECT_NE(printed.find("Couldn't load " + root + "/models/lighthouse.ac: not an AC3D model"),
              std::string::npos) << printed;
    EXPECT_NE(printed.find("Couldn't load " + root + "/img/quellorn.png: not a PNG image"),
              std::string::npos) << printed;
    EXPECT_EQ(printed.find(root + "/models/edge.ac"), std::string::npos) << printed;
    EXPECT_EQ(printed.find(root + "/img/baby.png"), std::string::npos) << printed;
    ASSERT_EQ(models.size(), size_t(NUM_MODELS));
    unsigned edge = models[MODEL_EDGE].list, baby = textures[TEXTURE_BABY].name;
    EXPECT_TRUE(glIsList(edge));
    EXPECT_EQ(models[MODEL_LIGHTHOUSE].list, 0u);
    EXPECT_EQ(models[MODEL_BOX].list, 0u);
    EXPECT_TRUE(glIsTexture(baby));
    EXPECT_EQ(textures[TEXTURE_QUELLORN].name, 0u);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(1, 1, 1);
    glCallList(edge);
    uint8_t middle[4], corner[4];
    glReadPixels(32, 32, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, middle);
    glReadPixels(2, 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, corner);
    EXPECT_EQ(middle[0], 255);
    EXPECT_EQ(corner[0], 0);

    release_assets();
    EXPECT_FALSE(glIsList(edge));
    EXPECT_FALSE(glIsTexture(baby));
    EXPECT_TRUE(models.empty() && textures.empty());
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

// Our own models and images, as gen-art writes them, all load: the check is not stricter than them.
TEST(Tables, TheGamesOwnFilesAllLoad) {
    open_window();
    data_root = GAME_DATA;
    EXPECT_EQ(printed_by(load_both), "");
    for (const Model &m : models) EXPECT_TRUE(glIsList(m.list));
    for (const Texture &t : textures) EXPECT_TRUE(glIsTexture(t.name));
    release_assets();
}

} // namespace
