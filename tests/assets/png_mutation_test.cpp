// Thousands of damaged PNGs, each checked and, when it passes, decoded by the texture loader's
// decoder in a child process of its own: a crash or a hang there fails the test.
//   png_mutation_test                      the test
//   png_mutation_test --soil-on-rejected   also hands the refused files to the decoder, to count
//                                          what the check saved us from (not a test)
#include <SOIL/SOIL.h>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include "assets/png_check.h"
#include "png_maker.h"

namespace {

constexpr int MUTANTS_PER_KIND = 400;
constexpr unsigned CHILD_SECONDS = 5;

using Chunks = std::vector<PngChunk>;

// The files the mutants are made from: every colour type, each way of compressing.
struct Base {
    PngRows rows;
    int level, strategy;
    Chunks chunks() const { return png_chunks(rows, level, strategy); }
};

std::vector<Base> make_bases() {
    std::vector<Base> bases;
    const int ways[4][2] = {
        {9, Z_DEFAULT_STRATEGY}, {6, Z_FIXED}, {0, Z_DEFAULT_STRATEGY}, {9, Z_HUFFMAN_ONLY}};
    for (int type : {0, 2, 3, 4, 6})
        for (const auto &way : ways) bases.push_back({sample_rows(13, 11, type), way[0], way[1]});
    return bases;
}

uint32_t pick(std::mt19937 &rng, uint32_t n) {
    return n ? rng() % n : 0;
}

void flip_bits(std::mt19937 &rng, Bytes *b, size_t from) {
    if (b->size() <= from) return;
    for (uint32_t i = 0, n = 1 + pick(rng, 3); i < n; i++)
        (*b)[from + pick(rng, b->size() - from)] ^= 1 << pick(rng, 8);
}

PngChunk *find(Chunks &c, const char *type) {
    for (PngChunk &chunk : c)
        if (chunk.type == type) return &chunk;
    return nullptr;
}

// The deflate data flipped, then the stream's Adler-32 made right again for whatever it now
// inflates to, so that damage can reach the decoder's Huffman tables through zlib.
void damage_deflate(std::mt19937 &rng, Bytes *stream) {
    if (stream->size() < 8) return;
    Bytes body(stream->begin() + 2, stream->end() - 4);
    flip_bits(rng, &body, 0);
    z_stream z{};
    inflateInit2(&z, -15);
    Bytes out(1 << 16);
    z.next_in = body.data();
    z.avail_in = static_cast<uInt>(body.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    inflate(&z, Z_FINISH);
    uint32_t adler = adler32(adler32(0, Z_NULL, 0), out.data(), static_cast<uInt>(z.total_out));
    inflateEnd(&z);
    std::copy(body.begin(), body.end(), stream->begin() + 2);
    for (int i = 0; i < 4; i++) (*stream)[stream->size() - 4 + i] = uint8_t(adler >> (24 - 8 * i));
}

enum MutationKind {
    FLIP_ANY_BITS,      // anywhere, CRCs left as they are
    TRUNCATE,           // the file cut short
    CHUNK_LENGTH,       // a length field changed, CRCs left
    FLIP_CHUNK_DATA,    // within a chunk's data, its CRC made right
    HEADER_FIELD,       // a width, height, depth, type or method changed, CRC made right
    RAW_ROWS,           // a filter byte or the row count changed before compressing
    CHUNK_ORDER,        // a chunk dropped, doubled or moved; the data split around it
    DEFLATE_WITH_ADLER, // the compressed data damaged, its checksum made right
    NUM_KINDS
};

const char *const kind_names[] = {"flip any bits",   "truncate",          "chunk length",
                                  "flip chunk data", "header field",      "raw rows",
                                  "chunk order",     "deflate with adler"};
static_assert(sizeof kind_names / sizeof *kind_names == NUM_KINDS, "one name per kind");

void edit_header(std::mt19937 &rng, Bytes *ihdr) {
    const uint32_t sides[] = {0, 1, 12, 14, 255, 4096, 4097, 65536, 0x7fffffff, 0xffffffff};
    uint32_t field = pick(rng, 7);
    if (field < 2) {
        uint32_t v = sides[pick(rng, 10)];
        for (int i = 0; i < 4; i++) (*ihdr)[field * 4 + i] = uint8_t(v >> (24 - 8 * i));
    } else {
        const uint8_t values[] = {0, 1, 2, 3, 4, 6, 8, 16, 255};
        (*ihdr)[6 + field] = values[pick(rng, 9)];
    }
}

void edit_rows(std::mt19937 &rng, const Base &base, Chunks *c) {
    Bytes rows = base.rows.rows;
    uint32_t what = pick(rng, 3);
    size_t row_size = rows.size() / base.rows.height;
    if (what == 0) rows[pick(rng, base.rows.height) * row_size] = uint8_t(pick(rng, 8));
    if (what == 1) rows.resize(rows.size() - pick(rng, 2 * row_size));
    if (what == 2) rows.insert(rows.end(), pick(rng, 2 * row_size), 0);
    find(*c, "IDAT")->data = deflate_bytes(rows, base.level, base.strategy);
}

void reorder(std::mt19937 &rng, Chunks *c) {
    PngChunk *idat = find(*c, "IDAT");
    Bytes data = idat->data;
    size_t cut = pick(rng, uint32_t(data.size()));
    idat->data.resize(cut);
    c->insert(c->begin() + (idat - c->data()) + 1, {"IDAT", Bytes(data.begin() + cut, data.end())});
    size_t from = pick(rng, uint32_t(c->size())), to = pick(rng, uint32_t(c->size()));
    PngChunk moved = (*c)[from];
    uint32_t how = pick(rng, 3);
    if (how != 1) c->erase(c->begin() + from);
    if (how != 0) c->insert(c->begin() + std::min(to, c->size()), moved);
}

Bytes mutant(const Base &base, MutationKind kind, std::mt19937 &rng) {
    Chunks c = base.chunks();
    Bytes file = png_file(c);
    switch (kind) {
    case FLIP_ANY_BITS:
        flip_bits(rng, &file, 0);
        return file;
    case TRUNCATE:
        file.resize(pick(rng, uint32_t(file.size())));
        return file;
    case CHUNK_LENGTH: {
        size_t at = 8;
        for (uint32_t i = 0, n = pick(rng, uint32_t(c.size())); i < n; i++)
            at += 12 + c[i].data.size();
        uint32_t delta = pick(rng, 2) ? rng() : pick(rng, 9) - 4u;
        uint32_t length =
            (uint32_t(file[at]) << 24 | file[at + 1] << 16 | file[at + 2] << 8 | file[at + 3]) +
            delta;
        for (int i = 0; i < 4; i++) file[at + i] = uint8_t(length >> (24 - 8 * i));
        return file;
    }
    case FLIP_CHUNK_DATA:
        flip_bits(rng, &c[pick(rng, uint32_t(c.size()))].data, 0);
        break;
    case HEADER_FIELD:
        edit_header(rng, &c[0].data);
        break;
    case RAW_ROWS:
        edit_rows(rng, base, &c);
        break;
    case CHUNK_ORDER:
        reorder(rng, &c);
        break;
    case DEFLATE_WITH_ADLER:
        damage_deflate(rng, &find(c, "IDAT")->data);
        break;
    case NUM_KINDS:
        break;
    }
    return png_file(c);
}

enum Outcome { REFUSED, DECODED, NOT_DECODED, CRASHED, HUNG };

// Runs in the child: the check (unless skipped), then the decoder.
[[noreturn]] void run_child(const Bytes &file, bool check) {
    alarm(CHILD_SECONDS);
#if !defined(__SANITIZE_ADDRESS__)
    rlimit memory = {1u << 30, 1u << 30}; // a mad header must not swap the machine
    setrlimit(RLIMIT_AS, &memory);
#endif
    if (check && !png_is_sound(file.data(), file.size())) _exit(REFUSED);
    int w, h, channels;
    unsigned char *pixels = SOIL_load_image_from_memory(file.data(), int(file.size()), &w, &h,
                                                        &channels, SOIL_LOAD_AUTO);
    SOIL_free_image_data(pixels);
    _exit(pixels ? DECODED : NOT_DECODED);
}

Outcome in_child(const Bytes &file, bool check) {
    std::fflush(nullptr);
    pid_t pid = fork();
    if (pid < 0) {
        std::perror("fork");
        std::exit(2);
    }
    if (pid == 0) run_child(file, check);
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM) return HUNG;
    if (WIFSIGNALED(status)) std::printf("  (%s)\n", strsignal(WTERMSIG(status)));
    if (WIFSIGNALED(status)) return CRASHED;
    return WEXITSTATUS(status) <= NOT_DECODED ? Outcome(WEXITSTATUS(status)) : CRASHED;
}

} // namespace

