// The layer's matrices: the recorder's own, and GLU's perspective and look-at, which multiply
// the current matrix.
#include <cmath>

#include "base/trig.h"
#include "layer.h"

Matrix identity_matrix() {
    Matrix i = {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
    return i;
}

Matrix multiplied(const Matrix &a, const Matrix &b) {
    Matrix r;
    for (int col = 0; col < 4; col++)
        for (int row = 0; row < 4; row++) {
            float sum = 0.0f;
            for (int k = 0; k < 4; k++) sum += a.m[k * 4 + row] * b.m[col * 4 + k];
            r.m[col * 4 + row] = sum;
        }
    return r;
}

// OpenGL's rotation about the axis (x, y, z), made unit length first.
static Matrix rotation(float degrees, float x, float y, float z) {
    float len = std::sqrt(x * x + y * y + z * z);
    Matrix r = identity_matrix();
    if (len == 0.0f) return r;
    x /= len, y /= len, z /= len;
    float radians = degrees * 0.017453292519943295f;
    float c = cosine_f(radians), s = sine_f(radians), t = 1.0f - c;
    float m[16] = {x * x * t + c,     y * x * t + z * s, x * z * t - y * s, 0,
                   x * y * t - z * s, y * y * t + c,     y * z * t + x * s, 0,
                   x * z * t + y * s, y * z * t - x * s, z * z * t + c,     0,
                   0,                 0,                 0,                 1};
    for (int i = 0; i < 16; i++) r.m[i] = m[i];
    return r;
}

// The cofactors of the upper 3 x 3 are its inverse transpose times its determinant: the sign
// of the determinant keeps the normal on its side, the length is made 1 anyway.
void transform_vertex(const Matrix &mat, LayerVertex &v) {
    const float *m = mat.m;
    float p[3] = {v.position[0], v.position[1], v.position[2]};
    for (int i = 0; i < 3; i++) v.position[i] = m[i] * p[0] + m[4 + i] * p[1] + m[8 + i] * p[2] + m[12 + i];
    float c[9] = {m[5] * m[10] - m[6] * m[9], m[6] * m[8] - m[4] * m[10], m[4] * m[9] - m[5] * m[8],
                  m[9] * m[2] - m[10] * m[1], m[10] * m[0] - m[8] * m[2], m[8] * m[1] - m[9] * m[0],
                  m[1] * m[6] - m[2] * m[5],  m[2] * m[4] - m[0] * m[6],  m[0] * m[5] - m[1] * m[4]};
    float det = m[0] * c[0] + m[1] * c[1] + m[2] * c[2]; // along the first column
    float n[3] = {v.normal[0], v.normal[1], v.normal[2]};
    float out[3];
    for (int i = 0; i < 3; i++) out[i] = c[i] * n[0] + c[3 + i] * n[1] + c[6 + i] * n[2];
    float len = std::sqrt(out[0] * out[0] + out[1] * out[1] + out[2] * out[2]);
    if (len == 0.0f) return;
    if (det < 0.0f) len = -len;
    for (int i = 0; i < 3; i++) v.normal[i] = out[i] / len;
}

// Into a list being recorded the call goes to the recorder's matrix, else to OpenGL's.
static void apply(const Matrix &by) {
    if (!record_matrix_call(by)) glMultMatrixf(by.m);
}

void web_gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble z_near, GLdouble z_far) {
    double half = fovy * 3.141592653589793 / 360.0;
    double f = cosine_d(half) / sine_d(half), depth = z_near - z_far;
    Matrix p = {{static_cast<float>(f / aspect), 0, 0, 0, 0, static_cast<float>(f), 0, 0, 0, 0,
                 static_cast<float>((z_far + z_near) / depth), -1, 0, 0,
                 static_cast<float>(2.0 * z_far * z_near / depth), 0}};
    apply(p);
}

static void normalise(float v[3]) {
    float len = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (len == 0.0f) return;
    for (int i = 0; i < 3; i++) v[i] /= len;
}

static void cross(const float a[3], const float b[3], float out[3]) {
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

// GLU's way, in single precision: side = forward x up, made unit; up again = side x forward.
void web_gluLookAt(GLdouble eye_x, GLdouble eye_y, GLdouble eye_z, GLdouble centre_x,
                   GLdouble centre_y, GLdouble centre_z, GLdouble up_x, GLdouble up_y,
                   GLdouble up_z) {
    float forward[3] = {static_cast<float>(centre_x - eye_x), static_cast<float>(centre_y - eye_y),
                        static_cast<float>(centre_z - eye_z)};
    float up[3] = {static_cast<float>(up_x), static_cast<float>(up_y), static_cast<float>(up_z)};
    float side[3];
    normalise(forward);
    cross(forward, up, side);
    normalise(side);
    cross(side, forward, up);
    Matrix m = {{side[0], up[0], -forward[0], 0, side[1], up[1], -forward[1], 0, side[2], up[2],
                 -forward[2], 0, 0, 0, 0, 1}};
    apply(m);
    Matrix t = identity_matrix();
    t.m[12] = static_cast<float>(-eye_x);
    t.m[13] = static_cast<float>(-eye_y);
    t.m[14] = static_cast<float>(-eye_z);
    apply(t);
}

void web_glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
    if (!recording()) return glTranslatef(x, y, z);
    Matrix t = identity_matrix();
    t.m[12] = x, t.m[13] = y, t.m[14] = z;
    record_matrix_call(t);
}

void web_glScalef(GLfloat x, GLfloat y, GLfloat z) {
    if (!recording()) return glScalef(x, y, z);
    Matrix s = identity_matrix();
    s.m[0] = x, s.m[5] = y, s.m[10] = z;
    record_matrix_call(s);
}

void web_glRotatef(GLfloat degrees, GLfloat x, GLfloat y, GLfloat z) {
    if (!recording()) return glRotatef(degrees, x, y, z);
    record_matrix_call(rotation(degrees, x, y, z));
}

void web_glRotated(GLdouble degrees, GLdouble x, GLdouble y, GLdouble z) {
    web_glRotatef(static_cast<float>(degrees), static_cast<float>(x), static_cast<float>(y),
                  static_cast<float>(z));
}

void web_glMultMatrixf(const GLfloat *m) {
    Matrix by;
    for (int i = 0; i < 16; i++) by.m[i] = m[i];
    apply(by);
}

void web_glPushMatrix() {
    if (!record_push()) glPushMatrix();
}

void web_glPopMatrix() {
    if (!record_pop()) glPopMatrix();
}
