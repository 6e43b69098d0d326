// Loading the recordings: passing through the device format, converting others, and failing.
#include <cmath>
#include <cstdio>
#include <unistd.h>

#include "audio/clips.h"
#include "audio_fixture.h"
#include "signal.h"

class ClipTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = make_scratch_dir();
        ASSERT_NE(getcwd(here, sizeof here), nullptr);
        ASSERT_EQ(chdir(dir.c_str()), 0);
    }
    void TearDown() override {
        ASSERT_EQ(chdir(here), 0);
        if (std::system(("rm -rf '" + dir + "'").c_str()) != 0) ADD_FAILURE();
    }
    SampleClip load_quietly(const char *name, std::string *err) {
        testing::internal::CaptureStderr();
        SampleClip c = load_clip(name);
        *err = testing::internal::GetCapturedStderr();
        return c;
    }
    std::string dir;
    char here[4096];
};

TEST_F(ClipTest, DeviceFormatPassesThrough) {
    std::vector<int16_t> s;
    for (int i = 0; i < 1001; i++) s.push_back(static_cast<int16_t>(i * 65 - 32768));
    write_wav("dat/samples/one.wav", 44100, 1, 16, s16_bytes(s));
    std::string err;
    SampleClip c = load_quietly("one", &err);
    EXPECT_EQ(err, "");
    ASSERT_EQ(c.length, 1001);
    for (int i = 0; i < 1001; i++) ASSERT_EQ(c.data[i], s[i]);
    delete[] c.data;
}

TEST_F(ClipTest, EightBitStereoIsConvertedToDeviceFormat) {
    const int frames = 22050;
    std::vector<uint8_t> bytes;
    for (int i = 0; i < frames; i++) {
        double v = 100.0 * std::sin(2.0 * M_PI * 441.0 * i / 22050.0);
        uint8_t b = static_cast<uint8_t>(std::lround(128.0 + v));
        bytes.push_back(b);
        bytes.push_back(b);
    }
    write_wav("dat/samples/two.wav", 22050, 2, 8, bytes);
    std::string err;
    SampleClip c = load_quietly("two", &err);
    EXPECT_EQ(err, "");
    EXPECT_EQ(c.length, 2 * frames); // one second at either rate
    std::vector<double> s(c.data, c.data + c.length);
    EXPECT_NEAR(measure_hz(s, 44100.0), 441.0, 0.5); // the same pitch at the new rate
    double peak = 0;
    for (double x : s) peak = std::max(peak, std::fabs(x));
    EXPECT_NEAR(peak, 100.0 * 256.0, 1500.0); // 8-bit steps become 16-bit ones
    delete[] c.data;
}

TEST_F(ClipTest, FailuresLeaveAnEmptyClipAndOneMessage) {
    std::string err;
    SampleClip missing = load_quietly("nothing", &err);
    EXPECT_EQ(missing.length, 0);
    EXPECT_EQ(missing.data, nullptr);
    EXPECT_EQ(err.rfind("Couldn't load dat/samples/nothing.wav: ", 0), 0u) << err;
    EXPECT_EQ(err.back(), '\n');

    FILE *f = std::fopen("dat/samples/junk.wav", "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("RIFF, but not really a wave file at all", f);
    std::fclose(f);
    SampleClip junk = load_quietly("junk", &err);
    EXPECT_EQ(junk.length, 0);
    EXPECT_EQ(junk.data, nullptr);
    EXPECT_EQ(err.rfind("Couldn't load dat/samples/junk.wav: ", 0), 0u) << err;
}

// Nothing to play, a data chunk cut short, a length past the file's end and a rate too slow
// to convert: each gives an empty clip and one line with its reason, never a part or a crash.
TEST_F(ClipTest, DamagedFilesGiveAnEmptyClipAndTheReason) {
    std::vector<uint8_t> some(100, 0x40);
    write_wav("dat/samples/empty.wav", 44100, 1, 16, {});
    write_wav("dat/samples/short.wav", 44100, 1, 16, some, 2000);
    write_wav("dat/samples/huge.wav", 44100, 1, 16, some, 0xfffffff0u);
    write_wav("dat/samples/slow.wav", 1, 1, 16, std::vector<uint8_t>(16000, 0x40));
    const char *const names[] = {"empty", "short", "huge", "slow"};
    std::string reasons[4];
    for (int i = 0; i < 4; i++) {
        std::string err;
        SampleClip c = load_quietly(names[i], &err);
        EXPECT_EQ(c.length, 0) << names[i];
        EXPECT_EQ(c.data, nullptr) << names[i];
        delete[] c.data;
        std::string start = std::string("Couldn't load dat/samples/") + names[i] + ".wav: ";
        ASSERT_EQ(err.rfind(start, 0), 0u) << err;
        ASSERT_EQ(err.find('\n'), err.size() - 1) << err;
        reasons[i] = err.substr(start.size(), err.size() - start.size() - 1);
    }
    EXPECT_EQ(reasons[0], "no samples");
    EXPECT_EQ(reasons[1], "cut short (its data chunk claims 2000 bytes, holds 100)");
    EXPECT_EQ(reasons[2], "cut short (its data chunk claims 4294967280 bytes, holds 100)");
    EXPECT_EQ(reasons[3], "too long to convert");
}

TEST_F(ClipTest, TableKeepsItsSlotsWhenGrowlIsMissing) {
    write_clips(".", {}, {5, 6, 7, 8});
    std::string err;
    testing::internal::CaptureStderr();
    load_clips();
    err = testing::internal::GetCapturedStderr();
    ASSERT_EQ(sample_clips.size(), 2u);
    EXPECT_EQ(sample_clips[CLIP_GROWL].length, 0);
    EXPECT_EQ(sample_clips[CLIP_BABY].length, 4);
    EXPECT_EQ(clip_sample(CLIP_BABY, 3), 8);
    EXPECT_EQ(clip_sample(CLIP_BABY, 4), 0);
    EXPECT_EQ(clip_sample(CLIP_GROWL, 0), 0);
    EXPECT_EQ(clip_sample(2, 0), 0);
    EXPECT_NE(err.find("growl.wav"), std::string::npos);
    free_clips();
    EXPECT_TRUE(sample_clips.empty());
}

// Our own recordings load without conversion, are loud enough for the mixer's small gains,
// the growl closes its loop without a jump and the cry fits inside its 55500-sample voice.
TEST_F(ClipTest, OurRecordings) {
    ASSERT_EQ(chdir(VELMOOR_SOURCE_DIR), 0);
    std::string err;
    SampleClip growl = load_quietly("growl", &err);
    SampleClip baby = load_quietly("baby", &err);
    EXPECT_EQ(err, "");
    EXPECT_GE(growl.length, 2 * 44100);
    EXPECT_LE(growl.length, 6 * 44100);
    EXPECT_GE(baby.length, 35000);
    EXPECT_LE(baby.length, 55500);
    for (const SampleClip &c : {growl, baby}) {
        int peak = 0;
        for (int i = 0; i < c.length; i++) peak = std::max(peak, std::abs(int(c.data[i])));
        EXPECT_GT(peak, 24000);
    }
    int seam = std::abs(growl.data[growl.length - 1] - growl.data[0]);
    int widest_step = 0;
    for (int i = 1; i < growl.length; i++)
        widest_step = std::max(widest_step, std::abs(growl.data[i] - growl.data[i - 1]));
    EXPECT_LT(seam, widest_step / 4);
    delete[] growl.data;
    delete[] baby.data;
}
