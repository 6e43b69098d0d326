// Refusing outputs that would overwrite each other or the script, and WAVs too long to describe.
#include "outputs.h"

#include <climits>
#include <cstdio>
#include <cstdlib>

#include "journey_step/step.h"
#include "wav.h"

// The file a path stands for: an existing one by its real path, a new one by its folder's real
// path and its name, "-" (standard output) as itself; as written when its folder is not there.
static std::string resolved(const std::string &path) {
    char real[PATH_MAX];
    if (path == "-") return path;
    if (realpath(path.c_str(), real)) return real;
    size_t slash = path.rfind('/');
    std::string dir = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    if (!realpath(dir.c_str(), real)) return path;
    std::string file = real;
    if (file.back() != '/') file += '/';
    return file + path.substr(slash == std::string::npos ? 0 : slash + 1);
}

// An --input of "-" is not standard output, so it never clashes as one.
static bool clash(const SimOptions &opt) {
    const char *const names[] = {"--input", "--trace", "--state", "--wav", "--record"};
    const std::string paths[] = {opt.input == "-" ? "" : opt.input, opt.trace, opt.state, opt.wav,
                                 opt.record};
    constexpr int count = sizeof names / sizeof names[0];
    static_assert(sizeof paths / sizeof paths[0] == count, "a path for every name");
    std::string files[count];
    for (int i = 0; i < count; i++) {
        if (paths[i].empty()) continue;
        files[i] = resolved(paths[i]);
        for (int j = 0; j < i; j++) {
            if (files[j] != files[i]) continue;
            std::fprintf(stderr, "velmoor-sim: %s and %s name the same file, %s\n", names[j],
                         names[i], paths[i].c_str());
            return true;
        }
    }
    return false;
}

bool check_outputs(const SimOptions &opt) {
    if (clash(opt)) return false;
    if (opt.wav.empty() || wav_holds(samples_for_ticks(opt.ticks))) return true;
    std::fprintf(stderr,
                 "velmoor-sim: --wav for %llu ticks would pass the 4 GiB a WAV file can hold "
                 "(at most %llu ticks)\n",
                 static_cast<unsigned long long>(opt.ticks),
                 static_cast<unsigned long long>(longest_wav_ticks()));
    return false;
}
