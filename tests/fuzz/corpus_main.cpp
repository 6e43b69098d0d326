// The fuzz targets outside the fuzzer: each file named on the command line (or each file of a
// folder named there) goes through the target once, so that the normal and sanitized test runs
// hold the readers to their seeds, and a crash the fuzzer found stays found once its input is
// added to the corpus.
#include <cstdint>
#include <cstdio>
#include <dirent.h>
#include <string>
#include <sys/stat.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

static bool run_file(const std::string &path) {
    FILE *f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::vector<uint8_t> bytes;
    uint8_t block[65536];
    for (size_t n; (n = std::fread(block, 1, sizeof block, f)) > 0;)
        bytes.insert(bytes.end(), block, block + n);
    std::fclose(f);
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    return true;
}

int main(int argc, char **argv) {
    int runs = 0;
    for (int i = 1; i < argc; i++) {
        struct stat st;
        if (stat(argv[i], &st) != 0) {
            std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[i]);
            return 1;
        }
        if (!S_ISDIR(st.st_mode)) {
            runs += run_file(argv[i]);
            continue;
        }
        DIR *dir = opendir(argv[i]);
        while (dirent *e = dir ? readdir(dir) : nullptr)
            if (e->d_name[0] != '.') runs += run_file(std::string(argv[i]) + "/" + e->d_name);
        if (dir) closedir(dir);
    }
    std::printf("%d inputs, none crashed\n", runs);
    return runs > 0 ? 0 : 1;
}
