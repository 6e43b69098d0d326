// The five surface materials; lit surfaces take their colour from these alone.
#include <GL/gl.h>

#include "render/camera.h"

struct Material {
    float ambient[4];
    float diffuse[4];
    float specular[4];
    float shininess;
};

// Indexed by MaterialId; no colour tracking.
static const Material materials[] = {
    // sea
    {{0.1f, 0.1f, 0.1f, 1.0f}, {0.4f, 0.4f, 0.4f, 1.0f}, {0.8f, 0.8f, 0.8f, 1.0f}, 10.0f},
    // boat and oars
    {{0.2f, 0.17f, 0.12f, 1.0f}, {0.5f, 0.3f, 0.25f, 1.0f}, {0.6f, 0.5f, 0.3f, 1.0f}, 10.0f},
    // plants
    {{0.04f, 0.04f, 0.04f, 1.0f}, {0.15f, 0.1f, 0.13f, 1.0f}, {0.2f, 0.2f, 0.2f, 1.0f}, 5.0f},
    // walls
    {{0.2f, 0.0f, 0.0f, 1.0f}, {0.4f, 0.2f, 0.2f, 1.0f}, {0.6f, 0.3f, 0.3f, 1.0f}, 5.0f},
    // lighthouse
    {{0.01f, 0.01f, 0.01f, 1.0f}, {0.05f, 0.05f, 0.05f, 1.0f}, {0.1f, 0.1f, 0.1f, 1.0f}, 1.0f},
};
static_assert(sizeof materials / sizeof *materials == NUM_MATERIALS, "one material per MaterialId");

void apply_material(int index) {
    const Material &m = materials[index];
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, m.ambient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, m.diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, m.specular);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SHININESS, &m.shininess);
}
