// The chase camera and its lamp, and the noise texture's life across resets.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <cmath>

#include "gl_window.h"
#include "render/camera.h"
#include "render/passes.h"
#include "render/render.h"
#include "sim/state.h"

namespace {

class Camera : public ::testing::Test {
  protected:
    void SetUp() override {
        open_gl_window();
        reset_scene();
        start_gl_frame();
    }
};

void expect_column(int column, float x, float y, float z) {
    EXPECT_NEAR(billboard_matrix[column * 4], x, 1e-5f);
    EXPECT_NEAR(billboard_matrix[column * 4 + 1], y, 1e-5f);
    EXPECT_NEAR(billboard_matrix[column * 4 + 2], z, 1e-5f);
    EXPECT_EQ(billboard_matrix[column * 4 + 3], 0.0f);
}

TEST_F(Camera, SitsBehindTheBoatAndLooksSlightlyDown) {
    set_camera();
    EXPECT_EQ(eye_x, -1.0f);
    EXPECT_EQ(eye_y, 0.0f);
    EXPECT_EQ(eye_z, 1.5f);
    // The sprites' axes keep the 2 / sqrt(5) length of the unnormalised cross products.
    const float k = 2.0f / std::sqrt(5.0f);
    expect_column(0, 0.0f, -k, 0.0f);
    expect_column(1, 0.4f, 0.0f, 0.8f);
    expect_column(2, -k, 0.0f, 0.5f * k);
    EXPECT_EQ(billboard_matrix[15], 1.0f);
    // The look-at point (0, 0, 1) lands in the middle of the view, 1.118 units away.
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    EXPECT_NEAR(m[12] * 1 + m[8] * 1, 0.0f, 1e-5f);
    EXPECT_NEAR(m[13] + m[9], 0.0f, 1e-5f);
    EXPECT_NEAR(m[14] + m[10], -std::sqrt(1.25f), 1e-5f);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
}

TEST_F(Camera, NinetyDegreesFromPointOneToFifty) {
    set_camera();
    GLfloat p[16];
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    EXPECT_NEAR(p[0], 0.75f, 1e-6f); // 1 / tan(45 degrees) / (4 / 3)
    EXPECT_NEAR(p[5], 1.0f, 1e-6f);
    EXPECT_NEAR(p[10], -50.1f / 49.9f, 1e-6f);
    EXPECT_NEAR(p[14], -10.0f / 49.9f, 1e-6f);
}

TEST_F(Camera, TurnsWithTheBoatAndIgnoresItsBob) {
    boat_x = 3.0f, boat_y = 4.0f, boat_heading = 1.5707964f, boat_bob = 0.4f;
    set_camera();
    EXPECT_NEAR(eye_x, 3.0f, 1e-6f);
    EXPECT_NEAR(eye_y, 3.0f, 1e-6f);
    EXPECT_EQ(eye_z, 1.5f);
    const float k = 2.0f / std::sqrt(5.0f);
    expect_column(0, k, 0.0f, 0.0f); // the camera's right is +x when heading along +y
}

// OpenGL keeps the lamp in eye space: it must be where the view puts (boat, 2).
TEST_F(Camera, LampHangsTwoUnitsAboveTheBoat) {
    boat_x = -7.0f, boat_y = 2.5f, boat_heading = 0.7f, boat_bob = -0.3f;
    set_camera();
    GLfloat m[16], pos[4], diffuse[4];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    glGetLightfv(GL_LIGHT0, GL_POSITION, pos);
    const float world[4] = {-7.0f, 2.5f, 2.0f, 1.0f};
    for (int row = 0; row < 4; row++) {
        float want = 0.0f;
        for (int k = 0; k < 4; k++) want += m[k * 4 + row] * world[k];
        EXPECT_NEAR(pos[row], want, 1e-4f);
    }
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    glGetLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    EXPECT_FLOAT_EQ(diffuse[0], 0.9f);
}

int live_textures() {
    int n = 0;
    for (GLuint name = 1; name < 256; name++) n += glIsTexture(name) == GL_TRUE;
    return n;
}

TEST(Noise, ResetsLeaveExactlyOneTextureAndBuffer) {
    open_gl_window();
    int before = live_textures();
    GLuint old = noise_texture;
    refresh_noise();
    make_noise_texture();
    EXPECT_EQ(live_textures(), before);
    EXPECT_NE(noise_texture, 0u);
    EXPECT_TRUE(glIsTexture(noise_texture));
    if (noise_texture != old) {
        EXPECT_FALSE(glIsTexture(old));
    }
    for (int i = 0; i < 64 * 64; i++) ASSERT_EQ(noise_pixels[i], 0); // a new, black tile
    GLint wrap = 0, filter = 0;
    glBindTexture(GL_TEXTURE_2D, noise_texture);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    EXPECT_EQ(wrap, GL_REPEAT);
    EXPECT_EQ(filter, GL_LINEAR);
    for (int k = 0; k < 5; k++) make_noise_texture();
    EXPECT_EQ(live_textures(), before);
}

GLint min_filter_of_noise() {
    GLint filter = 0;
    glBindTexture(GL_TEXTURE_2D, noise_texture);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    return filter;
}

// Through the game's own reset, as a restart does it: the next frame's refresh finds a new
// texture (the old one's marked filter is gone), and only one is alive.
TEST(Noise, WorldResetRemakesTheTextureAtTheNextRefresh) {
    open_gl_window();
    refresh_noise();
    int before = live_textures();
    glBindTexture(GL_TEXTURE_2D, noise_texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    refresh_noise();
    EXPECT_EQ(min_filter_of_noise(), GL_NEAREST); // no reset: the same texture
    reset_world();
    reset_world();
    refresh_noise();
    EXPECT_EQ(min_filter_of_noise(), GL_LINEAR);
    EXPECT_EQ(live_textures(), before);
}

TEST(Noise, RefreshNeverWritesTwoFiftyFiveAndChangesEveryTime) {
    open_gl_window();
    std::vector<uint8_t> last(noise_pixels, noise_pixels + 64 * 64);
    int highest = 0;
    for (int frame = 0; frame < 200; frame++) {
        refresh_noise();
        std::vector<uint8_t> now(noise_pixels, noise_pixels + 64 * 64);
        ASSERT_NE(now, last);
        for (uint8_t v : now) highest = std::max<int>(highest, v);
        last = now;
    }
    EXPECT_EQ(highest, 254); // 819,200 values: the top one shows up, 255 never
}

} // namespace
