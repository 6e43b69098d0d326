// gen-art: writes the game's models (DIR/models/*.ac) and sprite images (DIR/img/*.png) into
// a data directory (dat by default); with --icons, the icon at the desktop's usual sizes
// (DIR/<N>x<N>/apps/velmoor.png, a hicolor theme's layout). The same bytes on every run.
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

static const int ICON_SIZES[] = {16, 22, 24, 32, 48, 64, 128, 256};

static int write_icons(const std::string &dir) {
    bool ok = make_dir(dir);
    for (int size : ICON_SIZES) {
        std::string at = dir + "/" + std::to_string(size) + "x" + std::to_string(size);
        Picture pic = make_icon_picture(size);
        ok = make_dir(at) && make_dir(at + "/apps") &&
             write_png_rgba(at + "/apps/velmoor.png", size, size, pic.rgba) && ok;
    }
    if (!ok) std::fprintf(stderr, "gen-art: cannot write the icons into %s\n", dir.c_str());
    return ok ? 0 : 1;
}

int main(int argc, char **argv) {
    if (argc == 3 && std::string(argv[1]) == "--icons") return write_icons(argv[2]);
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
