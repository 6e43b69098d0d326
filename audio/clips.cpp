// The clip table: WAV files read as signed 16-bit mono 44100 Hz, failed ones left empty.
#include "audio/clips.h"

#include <cstdio>
#include <cstring>

#include "audio/wav_read.h"
#include "base/data.h"

std::vector<SampleClip> sample_clips;

static const char *const clip_names[] = {"growl", "baby"};
static_assert(sizeof clip_names / sizeof clip_names[0] == NUM_CLIPS, "one name per clip");

static SampleClip failed_clip(const char *path, const char *why) {
    say_not_loaded(path, why);
    return SampleClip{0, nullptr};
}

static uint32_t little32(const unsigned char *p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// SDL keeps whatever part of a cut-short data chunk it finds. A recording cut short is a
// damaged file (a looped growl would jump at its seam), so the chunks are walked first: false,
// with the reason in why, when the data chunk claims more bytes than the file holds. Anything
// else wrong is left for the reader to name.
static bool data_chunk_whole(const char *path, char *why, size_t size) {
    FILE *f = std::fopen(path, "rb");
    if (!f) return true;
    unsigned char h[12];
    bool riff = std::fread(h, 1, 12, f) == 12 && !std::memcmp(h, "RIFF", 4) &&
                !std::memcmp(h + 8, "WAVE", 4) && std::fseek(f, 0, SEEK_END) == 0;
    long long end = riff ? std::ftell(f) : 0, at = 12, claim = 0;
    bool data = false;
    while (!data && riff && at + 8 <= end && std::fseek(f, at, SEEK_SET) == 0 &&
           std::fread(h, 1, 8, f) == 8) {
        claim = little32(h + 4);
        data = !std::memcmp(h, "data", 4);
        if (!data) at += 8 + claim + (claim & 1); // chunks are padded to even lengths
    }
    std::fclose(f);
    if (!data || at + 8 + claim <= end) return true;
    std::snprintf(why, size, "cut short (its data chunk claims %lld bytes, holds %lld)", claim,
                  end - at - 8);
    return false;
}

SampleClip load_clip(const char *name) {
    char path[4096], why[128];
    std::snprintf(path, sizeof path, "%s/samples/%s.wav", data_root, name);
    if (!data_chunk_whole(path, why, sizeof why)) return failed_clip(path, why);
    SampleClip clip{0, nullptr};
    const char *reason = read_wav(path, clip);
    return reason ? failed_clip(path, reason) : clip;
}

void load_clips() {
    for (const char *name : clip_names) sample_clips.push_back(load_clip(name));
}

void free_clips() {
    for (SampleClip &c : sample_clips) delete[] c.data;
    sample_clips.clear();
}

int16_t clip_sample(int clip, uint32_t n) {
    if (clip < 0 || static_cast<size_t>(clip) >= sample_clips.size()) return 0;
    const SampleClip &c = sample_clips[clip];
    if (!c.data || n >= static_cast<uint32_t>(c.length)) return 0;
    return c.data[n];
}
