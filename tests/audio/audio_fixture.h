// Shared set-up for the synthesiser's tests: a scratch directory with our own clips, a fresh
// mixer state and a seeded random source.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

// Writes a PCM WAV file whose data chunk claims CLAIMED bytes (by default the bytes it holds).
void write_wav(const std::string &path, int rate, int channels, int bits,
               const std::vector<uint8_t> &data, int64_t claimed = -1);
std::vector<uint8_t> s16_bytes(const std::vector<int16_t> &samples);

// Makes DIR/dat/samples and writes the clips that are given (an empty vector: no file).
void write_clips(const std::string &dir, const std::vector<int16_t> &growl,
                 const std::vector<int16_t> &baby);

// Runs audio_prepare with the working directory at DIR, then returns to where it was.
void prepare_in(const std::string &dir);

// Puts the mixer back to its process-start state: no voices, clock 0, melody at note 0 rising.
void reset_mixer_state();

std::string make_scratch_dir();

// Mixer tests: prepared with a known growl (a ramp) and a known baby clip, seed 1234,
// listener and growl source at the origin, hiss at 0 unless a test raises it.
class MixerTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    std::vector<int16_t> mix(int count);
    std::string dir;
    std::vector<int16_t> growl;
    std::vector<int16_t> baby;
};

// Chooses the batch sines for one test: false, choosing nothing, when AVX2 is asked for and
// the processor lacks it.
bool use_batch_sines(bool avx2);
void restore_batch_sines(); // back to what the processor offers
std::string batch_sines_name(const testing::TestParamInfo<bool> &info); // Portable or AVX2

// A test of the batch sines, run once on the portable version and once on AVX2; the second
// reports itself skipped on a processor without AVX2.
class BatchVersion : public ::testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
        if (!use_batch_sines(GetParam())) GTEST_SKIP() << "this processor has no AVX2";
    }
    void TearDown() override { restore_batch_sines(); }
};

// The same for the mixer as a whole.
class MixerBatchVersion : public MixerTest, public ::testing::WithParamInterface<bool> {
  protected:
    void SetUp() override {
        MixerTest::SetUp();
        if (!use_batch_sines(GetParam())) GTEST_SKIP() << "this processor has no AVX2";
    }
    void TearDown() override {
        restore_batch_sines();
        MixerTest::TearDown();
    }
};
