// Real frames under Mesa's software OpenGL: the fade, the grain, the lit and fogged sea.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "gl_window.h"
#include "render/camera.h"
#include "render/passes.h"
#include "render/render.h"
#include "render/screen.h"
#include "sim/state.h"

namespace {

constexpr int W = 640, H = 480;

int at(const std::vector<uint8_t> &rgb, int x, int y, int ch = 0) {
    return rgb[(static_cast<size_t>(y) * W + x) * 3 + ch];
}

int max_channel(const std::vector<uint8_t> &rgb) {
    return *std::max_element(rgb.begin(), rgb.end());
}

int min_channel(const std::vector<uint8_t> &rgb) {
    return *std::min_element(rgb.begin(), rgb.end());
}

int max_difference(const std::vector<uint8_t> &a, const std::vector<uint8_t> &b) {
    int worst = 0;
    for (size_t i = 0; i < a.size(); i++) worst = std::max(worst, std::abs(a[i] - b[i]));
    return worst;
}

size_t count_different(const std::vector<uint8_t> &a, const std::vector<uint8_t> &b) {
    size_t n = 0;
    for (size_t i = 0; i < a.size(); i++) n += a[i] != b[i];
    return n;
}

// A rippled sea within the heights a reset makes, the same in every run.
void ripple_sea() {
    unsigned state = 2026;
    for (float &h : sea_height) {
        state = state * 1103515245u + 12345u;
        h = static_cast<int>((state >> 16) % 101 - 50) * 0.003f;
    }
}

class Frame : public ::testing::Test {
  protected:
    void SetUp() override {
        open_gl_window();
        reset_scene();
    }
};

TEST_F(Frame, FullFadeIsBlackUnderTheGrain) {
    fade = 1.0f;
    refresh_noise();
    render_frame();
    std::vector<uint8_t> rgb = read_rgb();
    EXPECT_LE(max_channel(rgb), 13); // 0.05 x 254 at most
    EXPECT_GT(max_channel(rgb), 3);  // the grain still shows
}

TEST_F(Frame, EndingFadesToWhite) {
    ending = true;
    fade = 1.0f;
    refresh_noise();
    render_frame();
    std::vector<uint8_t> rgb = read_rgb();
    EXPECT_GE(min_channel(rgb), 241); // 0.95 x 255, plus the grain
    // Fog would darken a corner on a renderer that fogs by radial distance; nothing may.
    EXPECT_GE(at(rgb, 0, 0), 241);
    EXPECT_GE(at(rgb, W - 1, H - 1), 241);
}

TEST_F(Frame, HalfFadeWhileEndingBlendsHalfwayToWhite) {
    ripple_sea();
    render_frame();
    std::vector<uint8_t> scene = read_rgb(); // 0.95 x scene under a black grain
    ending = true;
    fade = 0.5f;
    render_frame();
    std::vector<uint8_t> half = read_rgb();
    int worst = 0;
    for (size_t i = 0; i < half.size(); i++) {
        float want = 0.5f * scene[i] + 0.95f * 127.5f;
        worst = std::max(worst, static_cast<int>(std::fabs(half[i] - want) + 0.5f));
    }
    EXPECT_LE(worst, 2);
    EXPECT_GT(max_channel(scene), 60); // there was a lit sea to blend
}

TEST_F(Frame, ConsecutiveFramesDifferOnlyByTheGrain) {
    ripple_sea();
    render_frame();
    std::vector<uint8_t> bare = read_rgb();
    refresh_noise();
    render_frame();
    std::vector<uint8_t> first = read_rgb();
    refresh_noise();
    render_frame();
    std::vector<uint8_t> second = read_rgb();
    // The grain only adds, by at most 0.05 x 254.
    for (size_t i = 0; i < bare.size(); i++) {
        ASSERT_GE(first[i] + 1, bare[i]);
        ASSERT_LE(first[i], bare[i] + 13);
    }
    EXPECT_LE(max_difference(first, second), 13);
    EXPECT_GT(count_different(first, second), first.size() / 2);
    render_frame(); // the same pixels again draw the same picture
    EXPECT_EQ(read_rgb(), second);
}

TEST_F(Frame, GrainTileRepeatsEveryHundredPixels) {
    fade = 1.0f;
    refresh_noise();
    render_frame();
    std::vector<uint8_t> rgb = read_rgb();
    int worst = 0;
    size_t differs_at_half_tile = 0;
    for (int y = 0; y < H - 100; y += 3)
        for (int x = 0; x < W - 100; x += 3) {
            worst = std::max(worst, std::abs(at(rgb, x, y) - at(rgb, x + 100, y)));
            worst = std::max(worst, std::abs(at(rgb, x, y) - at(rgb, x, y + 100)));
            differs_at_half_tile += at(rgb, x, y) != at(rgb, x + 50, y);
        }
    EXPECT_LE(worst, 1);
    EXPECT_GT(differs_at_half_tile, 1000u);
}

TEST_F(Frame, BrightestGrainAddsTwentiethOfWhite) {
    fade = 1.0f;
    for (int i = 0; i < 64 * 64; i++) noise_pixels[i] = 254;
    render_frame();
    std::vector<uint8_t> rgb = read_rgb();
    EXPECT_GE(min_channel(rgb), 12);
    EXPECT_LE(max_channel(rgb), 13);
}

// The lamp two units above the boat lights the sea around it; the fog takes the rest.
TEST_F(Frame, FlatSeaIsBrightestNearTheBoatAndFoggedFarAway) {
    render_frame();
    std::vector<uint8_t> rgb = read_rgb();
    int best = -1, best_x = 0, best_y = 0;
    for (int y = 0; y < H; y++)
        for (int x = 0; x < W; x++)
            if (at(rgb, x, y) > best) best = at(rgb, x, y), best_x = x, best_y = y;
    EXPECT_GT(best, 150);
    EXPECT_LT(best_y, H / 4);                // the boat sits low in the picture
    EXPECT_LT(std::abs(best_x - W / 2), 40); // straight ahead
    // Up the middle the sea darkens steadily towards the horizon.
    for (int y = 20; y < 330; y += 10) ASSERT_GE(at(rgb, W / 2, y) + 1, at(rgb, W / 2, y + 10));
    EXPECT_GT(at(rgb, W / 2, 103), at(rgb, W / 2, 250) + 30); // the boat's own spot
    // Row 347 is the sea 32 units ahead, out to the far corners: all of it fogged to black,
    // where without the fog it still shows the faintly lit sea.
    glDisable(GL_FOG);
    render_frame();
    std::vector<uint8_t> unfogged = read_rgb();
    glEnable(GL_FOG);
    for (int x : {0, W / 4, W / 2, W - 1}) {
        EXPECT_LE(at(rgb, x, 347), 1);
        EXPECT_GE(at(unfogged, x, 347), 8);
    }
    // Halfway into the fog, 20 units ahead, the sea is dimmed but not gone.
    EXPECT_GT(at(rgb, W / 2, 340), 1);
    EXPECT_LT(at(rgb, W / 2, 340), at(unfogged, W / 2, 340));
}

TEST_F(Frame, SeaAndLampMoveWithTheBoat) {
    render_frame();
    std::vector<uint8_t> home = read_rgb();
    boat_x = 20.0f, boat_y = -13.0f;
    render_frame();
    EXPECT_LE(max_difference(read_rgb(), home), 2);
}

// With the camera held, the sea drawn for a boat inside the same cell is the same sea.
std::vector<uint8_t> sea_seen_from_origin(float bx, float by) {
    start_gl_frame();
    boat_x = 0.0f, boat_y = 0.0f;
    set_camera();
    glEnable(GL_LIGHTING);
    boat_x = bx, boat_y = by;
    draw_sea();
    glDisable(GL_LIGHTING);
    glFinish();
    return read_rgb();
}

TEST_F(Frame, WindowMovesInWholeUnits) {
    ripple_sea();
    std::vector<uint8_t> centred = sea_seen_from_origin(0.0f, 0.0f);
    EXPECT_EQ(sea_seen_from_origin(0.9f, -0.9f), centred);
    EXPECT_EQ(sea_seen_from_origin(-0.9f, 0.9f), centred); // towards zero, not down
    // A whole unit on, the same world sea shows, but the flat rim has moved with the window.
    EXPECT_GT(count_different(sea_seen_from_origin(1.0f, 0.0f), centred), 100u);
    EXPECT_GT(count_different(sea_seen_from_origin(0.0f, -1.0f), centred), 100u);
}

// Waves in a band of the grid's rows, flat elsewhere.
void waves_in_rows(int first_row, int count) {
    for (float &h : sea_height) h = 0.0f;
    for (int r = first_row; r < first_row + count; r++)
        for (int c = 0; c < SEA_SIZE; c++) sea_height[r * SEA_SIZE + c] = (c % 2) ? 0.15f : -0.15f;
}

TEST_F(Frame, SeaNearTheWorldsEdgeShowsTheOppositeSide) {
    boat_x = 54.5f;
    render_frame();
    std::vector<uint8_t> flat = read_rgb();
    waves_in_rows(60, 20); // world x 5..25: far behind the boat, outside its window
    render_frame();
    EXPECT_EQ(read_rgb(), flat);
    waves_in_rows(5, 20); // world x -50..-30: beyond the edge, 5 to 25 units ahead
    render_frame();
    std::vector<uint8_t> wrapped = read_rgb();
    EXPECT_GT(count_different(wrapped, flat), 5000u);
    EXPECT_EQ(count_different(std::vector<uint8_t>(wrapped.begin(), wrapped.begin() + 3 * W * 60),
                              std::vector<uint8_t>(flat.begin(), flat.begin() + 3 * W * 60)),
              0u); // the bottom of the picture, the boat's own rows, is untouched
}

// Culling is off in a new context and on from the first frame's walls; the sea is wound to
// face the camera, so both frames show it alike.
TEST_F(Frame, CullingFromTheFirstWallsOnLeavesTheSeaAlone) {
    ripple_sea();
    glDisable(GL_CULL_FACE);
    render_frame();
    std::vector<uint8_t> unculled = read_rgb();
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    render_frame();
    EXPECT_EQ(read_rgb(), unculled);
    EXPECT_GT(max_channel(unculled), 60);
}

TEST_F(Frame, LeavesTheStateTheNextFrameExpects) {
    render_frame();
    EXPECT_TRUE(glIsEnabled(GL_FOG));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    GLboolean mask = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
    EXPECT_EQ(mask, GL_TRUE);
    GLint two_sided = 1;
    glGetIntegerv(GL_LIGHT_MODEL_TWO_SIDE, &two_sided);
    EXPECT_EQ(two_sided, 0);
}

} // namespace
