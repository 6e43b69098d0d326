// Real frames with the world's objects and sprites in them, drawn from tiny test models.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include "assets/assets.h"
#include "gl_window.h"
#include "render/passes.h"
#include "render/render.h"
#include "sim/state.h"
#include "test_assets.h"

namespace {

constexpr int W = 640, H = 480;

// Pixels of the pure colour of a test image (red 0, green 1), fogged or lit a little.
size_t count_pure(const std::vector<uint8_t> &rgb, int channel) {
    size_t n = 0;
    for (size_t i = 0; i < rgb.size(); i += 3) {
        bool strong = rgb[i + channel] > 150;
        bool others_weak = true;
        for (int c = 0; c < 3; c++)
            if (c != channel && rgb[i + c] > 60) others_weak = false;
        n += strong && others_weak;
    }
    return n;
}

size_t count_lit(const std::vector<uint8_t> &rgb, int x0, int x1) {
    size_t n = 0;
    for (int y = 0; y < H; y++)
        for (int x = x0; x < x1; x++) n += rgb[(static_cast<size_t>(y) * W + x) * 3] > 100;
    return n;
}

void clear_world() {
    plants.clear();
    babies.clear();
    walls.clear();
    sparks.clear();
    chaser_active = false;
    lighthouse_x = 200.0f, lighthouse_y = 0.0f; // out of sight
}

class Objects : public ::testing::Test {
  protected:
    void SetUp() override {
        open_gl_window();
        reset_scene();
        clear_world();
        use_test_assets();
    }
    void TearDown() override {
        clear_world();
        use_no_assets();
    }
};

constexpr int RED = 0, GREEN = 1;

TEST_F(Objects, ChaserShowsOnlyWhileItHuntsInItsOwnImage) {
    chaser_x = 8.0f, chaser_y = 0.0f;
    babies.push_back({6.0f, 3.0f, 0.0f, 0, 0, 0, 0}); // binds its own image after the chaser
    render_frame();
    EXPECT_EQ(count_pure(read_rgb(), RED), 0u);
    EXPECT_GT(count_pure(read_rgb(), GREEN), 500u);
    chaser_active = true;
    render_frame();
    size_t first = count_pure(read_rgb(), RED);
    EXPECT_GT(first, 20000u);
    render_frame(); // the babies' image was the last bound: the chaser binds its own again
    EXPECT_EQ(count_pure(read_rgb(), RED), first);
}

// A baby behind the lighthouse is hidden until it is touched; then it shows over it.
TEST_F(Objects, SwollenBabyShowsThroughTheLighthouseInFrontOfIt) {
    babies.push_back({8.0f, 0.0f, 0.0f, 0, 0, 0, 0});
    render_frame();
    size_t in_the_open = count_pure(read_rgb(), GREEN);
    EXPECT_GT(in_the_open, 1000u);
    lighthouse_x = 4.0f;
    render_frame();
    EXPECT_EQ(count_pure(read_rgb(), GREEN), 0u);
    babies[0].swell = 1; // scale 1: the same size, over everything
    render_frame();
    EXPECT_NEAR(static_cast<double>(count_pure(read_rgb(), GREEN)), in_the_open,
                in_the_open * 0.02);
    babies[0].swell = 3; // scale 2
    render_frame();
    EXPECT_GT(count_pure(read_rgb(), GREEN), in_the_open * 3);
}

// Seen from the side in parallel projection, unlit and unfogged: a plant exactly 50 units
// from the boat is drawn, one 50.01 away is not, wherever the eye is.
TEST_F(Objects, PlantsAreDrawnOnlyWithinFiftyUnitsOfTheBoat) {
    plants = {{50.0f, 0.0f, 0, 0, 0}, {-50.01f, 0.0f, 0, 0, 1}, {-20.0f, 0.0f, 0, 0, 2}};
    start_gl_frame();
    glMatrixMode(GL_PROJECTION);
    glOrtho(-60.0, 60.0, -10.0, 20.0, -100.0, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f); // looking along +y, z up the screen
    glDisable(GL_FOG);
    glDisable(GL_CULL_FACE);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    draw_plants();
    glEnable(GL_FOG);
    glFinish();
    std::vector<uint8_t> rgb = read_rgb();
    auto column = [](float x) { return static_cast<int>((x + 60.0f) / 120.0f * W); };
    EXPECT_GT(count_lit(rgb, column(42.0f), column(58.0f)), 50u);
    EXPECT_EQ(count_lit(rgb, column(-58.0f), column(-42.0f)), 0u);
    EXPECT_GT(count_lit(rgb, column(-28.0f), column(-12.0f)), 50u);
}

// Every pass with something to draw, first before any table is loaded, then with every
// slot empty: walls and sprites still show (untextured), and OpenGL reports no error.
TEST_F(Objects, MissingModelsAndImagesDrawWhatTheyCan) {
    plants = {{5.0f, 1.0f, 0, 0, 3}};
    babies.push_back({6.0f, -2.0f, 0.0f, 0, 0, 0, 2});
    walls.push_back({7.0f, 4.0f, 7.0f, -4.0f, 0, 0, 0, 0});
    walls.push_back({9.0f, 9.0f, 9.0f, 9.0f, 0, 0, 0, 0}); // ends together, as released
    sparks.push_back({0, 4.0f, 0.0f, 1.0f, 0, 0, 0, false, 0.3f, 0.5f});
    sparks.push_back({0, 4.0f, 1.0f, 1.0f, 0, 0, 0, true, 0.3f, 0.5f});
    chaser_active = true;
    chaser_x = 12.0f, chaser_y = 6.0f;
    lighthouse_x = 10.0f;
    render_frame(); // culling is off until the first frame's walls
    std::vector<uint8_t> pictures[2];
    for (int loaded = 0; loaded < 2; loaded++) {
        use_no_assets();
        if (loaded) {
            load_models();
            load_textures();
        }
        while (glGetError() != GL_NO_ERROR) {
        }
        render_frame();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        pictures[loaded] = read_rgb();
        release_assets();
    }
    EXPECT_EQ(pictures[0], pictures[1]);
    clear_world();
    render_frame();
    EXPECT_NE(read_rgb(), pictures[0]);
}

} // namespace
