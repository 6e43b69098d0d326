// The data folder: the working directory's dat/ first, as the game always had it (a tool's
// --data before it), then the folder asked for, then the data of the source tree the program
// was built from, then the installed data beside the program.
#include "base/data.h"

#include <climits>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

const char *data_root = "dat";
std::string source_data_dir = VELMOOR_SOURCE_DATA;

// The data folder of an installed copy: VELMOOR_DATA_FROM_PROGRAM leads there from the
// program's own folder, whatever prefix it was installed under.
static std::string installed_beside_program() {
    char exe[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n <= 0) return "";
    std::string path(exe, static_cast<size_t>(n));
    return path.substr(0, path.rfind('/') + 1) + VELMOOR_DATA_FROM_PROGRAM;
}

std::string installed_data_dir = installed_beside_program();

static bool is_folder(const std::string &path) {
    struct stat st;
    return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void say_not_loaded(const char *path, const char *why) {
    std::fprintf(stderr, "Couldn't load %s: %s\n", path, why);
}

bool find_data_root(const char *program, const char *asked, bool command_line) {
    static std::string chosen; // data_root points into it
    const std::string named = asked ? asked : "";
    const std::string places[] = {command_line ? named : "dat", command_line ? "dat" : named,
                                  source_data_dir, installed_data_dir};
    std::string looked;
    for (const std::string &place : places) {
        if (is_folder(place)) {
            chosen = place;
            data_root = chosen.c_str();
            return true;
        }
        if (!place.empty()) looked += (looked.empty() ? "" : ", ") + place;
    }
    data_root = "dat";
    std::fprintf(stderr, "%s: no data folder (looked in %s); running on without models, images "
                 "and sounds\n", program, looked.c_str());
    return false;
}
