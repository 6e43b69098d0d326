// Reading models in our subset of the AC3D text format, without OpenGL.
#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <vector>

#include "base/vec3.h"

using Surface = std::vector<int32_t>; // 0-based indices into its object's vertices, file order

struct ModelObject {
    std::vector<Vec3> vertices; // file order
    std::vector<Vec3> normals;  // one per vertex, the smoothed normal of the faces that meet there
    std::vector<Surface> surfaces;
};

struct Model {
    unsigned list = 0;                  // the display list that draws it; 0 when loading failed
    std::vector<ModelObject> objects; // every OBJECT block at any depth, file order
};

// Appends the objects of the stream to the model; false when the header is not ours.
bool read_model(std::istream &in, Model *model);
bool read_model_from_memory(const char *data, size_t size, Model *model);
