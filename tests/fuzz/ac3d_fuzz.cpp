// libFuzzer target: the AC3D reader on any bytes keeps its promises: lists aligned, indices in
// range, every surface a polygon, no NaN in a normal.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "assets/ac3d.h"

static bool finite(const Vec3 &v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

static void check_object(const ModelObject &o) {
    if (o.normals.size() != o.vertices.size()) std::abort();
    for (const Vec3 &n : o.normals)
        if (!finite(n)) std::abort();
    for (const Surface &s : o.surfaces) {
        if (s.size() < 3) std::abort();
        for (int32_t i : s)
            if (i < 0 || static_cast<size_t>(i) >= o.vertices.size()) std::abort();
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    Model model;
    read_model_from_memory(reinterpret_cast<const char *>(data), size, &model);
    for (const ModelObject &o : model.objects) check_object(o);
    return 0;
}
