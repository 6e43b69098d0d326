// The branching plants: grown at start-up into display lists, drawn near the boat every frame.
#include "render/plants.h"

#include <GL/gl.h>

#include "plant_grammar/plant_grammar.h"
#include "render/model_calls.h"
#include "render/passes.h"
#include "render/plant_turtle.h"
#include "sim/state.h"

unsigned plant_list_base;

static void turtle_step() {
    glTranslatef(0.0f, 0.0f, 0.5f);
}

static void turtle_turn(int axis, double degrees) {
    glRotated(degrees, axis == AXIS_X, axis == AXIS_Y, axis == AXIS_Z);
}

// The edge model runs one unit along +z from its origin: moved back to where the run began
// and stretched to its length, it spans exactly the distance walked.
static void turtle_segment(int steps) {
    float length = 0.5f * static_cast<float>(steps);
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, -length);
    glScalef(1.0f, 1.0f, length);
    call_model(MODEL_EDGE);
    glPopMatrix();
}

static const TurtleOps gl_turtle = {glPushMatrix, glPopMatrix, turtle_step, turtle_turn,
                                    turtle_segment};

// The turtle's walk as OpenGL calls on the modelview, each straight run one stretched edge.
static void draw_plant_string(const char *text, int &position) {
    walk_plant_string(text, position, gl_turtle);
}

// One plant into the list being compiled: the text grown (kept in text), then walked. The
// segments are stretched along one axis, so their normals need renormalising.
static void build_plant(char *text) {
    grow_plant_text(text);
    glEnable(GL_NORMALIZE);
    glPushMatrix();
    int position = 0;
    draw_plant_string(text, position);
    glPopMatrix();
    glDisable(GL_NORMALIZE);
}

void build_plant_lists() {
    plant_list_base = glGenLists(NUM_PLANT_KINDS);
    for (int k = 0; k < NUM_PLANT_KINDS; k++) {
        glNewList(plant_list_base + k, GL_COMPILE);
        build_plant(plant_texts[k]);
        glEndList();
    }
}

void release_plant_lists() {
    if (plant_list_base) glDeleteLists(plant_list_base, NUM_PLANT_KINDS);
    plant_list_base = 0;
}

// Within 50 units of the boat (not the eye); plant m is always turned by 7m degrees, drawn
// or not, so a plant keeps its look as others come and go.
void draw_plants() {
    if (!plant_list_base) return;
    unsigned angle = 0;
    for (const Plant &p : plants) {
        float dx = boat_x - p.x, dy = boat_y - p.y;
        if (dx * dx + dy * dy <= 2500.0f) {
            glPushMatrix();
            glTranslatef(p.x, p.y, 0.0f);
            glRotatef(static_cast<float>(angle), 0.0f, 0.0f, 1.0f);
            glCallList(plant_list_base + p.kind);
            glPopMatrix();
        }
        angle += 7;
    }
}
