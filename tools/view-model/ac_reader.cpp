// Reads the vertices and polygons of an AC3D file, token by token, and compiles them.
#include "ac_reader.h"

#include <GL/gl.h>
#include <cmath>
#include <fstream>
#include <string>
#include <vector>

struct PreviewObject {
    std::vector<float> vertices; // x y z per vertex
    std::vector<float> normals;  // summed face normals, then normalised
    std::vector<std::vector<int>> surfaces;
};

static void skip(std::ifstream &in, int n) {
    std::string t;
    for (int i = 0; i < n && in >> t; i++) {
    }
}

static void normalise(float *v) {
    float len = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (len > 0.0f)
        for (int i = 0; i < 3; i++) v[i] /= len;
}

static void read_surface(std::ifstream &in, PreviewObject &o) {
    std::string t;
    skip(in, 2);
    in >> t;
    if (t == "mat") skip(in, 1), in >> t;
    int n = 0;
    if (t != "refs" || !(in >> n) || n < 3) return;
    std::vector<int> refs;
    const int count = static_cast<int>(o.vertices.size() / 3);
    for (int i = 0; i < n; i++) {
        int index = -1;
        float u, v;
        in >> index >> u >> v;
        if (index < 0 || index >= count) return;
        refs.push_back(index);
    }
    const float *p0 = &o.vertices[3 * refs[0]], *p1 = &o.vertices[3 * refs[1]],
                *p2 = &o.vertices[3 * refs[2]];
    float b[3], a[3];
    for (int i = 0; i < 3; i++) b[i] = p1[i] - p0[i], a[i] = p2[i] - p0[i];
    float face[3] = {b[1] * a[2] - b[2] * a[1], b[2] * a[0] - b[0] * a[2],
                     b[0] * a[1] - b[1] * a[0]};
    normalise(face);
    for (int r : refs)
        for (int i = 0; i < 3; i++) o.normals[3 * r + i] += face[i];
    o.surfaces.push_back(refs);
}

static void read_object(std::ifstream &in, PreviewObject &o) {
    std::string t;
    while (in >> t) {
        if (t == "numvert") {
            int n = 0;
            in >> n;
            for (int i = 0; i < 3 * n && in; i++) {
                float v = 0.0f;
                in >> v;
                o.vertices.push_back(v);
                o.normals.push_back(0.0f);
            }
        } else if (t == "numsurf") {
            int n = 0;
            in >> n;
            for (int i = 0; i < n && in; i++) read_surface(in, o);
        } else if (t == "kids") {
            skip(in, 1);
            break;
        } else if (t == "name" || t == "texture" || t == "url") {
            skip(in, 1);
        } else if (t == "data" || t == "texrep") {
            skip(in, 2);
        } else if (t == "loc") {
            skip(in, 3);
        } else if (t == "rot") {
            skip(in, 9);
        }
    }
    for (size_t i = 0; i + 2 < o.normals.size(); i += 3) normalise(&o.normals[i]);
}

static void compile(const std::vector<PreviewObject> &objects) {
    for (const PreviewObject &o : objects)
        for (const std::vector<int> &s : o.surfaces) {
            glBegin(GL_POLYGON);
            for (int r : s) {
                glNormal3fv(&o.normals[3 * r]);
                glVertex3fv(&o.vertices[3 * r]);
            }
            glEnd();
        }
}

static void count(const std::vector<PreviewObject> &objects, ModelStats *stats) {
    *stats = {static_cast<int>(objects.size()), 0, 0, {1e9f, 1e9f, 1e9f}, {-1e9f, -1e9f, -1e9f}};
    for (const PreviewObject &o : objects) {
        stats->vertices += static_cast<int>(o.vertices.size() / 3);
        stats->surfaces += static_cast<int>(o.surfaces.size());
        for (size_t i = 0; i < o.vertices.size(); i++) {
            stats->lo[i % 3] = std::fmin(stats->lo[i % 3], o.vertices[i]);
            stats->hi[i % 3] = std::fmax(stats->hi[i % 3], o.vertices[i]);
        }
    }
}

unsigned load_preview_model(const char *path, ModelStats *stats) {
    std::ifstream in(path);
    std::string t;
    *stats = {};
    if (!(in >> t) || t.size() < 5 || t[4] > 'b') return 0;
    std::vector<PreviewObject> objects;
    while (in >> t) {
        if (t == "MATERIAL") {
            skip(in, 21);
        } else if (t == "OBJECT") {
            skip(in, 1);
            objects.emplace_back();
            read_object(in, objects.back());
        }
    }
    count(objects, stats);
    GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    compile(objects);
    glEndList();
    return list;
}
