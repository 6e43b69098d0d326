// The player's own folder, where a game started from the desktop keeps its screenshots and
// journeys: $XDG_DATA_HOME/velmoor, by default ~/.local/share/velmoor.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "app/shell.h"

// Makes each missing folder along PATH; errno tells why when it fails.
static bool make_folders(const std::string &path) {
    for (size_t at = 1; at <= path.size(); at++) {
        if (at < path.size() && path[at] != '/') continue;
        std::string part = path.substr(0, at);
        if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) return false;
    }
    return true;
}

// An XDG_DATA_HOME that is not absolute is to be ignored, as the XDG rules say.
static std::string user_folder() {
    const char *xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/') return std::string(xdg) + "/velmoor";
    const char *home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.local/share/velmoor";
    return "";
}

void enter_user_folder() {
    std::string folder = user_folder();
    if (folder.empty()) {
        std::fprintf(stderr, "velmoor: neither XDG_DATA_HOME nor HOME is set; staying here\n");
    } else if (!make_folders(folder) || chdir(folder.c_str()) != 0) {
        std::fprintf(stderr, "velmoor: cannot use %s: %s; staying here\n", folder.c_str(),
                     std::strerror(errno));
    }
}
