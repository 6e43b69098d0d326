// The AC3D reader: a stream of blank-separated tokens, of which vertices and polygons are kept.
//
// Files our tools do not write are read as far as they make sense, and never make the reader
// look outside an object's own lists:
// - a number that does not parse stops the stream and with it the loading; what was read
//   before is kept, and the object being read is finished as if its "kids" had come;
// - counts are not trusted for memory: vertices, surfaces and references are appended one at a
//   time as they are read, so "numvert 2000000000" reads only what the file holds;
// - a surface without "refs", with fewer than three references, or with an index outside the
//   vertices read so far is dropped whole: it is not drawn and adds to no normal;
// - a first triangle without area (collinear or repeated points) has no face normal: its
//   polygon is kept, but adds nothing to its vertices' normals;
// - a vertex normal that sums to nothing (no faces, or faces that cancel) stays (0, 0, 0)
//   instead of becoming 0/0, which would darken or speckle whatever is lit with it;
// - an object that the file ends inside still has its normals normalised: its polygons are
//   drawn, and must be lit like everyone else's.
#include "assets/ac3d.h"

#include <cmath>
#include <cstring>
#include <sstream>
#include <string>

// Keys of an object's body whose values are read past; the rest of the body is ours.
struct DroppedKey {
    const char *key;
    int values;
};

static const DroppedKey dropped_keys[] = {
    {"name", 1}, {"data", 2}, {"texture", 1}, {"texrep", 2}, {"rot", 9}, {"loc", 3}, {"url", 1},
};

static std::string next_token(std::istream &in) {
    std::string token;
    in >> token;
    return in ? token : std::string();
}

static void skip_tokens(std::istream &in, int n) {
    for (int i = 0; i < n && in; i++) next_token(in);
}

static int dropped_values(const std::string &token) {
    for (const DroppedKey &k : dropped_keys)
        if (token == k.key) return k.values;
    return 0;
}

// The fifth character is compared as a signed char: AC3Db passes, AC3Dc does not, and any
// byte from 0x80 upward does.
static bool header_is_ours(const std::string &header) {
    return header.size() >= 5 && static_cast<signed char>(header[4]) <= 'b';
}

// Single precision throughout: the sum of squares is rounded to float before its root.
static float length_of(Vec3 v) {
    float sum = v.x * v.x + v.y * v.y + v.z * v.z;
    return std::sqrt(sum);
}

static bool has_length(float length) {
    return length > 0.0f && std::isfinite(length);
}

static Vec3 divided(Vec3 v, float d) {
    return {v.x / d, v.y / d, v.z / d};
}

// The unit normal of the surface's first triangle; false when that triangle has no area.
static bool face_normal(const ModelObject &o, const Surface &s, Vec3 *normal) {
    Vec3 p0 = o.vertices[s[0]], p1 = o.vertices[s[1]], p2 = o.vertices[s[2]];
    Vec3 b = {p1.x - p0.x, p1.y - p0.y, p1.z - p0.z};
    Vec3 a = {p2.x - p0.x, p2.y - p0.y, p2.z - p0.z};
    Vec3 n = {b.y * a.z - b.z * a.y, b.z * a.x - b.x * a.z, b.x * a.y - b.y * a.x};
    float length = length_of(n);
    if (!has_length(length)) return false;
    *normal = divided(n, length);
    return true;
}

static void read_vertices(std::istream &in, ModelObject *o) {
    int32_t count = 0;
    in >> count;
    for (int32_t i = 0; i < count && in; i++) {
        Vec3 v;
        if (!(in >> v.x >> v.y >> v.z)) return;
        o->vertices.push_back(v);
        o->normals.push_back({0.0f, 0.0f, 0.0f});
    }
}

// Reads all of the surface's references; false when the surface cannot be drawn.
static bool read_refs(std::istream &in, const ModelObject &o, Surface *s) {
    int32_t count = 0;
    in >> count;
    bool in_range = true;
    for (int32_t i = 0; i < count && in; i++) {
        int32_t index;
        float u, v; // texture coordinates, not used
        if (!(in >> index >> u >> v)) return false;
        if (index < 0 || static_cast<size_t>(index) >= o.vertices.size()) in_range = false;
        if (in_range) s->push_back(index);
    }
    return in && in_range && s->size() >= 3;
}

// The surface's type and flags change nothing: every surface is drawn as a filled polygon.
static void read_surface(std::istream &in, ModelObject *o) {
    skip_tokens(in, 2);
    std::string token = next_token(in);
    if (token == "mat") {
        skip_tokens(in, 1);
        token = next_token(in);
    }
    Surface s;
    if (token != "refs" || !read_refs(in, *o, &s)) return;
    Vec3 n;
    if (face_normal(*o, s, &n)) {
        for (int32_t i : s) {
            Vec3 &sum = o->normals[i];
            sum = {sum.x + n.x, sum.y + n.y, sum.z + n.z};
        }
    }
    o->surfaces.push_back(std::move(s));
}

static void read_surfaces(std::istream &in, ModelObject *o) {
    int32_t count = 0;
    in >> count;
    for (int32_t i = 0; i < count && in; i++) read_surface(in, o);
}

// Each face counts once, whatever its area: the sum's direction is the vertex's normal.
static void normalise_normals(ModelObject *o) {
    for (Vec3 &v : o->normals) {
        float length = length_of(v);
        if (has_length(length)) v = divided(v, length);
    }
}

// Ends at "kids": the children's OBJECT blocks follow at the top level, so the model is flat.
static void read_object_body(std::istream &in, ModelObject *o) {
    for (std::string token = next_token(in); in; token = next_token(in)) {
        if (token == "kids") {
            skip_tokens(in, 1);
            break;
        }
        if (token == "numvert")
            read_vertices(in, o);
        else if (token == "numsurf")
            read_surfaces(in, o);
        else
            skip_tokens(in, dropped_values(token));
    }
    normalise_normals(o);
}

bool read_model(std::istream &in, Model *model) {
    if (!header_is_ours(next_token(in))) return false;
    for (std::string token = next_token(in); in; token = next_token(in)) {
        if (token == "MATERIAL") {
            skip_tokens(in, 21);
        } else if (token == "OBJECT") {
            skip_tokens(in, 1);
            model->objects.emplace_back();
            read_object_body(in, &model->objects.back());
        }
    }
    return true;
}

bool read_model_from_memory(const char *data, size_t size, Model *model) {
    std::istringstream in(std::string(data, size));
    return read_model(in, model);
}
