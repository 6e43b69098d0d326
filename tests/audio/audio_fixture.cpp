// Shared set-up for the synthesiser's tests.
#include "audio_fixture.h"

#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include "audio/audio.h"
#include "audio/listener.h"
#include "audio/mixer.h"
#include "audio/sine_batch.h"
#include "base/random.h"
#include "wavfile/wavfile.h"

void write_wav(const std::string &path, int rate, int channels, int bits,
               const std::vector<uint8_t> &data, int64_t claimed) {
    uint64_t length = claimed < 0 ? data.size() : static_cast<uint64_t>(claimed);
    FILE *f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    WavFormat format = {static_cast<uint32_t>(rate), static_cast<uint16_t>(channels),
                        static_cast<uint16_t>(bits)};
    EXPECT_TRUE(write_wav_header(f, format, static_cast<uint32_t>(length)));
    if (!data.empty()) {
        EXPECT_EQ(std::fwrite(data.data(), 1, data.size(), f), data.size());
    }
    EXPECT_EQ(std::fclose(f), 0) << path;
}

std::vector<uint8_t> s16_bytes(const std::vector<int16_t> &samples) {
    std::vector<uint8_t> b;
    for (int16_t s : samples) {
        b.push_back(static_cast<uint8_t>(s));
        b.push_back(static_cast<uint8_t>(static_cast<uint16_t>(s) >> 8));
    }
    return b;
}

std::string make_scratch_dir() {
    char tmpl[] = "/tmp/velmoor-audio-XXXXXX";
    char *d = mkdtemp(tmpl);
    EXPECT_NE(d, nullptr);
    std::string dir = d ? d : "/tmp";
    mkdir((dir + "/dat").c_str(), 0755);
    mkdir((dir + "/dat/samples").c_str(), 0755);
    return dir;
}

void write_clips(const std::string &dir, const std::vector<int16_t> &growl,
                 const std::vector<int16_t> &baby) {
    if (!growl.empty()) write_wav(dir + "/dat/samples/growl.wav", 44100, 1, 16, s16_bytes(growl));
    if (!baby.empty()) write_wav(dir + "/dat/samples/baby.wav", 44100, 1, 16, s16_bytes(baby));
}

void prepare_in(const std::string &dir) {
    char here[4096];
    ASSERT_NE(getcwd(here, sizeof here), nullptr);
    ASSERT_EQ(chdir(dir.c_str()), 0);
    audio_prepare();
    ASSERT_EQ(chdir(here), 0);
}

void reset_mixer_state() {
    drop_voices();
    sample_clock = 0;
    melody_note = 0;
    melody_rising = true;
    listener_pos.store(0.0f, 0.0f, 0.0f);
    growl_pos.store(0.0f, 0.0f, 0.0f);
}

void MixerTest::SetUp() {
    dir = make_scratch_dir();
    for (int i = 0; i < 1000; i++) growl.push_back(static_cast<int16_t>(i * 30 - 15000));
    for (int i = 0; i < 300; i++) baby.push_back(static_cast<int16_t>(i % 2 ? -20000 : 20000));
    write_clips(dir, growl, baby);
    prepare_in(dir);
    reset_mixer_state();
    row_noise = 0.0f;
    seed_random(1234);
}

void MixerTest::TearDown() {
    audio_release();
    std::string cmd = "rm -rf '" + dir + "'";
    if (std::system(cmd.c_str()) != 0) ADD_FAILURE() << "could not remove " << dir;
}

std::vector<int16_t> MixerTest::mix(int count) {
    std::vector<int16_t> out(static_cast<size_t>(count));
    mix_samples(out.data(), count);
    return out;
}

static bool processor_has_avx2() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
}

bool use_batch_sines(bool avx2) {
    if (avx2 && !processor_has_avx2()) return false;
    batch_sines_use_avx2 = avx2;
    return true;
}

void restore_batch_sines() {
    batch_sines_use_avx2 = processor_has_avx2();
}

std::string batch_sines_name(const testing::TestParamInfo<bool> &info) {
    return info.param ? "AVX2" : "Portable";
}
