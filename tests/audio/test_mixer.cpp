// The mixer: buffer sizes, the melody's timing across buffers, voice removal, the wrap-around
// sum, the hiss and the growl loop.
#include <cmath>
#include <cstring>

#include "audio/audio.h"
#include "audio/clips.h"
#include "audio/listener.h"
#include "audio/mixer.h"
#include "audio/sound.h"
#include "audio_fixture.h"
#include "base/random.h"

TEST_F(MixerTest, CallbackWritesHalfItsLength) {
    uint8_t buf[4100];
    std::memset(buf, 0x55, sizeof buf);
    mix_audio(nullptr, buf, 4096);
    EXPECT_EQ(sample_clock, 2048u);
    EXPECT_EQ(buf[4096], 0x55);
    std::memset(buf, 0x55, sizeof buf);
    mix_audio(nullptr, buf, 7); // three samples; the odd byte stays
    EXPECT_EQ(sample_clock, 2051u);
    EXPECT_EQ(buf[6], 0x55);
    for (int len : {0, 1, -4}) {
        mix_audio(nullptr, buf, len);
        EXPECT_EQ(sample_clock, 2051u) << "len " << len;
    }
}

TEST_F(MixerTest, CallbackAndOfflineMixAgree) {
    row_noise = 1.0f;
    std::vector<int16_t> offline = mix(5000);
    TearDown();
    SetUp();
    row_noise = 1.0f;
    std::vector<uint8_t> bytes(10000);
    mix_audio(nullptr, bytes.data(), 4096);
    mix_audio(nullptr, bytes.data() + 4096, 5904);
    for (int i = 0; i < 5000; i++) {
        int16_t s = static_cast<int16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
        ASSERT_EQ(s, offline[i]) << "sample " << i;
    }
}

// The melody appends its note before the sample at every multiple of 26460, however the
// samples are split into calls.
TEST_F(MixerTest, MelodyStepsOnMultiplesOfItsPeriod) {
    std::vector<int16_t> whole = mix(80000);
    int32_t note_whole = melody_note;
    TearDown();
    SetUp();
    std::vector<int16_t> pieces;
    const int splits[] = {1, 2047, 24411, 1, 26459, 2, 26458, 2, 619};
    for (int n : splits) {
        std::vector<int16_t> part = mix(n);
        pieces.insert(pieces.end(), part.begin(), part.end());
    }
    ASSERT_EQ(pieces.size(), whole.size());
    EXPECT_EQ(pieces, whole);
    EXPECT_EQ(melody_note, note_whole);

    TearDown();
    SetUp();
    mix(1);
    EXPECT_EQ(count_voices(), 1); // the first note, from the very first sample
    mix(26458);
    EXPECT_EQ(count_voices(), 0); // it lasted 11500 samples
    int32_t before = melody_note;
    mix(1); // sample 26459
    EXPECT_EQ(count_voices(), 0);
    EXPECT_EQ(melody_note, before);
    mix(1); // sample 26460
    EXPECT_EQ(count_voices(), 1);
    EXPECT_NE(melody_note, before);
    mix(26459);
    EXPECT_EQ(count_voices(), 0);
    mix(1); // sample 52920
    EXPECT_EQ(count_voices(), 1);
}

TEST_F(MixerTest, FirstNoteIsDegreeZero) {
    std::vector<int16_t> out = mix(11500);
    ASSERT_EQ(voices, nullptr);
    std::vector<double> s(out.begin() + 500, out.end() - 3000);
    int peak = 0;
    for (int16_t x : out) peak = std::max(peak, std::abs(int(x)));
    EXPECT_EQ(peak, 98); // 16383 * 0.006, truncated
    int rises = 0;
    for (size_t i = 1; i < s.size(); i++) rises += s[i - 1] < 0 && s[i] >= 0;
    EXPECT_NEAR(rises / (s.size() / 44100.0), 311.127, 3.0);
}

TEST_F(MixerTest, VoiceLastsExactlyItsLength) {
    sample_clock = 1;
    append_voice(make_voice(3, 500, 1000, 9997, WAVE_SINE, 440.0f, 0.01f, true, 0, 0, 0, 0, 0));
    mix(11499);
    ASSERT_NE(voices, nullptr);
    EXPECT_EQ(voices->position, 11499u);
    mix(1);
    EXPECT_EQ(voices, nullptr);
    EXPECT_EQ(voices_tail, nullptr);
    // The list stays usable after its last voice went.
    append_voice(make_voice(0, 0, 2, 0, WAVE_SINE, 440.0f, 0.01f, true, 0, 0, 0, 0, 0));
    EXPECT_EQ(count_voices(), 1);
}

