// Finding the game's data folder from the working directory or from the program's own place.
#include "data_dir.h"

#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

static bool holds_samples(const std::string &dir) {
    struct stat st;
    return stat((dir + "/samples").c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The folder the running program lies in, or empty when /proc cannot tell.
static std::string program_dir() {
    char exe[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n <= 0) return "";
    std::string path(exe, static_cast<size_t>(n));
    return path.substr(0, path.rfind('/'));
}

std::string find_data_dir() {
    if (holds_samples("dat")) return "dat";
    std::string dir = program_dir();
    if (dir.empty()) return "dat";
    for (std::string up = dir;; up.resize(up.rfind('/'))) { // "" stands for the root
        if (holds_samples(up + "/dat")) return up + "/dat";
        if (up.empty()) break;
    }
    char installed[PATH_MAX];
    if (realpath((dir + "/../share/velmoor/dat").c_str(), installed) && holds_samples(installed))
        return installed;
    return "dat";
}
