// A model file made into one display list of filled polygons, and let go again.
#include <GL/gl.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "assets/assets.h"
#include "base/data.h"

// Normals and positions only: colour, material, texture and placement are the caller's.
static void compile_model(const Model &m) {
    glNewList(m.list, GL_COMPILE);
    for (const ModelObject &o : m.objects) {
        for (const Surface &s : o.surfaces) {
            glBegin(GL_POLYGON);
            for (int32_t i : s) {
                glNormal3f(o.normals[i].x, o.normals[i].y, o.normals[i].z);
                glVertex3f(o.vertices[i].x, o.vertices[i].y, o.vertices[i].z);
            }
            glEnd();
        }
    }
    glEndList();
}

Model load_model(const char *name) {
    char path[1024];
    std::snprintf(path, sizeof path, "%s/models/%s.ac", data_root, name);
    Model m;
    std::ifstream in(path);
    if (!in) {
        say_not_loaded(path, std::strerror(errno));
    } else if (!read_model(in, &m)) {
        say_not_loaded(path, "not an AC3D model, or a damaged one");
    } else {
        m.list = glGenLists(1);
        compile_model(m);
    }
    return m;
}

// A model that failed to load has list 0, which names no list.
void release_model(Model *model) {
    if (model->list) glDeleteLists(model->list, 1);
    *model = Model();
}