TEST_F(MixerTest, FinishedVoicesLeaveFromTheMiddleOfTheList) {
    sample_clock = 1;
    append_voice(make_voice(0, 0, 100, 0, WAVE_SINE, 440.0f, 0.01f, true, 0, 0, 0, 0, 0));
    append_voice(make_voice(0, 0, 10, 0, WAVE_SINE, 440.0f, 0.01f, true, 0, 0, 0, 0, 0));
    append_voice(make_voice(0, 0, 20, 0, WAVE_SINE, 440.0f, 0.01f, true, 0, 0, 0, 0, 0));
    mix(10);
    EXPECT_EQ(count_voices(), 2);
    mix(10);
    EXPECT_EQ(count_voices(), 1);
    EXPECT_EQ(voices, voices_tail);
    append_voice(make_voice(0, 0, 5, 0, WAVE_SINE, 440.0f, 0.01f, true, 0, 0, 0, 0, 0));
    EXPECT_EQ(count_voices(), 2);
}

TEST_F(MixerTest, SumWrapsAroundWithoutClamping) {
    sample_clock = 1;
    for (int i = 0; i < 2; i++)
        append_voice(make_voice(0, 0, 4, 0, WAVE_CLIP, 0.0f, 1.0f, true, 0, 0, 0, 0, 0));
    std::vector<int16_t> out = mix(4);
    EXPECT_EQ(out[0], -25536); // 20000 + 20000
    EXPECT_EQ(out[1], 25536);  // -20000 - 20000
}

TEST_F(MixerTest, SilenceWithoutVoicesHissOrGrowl) {
    sample_clock = 1;
    std::vector<int16_t> out = mix(20000);
    for (int16_t s : out) ASSERT_EQ(s, 0);
}

TEST_F(MixerTest, HissIsOneSidedAndDecays) {
    sample_clock = 1;
    row_noise = 1.0f;
    std::vector<int16_t> out = mix(13863);
    double early = 0, late = 0;
    for (int i = 0; i < 2000; i++) early += out[i];
    for (int i = 11863; i < 13863; i++) late += out[i];
    for (int16_t s : out) {
        ASSERT_GE(s, 0);
        ASSERT_LE(s, 178);
    }
    EXPECT_NEAR(row_noise.load(), 0.5f, 0.001f);
    EXPECT_GT(early / 2000, 80.0); // about 89 on average at level 1
    EXPECT_NEAR(late / early, 0.55, 0.05);
    // The oars' splash raises the level at once.
    sound_event(SOUND_ROW_SPLASH, 0, 0, 0, 0.5f, 0);
    EXPECT_NEAR(row_noise.load(), 1.0f, 0.001f);
    EXPECT_EQ(count_voices(), 0);
}

TEST_F(MixerTest, GrowlAtTenUnitsIsOneHundredth) {
    sample_clock = 1;
    growl_on = true;
    growl_pos.store(10.0f, 0.0f, 0.0f);
    std::vector<int16_t> out = mix(3000);
    for (int i = 0; i < 3000; i++) {
        double want = std::trunc(0.01 * growl[(i + 1) % growl.size()]);
        ASSERT_NEAR(out[i], want, 1.0) << "sample " << i;
    }
}

TEST_F(MixerTest, GrowlCloseUpIsAmplifiedAndWraps) {
    growl_on = true;
    listener_pos.store(3.0f, 4.0f, 0.0f);
    bool wrapped = false;
    for (float offset : {0.05f, 0.02f}) { // twice, then five times the clip's level
        sample_clock = 1;
        growl_pos.store(3.0f + offset, 4.0f, 0.0f);
        double d = static_cast<float>(3.0f + offset) - 3.0f;
        std::vector<int16_t> out = mix(999);
        for (int i = 0; i < 999; i++) {
            int32_t want = static_cast<int32_t>(0.1 / d * growl[i + 1]);
            ASSERT_NEAR(out[i], static_cast<int16_t>(want), 2.0) << "sample " << i;
            wrapped |= want > 32767 || want < -32768;
        }
    }
    EXPECT_TRUE(wrapped);
}

