// The AC3D reader on small hand-written files: normals, flattening, and damaged input.
#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "assets/ac3d.h"

namespace {

// A model read from text.
struct Read {
    Model model;
    bool ours;
    explicit Read(const std::string &text)
        : ours(read_model_from_memory(text.data(), text.size(), &model)) {}
    const ModelObject &object(size_t i) const { return model.objects.at(i); }
};

std::string surface(const std::vector<int> &refs, const char *uv = " 0 0") {
    std::string s = "SURF 0x10\nmat 0\nrefs " + std::to_string(refs.size()) + "\n";
    for (int r : refs) s += std::to_string(r) + uv + "\n";
    return s;
}

// A unit cube with its six quads counter-clockwise seen from outside.
std::string cube_body(const char *uv = " 0 0") {
    const std::vector<int> quads[6] = {{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4},
                                       {2, 3, 7, 6}, {0, 4, 7, 3}, {1, 2, 6, 5}};
    std::string s = "numvert 8\n0 0 0\n1 0 0\n1 1 0\n0 1 0\n0 0 1\n1 0 1\n1 1 1\n0 1 1\n"
                    "numsurf 6\n";
    for (const std::vector<int> &q : quads) s += surface(q, uv);
    return s;
}

const std::string triangle = "numvert 3\n0 0 0\n1 0 0\n0 1 0\nnumsurf 1\n" + surface({0, 1, 2});

void expect_normal(const Vec3 &n, float x, float y, float z) {
    EXPECT_NEAR(n.x, x, 1e-6f);
    EXPECT_NEAR(n.y, y, 1e-6f);
    EXPECT_NEAR(n.z, z, 1e-6f);
}

void expect_cube_normals(const ModelObject &o) {
    const float s = 1.0f / std::sqrt(3.0f);
    ASSERT_EQ(o.normals.size(), 8u);
    for (size_t i = 0; i < 8; i++) {
        const Vec3 &v = o.vertices[i];
        expect_normal(o.normals[i], v.x > 0 ? s : -s, v.y > 0 ? s : -s, v.z > 0 ? s : -s);
    }
}

// What the reader promises whatever the input: aligned lists, indices in range, no NaN.
void expect_sound(const Model &m) {
    for (const ModelObject &o : m.objects) {
        ASSERT_EQ(o.normals.size(), o.vertices.size());
        for (const Vec3 &n : o.normals)
            EXPECT_TRUE(std::isfinite(n.x) && std::isfinite(n.y) && std::isfinite(n.z));
        for (const Surface &s : o.surfaces) {
            EXPECT_GE(s.size(), 3u);
            for (int32_t i : s) EXPECT_TRUE(i >= 0 && size_t(i) < o.vertices.size());
        }
    }
}

TEST(Ac3d, CubeNormalsPointOutAlongTheDiagonals) {
    Read r("AC3Db\nOBJECT poly\n" + cube_body() + "kids 0\n");
    ASSERT_EQ(r.model.objects.size(), 1u);
    expect_cube_normals(r.object(0));
    EXPECT_EQ(r.object(0).surfaces[2], (Surface{0, 1, 5, 4}));
}

// Only the first three vertices count: a warped quad gets its first triangle's normal too.
TEST(Ac3d, QuadGivesItsFaceNormalAtEveryVertex) {
    const float s = 1.0f / std::sqrt(2.0f);
    for (const char *last : {"0 1 0", "0 1 0.5"}) {
        Read r(std::string("AC3Db\nOBJECT poly\nnumvert 4\n0 0 0\n1 0 1\n1 1 1\n") + last +
               "\nnumsurf 1\n" + surface({0, 1, 2, 3}) + "kids 0\n");
        for (const Vec3 &n : r.object(0).normals) expect_normal(n, -s, 0, s);
    }
}

TEST(Ac3d, HeaderIsJudgedByItsFifthCharacter) {
    const std::string body = "\nOBJECT poly\n" + triangle + "kids 0\n";
    for (const char *header : {"AC3Db", "XXXXa", "AC3D\x80", "AC3Db2"}) {
        Read r(header + body);
        EXPECT_TRUE(r.ours) << header;
        EXPECT_EQ(r.model.objects.size(), 1u) << header;
    }
    EXPECT_FALSE(Read("").ours);
    for (const char *header : {"AC3Dc", "AC3D", "AC3Dz"}) {
        Read r(header + body);
        EXPECT_FALSE(r.ours) << header;
        EXPECT_TRUE(r.model.objects.empty()) << header;
    }
}

// Children follow their parent in the flat list, placed neither by loc nor by rot.
TEST(Ac3d, KidsFlattenTheHierarchy) {
    Read r("AC3Db\nOBJECT world\nkids 2\nOBJECT poly\nname \"a\"\nloc 1 0 0\n"
           "rot 0 1 0 -1 0 0 0 0 1\n" +
           triangle + "kids 0\nOBJECT poly\n" + triangle + "kids 0\n");
    ASSERT_EQ(r.model.objects.size(), 3u);
    EXPECT_TRUE(r.object(0).vertices.empty());
    for (size_t i : {1, 2}) {
        EXPECT_EQ(r.object(i).vertices[1].x, 1.0f);
        EXPECT_EQ(r.object(i).vertices[1].y, 0.0f);
        expect_normal(r.object(i).normals[0], 0, 0, 1);
    }
}

TEST(Ac3d, MaterialsTextureCoordinatesAndOtherKeysChangeNothing) {
    Read plain("AC3Db\nOBJECT poly\n" + cube_body() + "kids 0\n");
    Read dressed("AC3Db\nMATERIAL \"m\" rgb 1 1 1 amb 0.2 0.2 0.2 emis 0 0 0 spec 0.5 0.5 0.5 "
                 "shi 10 trans 0\nOBJECT poly\nname \"box\"\ndata 3\nabc\ntexture \"t.png\"\n"
                 "texrep 1 1\ncrease 45.0\nurl x\n" +
                 cube_body(" 0.25 0.75") + "kids 0\n");
    ASSERT_EQ(dressed.model.objects.size(), 1u);
    const ModelObject &a = plain.object(0), &b = dressed.object(0);
    EXPECT_EQ(a.surfaces, b.surfaces);
    for (size_t i = 0; i < 8; i++) {
        EXPECT_EQ(a.normals[i].x, b.normals[i].x);
        EXPECT_EQ(a.normals[i].y, b.normals[i].y);
        EXPECT_EQ(a.normals[i].z, b.normals[i].z);
    }
}

// Vertex 0 takes the +z face twice and the +x face once.
TEST(Ac3d, RepeatedIndexAddsItsFaceTwice) {
    Read r("AC3Db\nOBJECT poly\nnumvert 5\n0 0 0\n1 0 0\n0 1 0\n0 1 0\n0 0 1\nnumsurf 2\n" +
           surface({0, 1, 2, 0}) + surface({0, 3, 4}) + "kids 0\n");
    const float s = 1.0f / std::sqrt(5.0f);
    expect_normal(r.object(0).normals[0], s, 0, 2 * s);
}

// Each damaged file: the surfaces kept in its first object, and how many objects were read.
struct Damaged {
    const char *what;
    std::string text;
    size_t objects, surfaces;
};

TEST(Ac3d, DamagedFilesEndOrSkipSafely) {
    const std::string next = "OBJECT poly\n" + triangle + "kids 0\n";
    const std::string four = "numvert 4\n0 0 0\n1 0 0\n0 1 0\n2 0 0\n";
    const Damaged cases[] = {
        {"surfaces without refs, which swallow the next",
         "OBJECT poly\n" + four + "numsurf 2\nSURF 0x10\nmat 0\n" + surface({0, 1, 2}) +
             "kids 0\n" + next,
         2, 0},
        {"too few refs",
         "OBJECT poly\n" + four + "numsurf 3\n" + surface({0, 1}) + surface({}) +
             surface({0, 1, 2}) + "kids 0\n" + next,
         2, 1},
        {"index out of range",
         "OBJECT poly\n" + four + "numsurf 3\n" + surface({0, 1, 4}) + surface({-1, 1, 2}) +
             surface({0, 1, 2}) + "kids 0\n" + next,
         2, 1},
        {"vertex that does not parse", "OBJECT poly\nnumvert 3\n0 0 0\n1 0 x\n" + next, 1, 0},
        {"count that does not parse", "OBJECT poly\nnumvert 99999999999\n0 0 0\n" + next, 1, 0},
        {"reference that does not parse",
         "OBJECT poly\n" + four + "numsurf 1\nSURF 0\nrefs 3\n0 0 0\n1 0 0\n2 z 0\n" + next, 1, 0},
        {"vertex count beyond the file", "OBJECT poly\nnumvert 2000000000\n0 0 0\n1 0 0\n", 1, 0},
        {"surface count beyond the file",
         "OBJECT poly\n" + four + "numsurf 2000000000\n" + surface({0, 1, 2}), 1, 1},
        {"reference count beyond the file",
         "OBJECT poly\n" + four + "numsurf 1\nSURF 0\nrefs 2000000000\n0 0 0\n1 0 0\n2 0 0\n", 1,
         0},
        {"negative counts", "OBJECT poly\nnumvert -3\nnumsurf -1\nkids 0\n" + next, 2, 0},
        {"file ending after OBJECT", "OBJECT", 1, 0},
    };
    for (const Damaged &c : cases) {
        Read r("AC3Db\n" + c.text);
        SCOPED_TRACE(c.what);
        EXPECT_TRUE(r.ours);
        ASSERT_EQ(r.model.objects.size(), c.objects);
        EXPECT_EQ(r.object(0).surfaces.size(), c.surfaces);
        expect_sound(r.model);
        for (size_t i = 1; i < c.objects; i++) EXPECT_EQ(r.object(i).surfaces.size(), 1u);
    }
}

// A face without area adds nothing: its own vertex keeps a zero normal, not 0/0.
TEST(Ac3d, CollinearFirstVerticesAddNoNormal) {
    Read r("AC3Db\nOBJECT poly\nnumvert 4\n0 0 0\n1 0 0\n2 0 0\n0 1 0\nnumsurf 2\n" +
           surface({0, 1, 2}) + surface({0, 1, 3}) + "kids 0\n");
    const ModelObject &o = r.object(0);
    EXPECT_EQ(o.surfaces.size(), 2u);
    expect_normal(o.normals[0], 0, 0, 1);
    expect_normal(o.normals[2], 0, 0, 0);
    expect_normal(o.normals[3], 0, 0, 1);
}

// An object cut off before its kids line is still lit with unit normals.
TEST(Ac3d, ObjectEndingWithTheFileIsNormalised) {
    Read r("AC3Db\nOBJECT poly\n" + cube_body());
    ASSERT_EQ(r.model.objects.size(), 1u);
    expect_cube_normals(r.object(0));
}

} // namespace
