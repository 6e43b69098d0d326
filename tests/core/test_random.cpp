// The shared random source: the discard rule, seeding, the draw counter, two threads at once.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <vector>

#include "base/random.h"

TEST(Random, FirstDrawsForSeed1234SkipLargeOutputsRatherThanShiftingThem) {
    const int32_t expected[] = {822569775,  2137449171, 1880026316, 1170776343, 646980841,
                                1187404954, 852631582,  682106748,  498808182,  1536813498};
    seed_random(1234);
    for (int32_t e : expected) EXPECT_EQ(random_int(), e);
    EXPECT_EQ(random_draws(), 10u);
}

TEST(Random, SeedingRestartsTheSequenceAndTheCounter) {
    seed_random(77);
    std::vector<int32_t> first;
    for (int i = 0; i < 1000; i++) first.push_back(random_int());
    seed_random(77);
    EXPECT_EQ(random_draws(), 0u);
    for (int i = 0; i < 1000; i++) ASSERT_EQ(random_int(), first[i]) << "draw " << i;
    for (int32_t v : first) ASSERT_GE(v, 0);
}

// Two threads drawing at once must between them take exactly the values one thread would
// have taken: none lost, none repeated, the count exact.
TEST(Random, ConcurrentDrawsShareOneSequenceWithoutLossOrRepeats) {
    const int per_thread = 50000;
    seed_random(4321);
    std::vector<int32_t> serial;
    for (int i = 0; i < 2 * per_thread; i++) serial.push_back(random_int());

    seed_random(4321);
    std::vector<int32_t> a, b;
    std::thread ta([&] {
        for (int i = 0; i < per_thread; i++) a.push_back(random_int());
    });
    std::thread tb([&] {
        for (int i = 0; i < per_thread; i++) b.push_back(random_int());
    });
    ta.join();
    tb.join();
    EXPECT_EQ(random_draws(), static_cast<uint64_t>(2 * per_thread));

    std::vector<int32_t> both(a);
    both.insert(both.end(), b.begin(), b.end());
    std::sort(both.begin(), both.end());
    std::sort(serial.begin(), serial.end());
    EXPECT_EQ(both, serial);
}

// A replay skips the audio thread's draws by count: the stream must stand exactly where that
// many draws would have left it, rejected engine outputs included.
TEST(Random, SkippingTakesWhatSoManyDrawsWouldTake) {
    seed_random(1234);
    std::vector<int32_t> serial;
    for (int i = 0; i < 5000; i++) serial.push_back(random_int());
    seed_random(1234);
    random_int();
    skip_random(3000);
    skip_random(0);
    EXPECT_EQ(random_draws(), 3001u);
    EXPECT_EQ(random_int(), serial[3001]);
}

// In a journey's playback the mixer draws from a stream of its own: the shared stream, and
// every other thread, must not feel it.
TEST(Random, AThreadOnItsOwnStreamLeavesTheSharedOneAlone) {
    seed_random(4321);
    std::vector<int32_t> serial;
    for (int i = 0; i < 100; i++) serial.push_back(random_int());
    seed_random(4321);
    seed_own_random(4321);
    std::vector<int32_t> own;
    std::thread mixer([&] {
        draw_own_random(true);
        for (int i = 0; i < 50; i++) own.push_back(random_int());
        int32_t batch[50];
        random_ints(batch, 50);
        own.insert(own.end(), batch, batch + 50);
        EXPECT_EQ(random_draws(), 100u);
    });
    mixer.join();
    EXPECT_EQ(random_draws(), 0u);
    EXPECT_EQ(own, serial); // the same engine and rule, seeded alike
    for (int i = 0; i < 100; i++) ASSERT_EQ(random_int(), serial[i]) << "draw " << i;
}
