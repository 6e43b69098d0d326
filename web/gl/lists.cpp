// Display lists: the geometry drawn into a list, stored already moved by the matrix calls
// around it, and drawn by glCallList in one go.
#include <cstdio>

#include "layer.h"

struct DisplayList {
    std::vector<LayerVertex> vertices; // triangles, in the list's own frame
    bool coloured;                     // colours were given inside the list
    bool filled;                       // an uncoloured list's vertices hold filled_colour
    float filled_colour[4];
    bool moves_matrix;                 // the list leaves the matrix changed by `net`
    Matrix net;
};

static std::vector<DisplayList> lists;   // list n at index n - 1
static DisplayList *being_recorded;      // null unless recording
static Matrix record_matrix;             // the recorder's matrix: the list's calls so far
static std::vector<Matrix> record_stack; // the recorder's pushed matrices
static bool colour_given;                // glColor4f was called while recording

bool recording() {
    return being_recorded != nullptr;
}

GLuint web_glGenLists(GLsizei range) {
    if (range <= 0) return 0;
    GLuint first = static_cast<GLuint>(lists.size()) + 1;
    lists.resize(lists.size() + range);
    return first;
}

static DisplayList *find_list(GLuint name) {
    return name >= 1 && name <= lists.size() ? &lists[name - 1] : nullptr;
}

void web_glDeleteLists(GLuint first, GLsizei range) {
    for (GLsizei i = 0; i < range; i++)
        if (DisplayList *l = find_list(first + i)) *l = DisplayList();
}

void web_glNewList(GLuint name, GLenum) {
    being_recorded = find_list(name);
    if (!being_recorded) return;
    *being_recorded = DisplayList();
    colour_given = false;
    record_matrix = identity_matrix();
    record_stack.clear();
}

static bool is_identity(const Matrix &m) {
    Matrix i = identity_matrix();
    for (int k = 0; k < 16; k++)
        if (m.m[k] != i.m[k]) return false;
    return true;
}

void web_glEndList() {
    if (!being_recorded) return;
    if (!record_stack.empty())
        std::fprintf(stderr, "velmoor: a display list left %zu matrices pushed; they are dropped\n",
                     record_stack.size());
    being_recorded->moves_matrix = !is_identity(record_matrix);
    being_recorded->net = record_matrix;
    being_recorded = nullptr;
}

bool record_matrix_call(const Matrix &by) {
    if (!being_recorded) return false;
    record_matrix = multiplied(record_matrix, by);
    return true;
}

bool record_push() {
    if (!being_recorded) return false;
    record_stack.push_back(record_matrix);
    return true;
}

bool record_pop() {
    if (!being_recorded) return false;
    if (!record_stack.empty()) {
        record_matrix = record_stack.back();
        record_stack.pop_back();
    }
    return true;
}

// A colour given inside the list is the list's own; otherwise the vertices take the current
// colour when the list is called.
static void append_recorded(const LayerVertex *vertices, int count, bool coloured) {
    for (int i = 0; i < count; i++) {
        LayerVertex v = vertices[i];
        transform_vertex(record_matrix, v);
        being_recorded->vertices.push_back(v);
    }
    being_recorded->coloured = being_recorded->coloured || coloured;
}


void take_triangles(const LayerVertex *vertices, int count) {
    if (being_recorded)
        append_recorded(vertices, count, colour_given);
    else
        draw_triangles(vertices, count);
}

void note_colour_given() {
    if (being_recorded) colour_given = true;
}

static void fill_colour(DisplayList &l) {
    const float *c = current_vertex.colour;
    if (l.coloured || (l.filled && l.filled_colour[0] == c[0] && l.filled_colour[1] == c[1] &&
                       l.filled_colour[2] == c[2] && l.filled_colour[3] == c[3]))
        return;
    for (LayerVertex &v : l.vertices)
        for (int i = 0; i < 4; i++) v.colour[i] = c[i];
    for (int i = 0; i < 4; i++) l.filled_colour[i] = c[i];
    l.filled = true;
}

void web_glCallList(GLuint name) {
    DisplayList *l = find_list(name);
    if (!l || l == being_recorded) return;
    if (being_recorded) {
        append_recorded(l->vertices.data(), static_cast<int>(l->vertices.size()), l->coloured);
        if (l->moves_matrix) record_matrix_call(l->net);
        return;
    }
    fill_colour(*l);
    if (!l->vertices.empty()) draw_triangles(l->vertices.data(), static_cast<int>(l->vertices.size()));
    if (l->moves_matrix) glMultMatrixf(l->net.m);
}