int main(int argc, char **argv) {
    bool soil_on_rejected = argc > 1 && !std::strcmp(argv[1], "--soil-on-rejected");
    std::vector<Base> bases = make_bases();
    int failures = 0;
    for (const Base &b : bases) {
        if (in_child(png_file(b.chunks()), true) != DECODED) {
            std::printf("an unharmed file of colour type %d was not decoded\n", b.rows.colour_type);
            failures++;
        }
    }
    std::printf("%-20s %8s %8s %12s | decoder on the refused: %7s %12s %7s %5s\n", "kind",
                "refused", "decoded", "not decoded", "decoded", "not decoded", "crashed", "hung");
    int accepted = 0;
    for (int k = 0; k < NUM_KINDS; k++) {
        std::mt19937 rng(1000 + k);
        int count[5] = {}, unchecked[5] = {};
        for (int i = 0; i < MUTANTS_PER_KIND; i++) {
            Bytes file = mutant(bases[i % bases.size()], MutationKind(k), rng);
            Outcome o = in_child(file, true);
            count[o]++;
            if (o == CRASHED || o == HUNG) {
                std::printf("%s mutant %d: %s\n", kind_names[k], i, o == HUNG ? "hung" : "crashed");
                failures++;
            }
            if (o == REFUSED && soil_on_rejected) unchecked[in_child(file, false)]++;
        }
        accepted += count[DECODED] + count[NOT_DECODED];
        std::printf("%-20s %8d %8d %12d | %31d %12d %7d %5d\n", kind_names[k], count[REFUSED],
                    count[DECODED], count[NOT_DECODED], unchecked[DECODED], unchecked[NOT_DECODED],
                    unchecked[CRASHED], unchecked[HUNG]);
    }
    // Without files that pass the check the decoder would never have been tried.
    if (accepted < NUM_KINDS * MUTANTS_PER_KIND / 20) {
        std::printf("only %d mutants passed the check\n", accepted);
        failures++;
    }
    return failures ? 1 : 0;
}
