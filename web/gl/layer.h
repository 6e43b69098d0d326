// What the layer's files share: a vertex with all its attributes, the current ones, the
// recorder's share of the matrix calls, and the one place geometry is drawn.
#pragma once

#include <vector>

#include "GL/velmoor_layer.h"

struct LayerVertex {
    float position[3];
    float normal[3];
    float colour[4];
    float texcoord[2];
};

// A column-major 4 x 4 matrix, as OpenGL's.
struct Matrix {
    float m[16];
};

extern LayerVertex current_vertex; // the current normal, colour and texture coordinate

bool recording(); // between glNewList and glEndList

Matrix identity_matrix();
Matrix multiplied(const Matrix &a, const Matrix &b); // a * b
// The position moved by M, the normal by its inverse transpose and made unit length.
void transform_vertex(const Matrix &m, LayerVertex &v);

// The recorder's share of the matrix calls: true when it took the call.
bool record_matrix_call(const Matrix &by);
bool record_push();
bool record_pop();

void note_colour_given(); // glColor4f: inside a list, the list has colours of its own
// Triangles from a finished glBegin/glEnd: into the list being recorded, or drawn.
void take_triangles(const LayerVertex *vertices, int count);
// Draws triangles at once with the current matrices, both faces lit when two-sided lighting
// is on.
void draw_triangles(const LayerVertex *vertices, int count);
