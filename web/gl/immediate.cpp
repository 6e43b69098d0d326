// glBegin/glEnd made triangles with every attribute on every vertex, drawn from client arrays;
// the switches and formats the emulation lacks or refuses.
#include "layer.h"

constexpr int DRAW_CHUNK = 30000; // vertices per draw: within the emulation's 2 MB buffers

LayerVertex current_vertex = {{0, 0, 0}, {0, 0, 1}, {1, 1, 1, 1}, {0, 0}};

static GLenum primitive_mode;                // the mode of the open glBegin
static std::vector<LayerVertex> primitive;   // its vertices so far
static std::vector<LayerVertex> triangles;   // the same as triangles
static std::vector<LayerVertex> flipped;     // back faces: the same with reversed normals
static bool two_sided, lighting, culling;    // the state that two-sided lighting depends on
static bool arrays_on;                       // the client arrays are enabled (once, for good)

void web_glBegin(GLenum mode) {
    primitive_mode = mode;
    primitive.clear();
}

void web_glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
    LayerVertex v = current_vertex;
    v.position[0] = x, v.position[1] = y, v.position[2] = z;
    primitive.push_back(v);
}

void web_glVertex2f(GLfloat x, GLfloat y) {
    web_glVertex3f(x, y, 0.0f);
}

void web_glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
    current_vertex.normal[0] = x, current_vertex.normal[1] = y, current_vertex.normal[2] = z;
}

void web_glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
    float *c = current_vertex.colour;
    c[0] = r, c[1] = g, c[2] = b, c[3] = a;
    note_colour_given();
}

void web_glTexCoord2f(GLfloat s, GLfloat t) {
    current_vertex.texcoord[0] = s, current_vertex.texcoord[1] = t;
}

static void add_triangle(int a, int b, int c) {
    triangles.push_back(primitive[a]);
    triangles.push_back(primitive[b]);
    triangles.push_back(primitive[c]);
}

// Quads split as Mesa splits them, along the diagonal from the second vertex to the fourth
// (the shading of a lit, curved quad follows its diagonal); fans and polygons about their
// first vertex.
void web_glEnd() {
    int n = static_cast<int>(primitive.size());
    triangles.clear();
    if (primitive_mode == GL_TRIANGLES) {
        for (int i = 0; i + 2 < n; i += 3) add_triangle(i, i + 1, i + 2);
    } else if (primitive_mode == GL_QUADS) {
        for (int i = 0; i + 3 < n; i += 4) {
            add_triangle(i, i + 1, i + 3);
            add_triangle(i + 1, i + 2, i + 3);
        }
    } else if (primitive_mode == GL_POLYGON || primitive_mode == GL_TRIANGLE_FAN) {
        for (int i = 1; i + 1 < n; i++) add_triangle(0, i, i + 1);
    }
    if (!triangles.empty()) take_triangles(triangles.data(), static_cast<int>(triangles.size()));
}

static void draw_arrays(const LayerVertex *v, int count) {
    if (!arrays_on) {
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_NORMAL_ARRAY);
        glEnableClientState(GL_COLOR_ARRAY);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        arrays_on = true;
    }
    for (int first = 0; first < count; first += DRAW_CHUNK) {
        const LayerVertex *p = v + first;
        int n = count - first < DRAW_CHUNK ? count - first : DRAW_CHUNK;
        glVertexPointer(3, GL_FLOAT, sizeof *p, p->position);
        glNormalPointer(GL_FLOAT, sizeof *p, p->normal);
        glColorPointer(4, GL_FLOAT, sizeof *p, p->colour);
        glTexCoordPointer(2, GL_FLOAT, sizeof *p, p->texcoord);
        glDrawArrays(GL_TRIANGLES, 0, n);
    }
}

// Two-sided lighting lights a face seen from behind with its normal reversed: the front faces
// are drawn with the back ones culled, then the back faces with reversed normals.
void draw_triangles(const LayerVertex *v, int count) {
    if (!(two_sided && lighting)) return draw_arrays(v, count);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    draw_arrays(v, count);
    flipped.assign(v, v + count);
    for (LayerVertex &f : flipped)
        for (float &n : f.normal) n = -n;
    glCullFace(GL_FRONT);
    draw_arrays(flipped.data(), count);
    glCullFace(GL_BACK);
    if (!culling) glDisable(GL_CULL_FACE);
}

static bool *tracked(GLenum cap) {
    return cap == GL_LIGHTING ? &lighting : cap == GL_CULL_FACE ? &culling : nullptr;
}

void web_glEnable(GLenum cap) {
    if (cap == GL_NORMALIZE) return;
    if (bool *t = tracked(cap)) *t = true;
    glEnable(cap);
}

void web_glDisable(GLenum cap) {
    if (cap == GL_NORMALIZE) return;
    if (bool *t = tracked(cap)) *t = false;
    glDisable(cap);
}

void web_glLightModeli(GLenum name, GLint value) {
    if (name == GL_LIGHT_MODEL_TWO_SIDE) two_sided = value != 0;
}

// OpenGL 1.0's internal formats are channel counts; WebGL wants the format itself.
void web_glTexImage2D(GLenum target, GLint level, GLint internal_format, GLsizei width,
                      GLsizei height, GLint border, GLenum format, GLenum type, const void *pixels) {
    static const GLint by_channels[5] = {0, GL_LUMINANCE, GL_LUMINANCE_ALPHA, GL_RGB, GL_RGBA};
    if (internal_format >= 1 && internal_format <= 4) internal_format = by_channels[internal_format];
    glTexImage2D(target, level, internal_format, width, height, border, format, type, pixels);
}

void web_glHint(GLenum target, GLenum mode) {
    if (target != GL_FOG_HINT) glHint(target, mode);
}

void web_glShadeModel(GLenum mode) {
    if (mode != GL_SMOOTH) glShadeModel(mode);
}
