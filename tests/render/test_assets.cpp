// Tiny models and plain-coloured images in the asset tables' slots, for the renderer's tests.
#include "test_assets.h"

#include <GL/gl.h>
#include <cmath>
#include <cstdint>

#include "assets/assets.h"
#include "base/random.h"
#include "render/plants.h"

static std::vector<Model> test_models;
static std::vector<Texture> test_textures;

static void quad(const float n[3], const float v[4][3]) {
    glNormal3fv(n);
    for (int i = 0; i < 4; i++) glVertex3fv(v[i]);
}

// Counter-clockwise from outside on every face.
static void box(float x0, float x1, float y0, float y1, float z0, float z1) {
    const float faces[6][3] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    const float corners[6][4][3] = {{{x1, y0, z0}, {x1, y1, z0}, {x1, y1, z1}, {x1, y0, z1}},
                                    {{x0, y1, z0}, {x0, y0, z0}, {x0, y0, z1}, {x0, y1, z1}},
                                    {{x1, y1, z0}, {x0, y1, z0}, {x0, y1, z1}, {x1, y1, z1}},
                                    {{x0, y0, z0}, {x1, y0, z0}, {x1, y0, z1}, {x0, y0, z1}},
                                    {{x0, y0, z1}, {x1, y0, z1}, {x1, y1, z1}, {x0, y1, z1}},
                                    {{x0, y1, z0}, {x1, y1, z0}, {x1, y0, z0}, {x0, y0, z0}}};
    glBegin(GL_QUADS);
    for (int f = 0; f < 6; f++) quad(faces[f], corners[f]);
    glEnd();
}

// Open at both ends, one unit long from the origin along +z.
static void tube(float radius, int sides) {
    glBegin(GL_QUAD_STRIP);
    for (int i = 0; i <= sides; i++) {
        float a = 2.0f * static_cast<float>(M_PI) * i / sides;
        glNormal3f(std::cos(a), std::sin(a), 0.0f);
        glVertex3f(radius * std::cos(a), radius * std::sin(a), 1.0f);
        glVertex3f(radius * std::cos(a), radius * std::sin(a), 0.0f);
    }
    glEnd();
}

static Model compiled(int id) {
    unsigned list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    if (id == MODEL_EDGE)
        tube(0.3f, 8);
    else if (id == MODEL_LIGHTHOUSE)
        box(-1.0f, 1.0f, -1.0f, 1.0f, 0.0f, 8.0f);
    else // small enough to stay out of the tests' way, the boat's included
        box(-0.3f, 0.3f, -0.15f, 0.15f, 0.0f, 0.2f);
    glEndList();
    return Model{list, {}};
}

static Texture solid_image(uint8_t r, uint8_t g, uint8_t b) {
    uint8_t pixels[8 * 8 * 4];
    for (int i = 0; i < 8 * 8; i++) {
        pixels[4 * i] = r, pixels[4 * i + 1] = g, pixels[4 * i + 2] = b;
        pixels[4 * i + 3] = 255;
    }
    unsigned name;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 8, 8, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    glBindTexture(GL_TEXTURE_2D, 0);
    return Texture{name};
}

void use_test_assets() {
    if (test_models.empty()) {
        release_assets(); // whatever the video set-up found
        for (int id = 0; id < NUM_MODELS; id++) test_models.push_back(compiled(id));
        test_textures = {solid_image(0, 255, 0), solid_image(255, 0, 0)};
        models = test_models;
        seed_random(7);
        build_plant_lists();
    }
    models = test_models;
    textures = test_textures;
}

void use_no_assets() {
    models.clear();
    textures.clear();
}