TEST_F(MixerTest, GrowlAtDistanceZeroAddsNothing) {
    sample_clock = 1;
    growl_on = true;
    for (int16_t s : mix(2000)) ASSERT_EQ(s, 0);
}

TEST_F(MixerTest, GrowlFollowsTheClock) {
    sample_clock = 123457;
    growl_pos.store(10.0f, 0.0f, 0.0f);
    sound_event(SOUND_SECOND_ARRIVAL, 1000.0f, 0.0f, 0.0f, 0.0f, 0); // chord out of hearing
    std::vector<int16_t> on = mix(100);
    EXPECT_EQ(on[0], std::trunc(0.01 * growl[123457 % 1000]));
    sound_event(SOUND_RESTARTED, 0, 0, 0, 0, 0);
    for (int16_t s : mix(250)) ASSERT_EQ(s, 0);
    sound_event(SOUND_SECOND_ARRIVAL, 1000.0f, 0.0f, 0.0f, 0.0f, 0);
    std::vector<int16_t> again = mix(10);
    EXPECT_EQ(again[0], std::trunc(0.01 * growl[(123457 + 350) % 1000]));
}

TEST_F(MixerTest, RestartSilencesOnlyHissAndGrowl) {
    sample_clock = 1;
    row_noise = 2.0f;
    growl_on = true;
    sound_event(SOUND_FIRST_ARRIVAL, 1.0f, 0.0f, 0.0f, 0.0f, 0);
    mix(100);
    sound_event(SOUND_RESTARTED, 0, 0, 0, 0, 0);
    EXPECT_EQ(row_noise.load(), 0.0f);
    EXPECT_FALSE(growl_on.load());
    EXPECT_EQ(count_voices(), 3);
    std::vector<int16_t> out = mix(69900);
    EXPECT_EQ(count_voices(),
              0); // the chord ran its 70000 samples; the melody's notes came and went
    bool heard = false;
    for (int i = 0; i < 20000; i++) heard |= out[i] != 0;
    EXPECT_TRUE(heard);
}

class MissingClipsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = make_scratch_dir();
        write_clips(dir, {}, {1000, 2000, 3000});
        testing::internal::CaptureStderr();
        prepare_in(dir);
        err = testing::internal::GetCapturedStderr();
        reset_mixer_state();
        row_noise = 0.0f;
    }
    void TearDown() override {
        audio_release();
        if (std::system(("rm -rf '" + dir + "'").c_str()) != 0) ADD_FAILURE();
    }
    std::string dir, err;
};

TEST_F(MissingClipsTest, GrowlMissingLeavesAnEmptySlot) {
    EXPECT_EQ(err.rfind("Couldn't load dat/samples/growl.wav: ", 0), 0u) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
    ASSERT_EQ(sample_clips.size(), 2u);
    EXPECT_EQ(sample_clips[CLIP_GROWL].length, 0);
    EXPECT_EQ(sample_clips[CLIP_BABY].length, 3);
    sample_clock = 1;
    growl_on = true;
    growl_pos.store(1.0f, 0.0f, 0.0f);
    std::vector<int16_t> out(2000);
    mix_samples(out.data(), 2000);
    for (int16_t s : out) ASSERT_EQ(s, 0);
}

TEST(NoClips, BabyVoiceOnAnEmptyClipIsSilent) {
    std::string dir = make_scratch_dir();
    testing::internal::CaptureStderr();
    prepare_in(dir);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("Couldn't load dat/samples/baby.wav: "), std::string::npos);
    reset_mixer_state();
    row_noise = 0.0f;
    sample_clock = 1;
    sound_event(SOUND_BABY_TOUCHED, 0, 0, 0, 0, 0);
    std::vector<int16_t> out(55500);
    mix_samples(out.data(), 26000);
    for (int i = 0; i < 26000; i++) ASSERT_EQ(out[i], 0);
    audio_release();
    EXPECT_TRUE(sample_clips.empty());
    EXPECT_EQ(tone_tables[0], nullptr);
    if (std::system(("rm -rf '" + dir + "'").c_str()) != 0) ADD_FAILURE();
}
