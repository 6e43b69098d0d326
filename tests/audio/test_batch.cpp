// The mixer's batches against their one-at-a-time forms: the batch samples in both versions,
// with every kind of gain and phase, and the batch random draw.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "audio/convert.h"
#include "audio/fast_sine.h"
#include "audio/sine_batch.h"
#include "audio/voice_gain.h"
#include "audio_fixture.h"
#include "base/random.h"

// Phases of every kind the batch takes: around the table's steps (where the step index rounds
// either way), around multiples of pi, tiny, negative, and spread up to the batch's limit.
static std::vector<double> test_phases() {
    std::vector<double> x;
    const double step = 6.283185307179586 / SINE_STEPS;
    for (int k = -3000; k <= 3000; k += 7)
        for (double off : {-0.5, -0.4999999999, 0.0, 0.4999999999, 0.5})
            x.push_back((k + off) * step);
    for (int k = -50; k <= 50; k++) x.push_back(k * 3.141592653589793);
    for (double t : {0.0, -0.0, 1e-300, -1e-12, 5e-8, 99998.99, -99998.99}) x.push_back(t);
    uint32_t state = 12345;
    for (int i = 0; i < 20000; i++) {
        state = state * 1664525u + 1013904223u;
        x.push_back((static_cast<double>(state) / 4294967296.0 - 0.5) * 2.0 * 99998.0);
    }
    return x;
}

static int32_t one_sample(double theta, float gain) {
    if (!(gain > 0.0f)) return 0;
    int32_t w = sine_sample(theta);
    return wrap16(truncate_to_int(static_cast<double>(w) * gain));
}

// Gains of 0, negative, not a number, below the smallest normal, large enough to wrap the 16
// bits and large enough to leave the 32-bit range; and lengths that leave a tail of 1 to 3.
TEST_P(BatchVersion, SamplesAgreeWithOneAtATime) {
    std::vector<double> x = test_phases();
    const float gains[] = {0.03f, 0.0f, -0.5f, std::numeric_limits<float>::quiet_NaN(), 1e-40f,
                           1.0f,  3.7f, 2e5f,  std::numeric_limits<float>::infinity()};
    std::vector<float> g(x.size());
    for (size_t i = 0; i < x.size(); i++) g[i] = gains[(i * 7 + i / 9) % 9];
    for (int n : {static_cast<int>(x.size()), 1, 2, 3, 5, 6, 7}) {
        std::vector<int32_t> sum(static_cast<size_t>(n), 100);
        add_sine_samples(x.data(), g.data(), sum.data(), n);
        for (int i = 0; i < n; i++)
            ASSERT_EQ(sum[i], 100 + one_sample(x[i], g[i])) << "phase " << x[i] << " gain " << g[i];
    }
}

TEST(BatchSines, RangeCheck) {
    double in[4] = {0.0, -99998.0, 99998.0, 1.0};
    EXPECT_TRUE(phases_in_range(in, 4));
    for (double bad : {99999.0, -1e5, 1e300, std::numeric_limits<double>::quiet_NaN(),
                       std::numeric_limits<double>::infinity()}) {
        double x[4] = {0.0, 1.0, bad, 2.0};
        EXPECT_FALSE(phases_in_range(x, 4)) << bad;
        EXPECT_TRUE(phases_in_range(x, 2));
    }
}

