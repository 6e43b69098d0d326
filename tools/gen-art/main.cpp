// gen-art: writes the game's models (DIR/models/*.ac) and sprite images (DIR/img/*.png) into
// a data directory (dat by default). The same bytes on every run.
#include <cerrno>
#include <cstdio>
#include <string>
#include <sys/stat.h>

#include "mesh.h"
#include "pictures.h"
#include "png_write/png_write.h"

static const struct {
    const char *name;
    Mesh (*make)();
} MODELS[] = {{"sphere", make_sphere},
              {"sphere_s", make_small_sphere},
              {"boat", make_boat},
              {"oar", make_oar},
              {"edge", make_edge},
              {"box", make_box},
              {"lighthouse", make_lighthouse}};

static const struct {
    const char *name;
    Picture (*make)();
} PICTURES[] = {{"baby", make_baby_picture}, {"quellorn", make_quellorn_picture}};

static bool make_dir(const std::string &path) {
    return mkdir(path.c_str(), 0755) == 0 || errno == EEXIST;
}

int main(int argc, char **argv) {
    std::string dir = argc > 1 ? argv[1] : "dat";
    if (!make_dir(dir) || !make_dir(dir + "/models") || !make_dir(dir + "/img")) {
        std::fprintf(stderr, "gen-art: cannot make the folders under %s\n", dir.c_str());
        return 1;
    }
    bool ok = true;
    for (const auto &m : MODELS) ok = write_ac(dir + "/models/" + m.name + ".ac", m.make()) && ok;
    for (const auto &p : PICTURES) {
        Picture pic = p.make();
        ok = write_png_rgba(dir + "/img/" + p.name + ".png", pic.size, pic.size, pic.rgba) && ok;
    }
    if (!ok) {
        std::fprintf(stderr, "gen-art: cannot write into %s\n", dir.c_str());
        return 1;
    }
    return 0;
}
