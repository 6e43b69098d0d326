// What the video set-up and the frames make is gone once the shutdown's releases have run,
// before SDL closes the window: no display list, no texture left behind.
#include <GL/gl.h>
#include <SDL/SDL.h>
#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

#include "assets/assets.h"
#include "base/data.h"
#include "render/plants.h"
#include "render/render.h"
#include "render/video.h"
#include "sim/state.h"

// Mesa hands out names from 1 upwards; a few thousand covers everything a run makes.
static std::vector<GLuint> names_alive(GLboolean (*alive)(GLuint)) {
    std::vector<GLuint> found;
    for (GLuint name = 1; name < 4096; name++)
        if (alive(name)) found.push_back(name);
    return found;
}

static GLboolean is_list(GLuint name) {
    return glIsList(name);
}

static GLboolean is_texture(GLuint name) {
    return glIsTexture(name);
}

TEST(Shutdown, LeavesNoListOrTextureBehind) {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
    data_root = VELMOOR_DAT;
    ASSERT_TRUE(set_up_video(true));
    refresh_noise();
    world_resets++; // a world reset: the next frame's noise replaces the old texture
    refresh_noise();

    // Everything is there first, and nothing else, so that the emptiness below means something.
    std::vector<GLuint> lists, textures_made = {noise_texture};
    for (GLuint k = 0; k < 10; k++) lists.push_back(plant_list_base + k); // one per plant kind
    for (const Model &m : models) lists.push_back(m.list);
    for (const Texture &t : textures) textures_made.push_back(t.name);
    std::sort(lists.begin(), lists.end());
    std::sort(textures_made.begin(), textures_made.end());
    ASSERT_EQ(lists.size(), size_t(10 + NUM_MODELS));
    ASSERT_EQ(textures_made.size(), size_t(1 + NUM_TEXTURES));
    EXPECT_EQ(names_alive(is_list), lists);
    EXPECT_EQ(names_alive(is_texture), textures_made);

    release_noise();
    tear_down_video();
    EXPECT_EQ(names_alive(is_list), std::vector<GLuint>());
    EXPECT_EQ(names_alive(is_texture), std::vector<GLuint>());
    EXPECT_TRUE(models.empty() && textures.empty());
    EXPECT_EQ(noise_pixels, nullptr);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    SDL_Quit();
}