// The rotation that carries the wobble's sines through a chunk (eight lanes, each turned by the
// wobble's phase over eight samples, from exact values at the chunk's start) stays within a
// quarter of the tolerance it is granted, at every wobble rate and every phase up to the limit.
TEST(BatchSines, WobbleRotationStaysWithinItsTolerance) {
    double worst = 0.0;
    for (double hz = 20.0; hz < 20000.0; hz *= 1.13) {
        double wobble = RADIANS_PER_HZ_SAMPLE * (hz / 64.0);
        double span = BATCH_PHASE_LIMIT / wobble - BATCH_CHUNK;
        for (double first = 0.0; first < span; first += std::floor(span / 23.0) + 7.0) {
            PhaseLine line = {0.0, 0.0, first, wobble, true};
            double tolerance = wobble_tolerance(line, BATCH_CHUNK);
            double turn_s, turn_c;
            sine_cosine_in_range(8.0 * wobble, &turn_s, &turn_c);
            for (int lane = 0; lane < 8; lane++) {
                double s, c;
                sine_cosine_in_range(wobble * (first + lane), &s, &c);
                for (int at = lane; at < BATCH_CHUNK; at += 8) {
                    double exact = sine_in_range(wobble * (first + at));
                    worst = std::max(worst, std::fabs(s - exact) / tolerance);
                    double next_s = s * turn_c + c * turn_s;
                    c = c * turn_c - s * turn_s;
                    s = next_s;
                }
            }
        }
    }
    EXPECT_LT(worst, 0.25);
    EXPECT_GT(worst, 0.0); // the rotation does stray: the tolerance is needed
}

// The batch draw is n single draws: the same values, the same count, and the sequence goes on
// from where it stopped, whichever way the draws are taken.
TEST(BatchDraws, SameValuesAsSingleDraws) {
    seed_random(1234);
    std::vector<int32_t> single;
    for (int i = 0; i < 3000; i++) single.push_back(random_int());
    EXPECT_EQ(single[0], 822569775);
    EXPECT_EQ(single[9], 1536813498);
    seed_random(1234);
    std::vector<int32_t> mixed;
    int32_t buf[2048];
    for (int n : {0, 1, 2047, 5, 0, 626, 3}) {
        random_ints(buf, n);
        mixed.insert(mixed.end(), buf, buf + n);
        mixed.push_back(random_int());
    }
    EXPECT_EQ(random_draws(), mixed.size());
    ASSERT_LE(mixed.size(), single.size());
    for (size_t i = 0; i < mixed.size(); i++) ASSERT_EQ(mixed[i], single[i]) << "draw " << i;
}

// A line's samples, steady and wobbling, rising and falling, from early and late positions (the
// wobble's phase close to the batch's limit too), with lengths that leave every tail and span
// several of the batch's chunks.
TEST_P(BatchVersion, LineSamplesAgreeWithOneAtATime) {
    const PhaseLine lines[] = {
        {0.0443, 1.3, 0.0, 0.000692, false},   {0.0443, 1.3, 0.0, 0.000692, true},
        {-0.079, 5.9, 1000.0, -0.00123, true}, {0.0887, 0.0, 1100000.0, 0.00139, true},
        {0.71, 2.0, 130000.0, 0.0111, false},  {0.0001, 0.5, 9e6, 0.011, true},
        {0.0007, -3.0, 3e6, -0.0317, true},
    };
    const float gains[] = {0.02f, 0.0f, 2.5f, -1.0f};
    std::vector<float> g(3000);
    for (size_t i = 0; i < g.size(); i++) g[i] = gains[i / 700 % 4];
    for (const PhaseLine &line : lines) {
        for (int n : {3000, 257, 7, 1}) {
            std::vector<int32_t> sum(static_cast<size_t>(n), -3);
            add_line_samples(line, g.data(), sum.data(), n);
            int heard = 0;
            for (int i = 0; i < n; i++) {
                double at = line.first + i;
                double theta = line.omega * at + line.phase;
                if (line.wobbles)
                    theta += (6.283185307179586 / 16.0) *
                             static_cast<double>(static_cast<float>(sine_of(line.wobble * at)));
                int32_t want = -3 + one_sample(theta, g[i]);
                ASSERT_EQ(sum[i], want) << "sample " << i << " of " << n;
                heard += want != -3;
            }
            EXPECT_GT(heard, 0);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(, BatchVersion, ::testing::Bool(), batch_sines_name);
