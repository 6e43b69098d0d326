// Writes the PNG check's seed files into a folder: each colour type, each way of compressing.
#include <cstdio>
#include <string>
#include <zlib.h>

#include "../assets/png_maker.h"

int main(int argc, char **argv) {
    if (argc != 2) return 2;
    const int ways[3][2] = {{9, Z_DEFAULT_STRATEGY}, {6, Z_FIXED}, {0, Z_DEFAULT_STRATEGY}};
    for (int type : {0, 2, 3, 4, 6}) {
        for (int w = 0; w < 3; w++) {
            Bytes file = png_file(png_chunks(sample_rows(6, 5, type), ways[w][0], ways[w][1]));
            std::string path = std::string(argv[1]) + "/type" + std::to_string(type) + "_" +
                               std::to_string(w) + ".png";
            std::FILE *f = std::fopen(path.c_str(), "wb");
            if (!f) return 1;
            std::fwrite(file.data(), 1, file.size(), f);
            std::fclose(f);
        }
    }
    return 0;
}
