// The shell's two rules: what the command line asks for, and how wall time becomes ticks.
#include <gtest/gtest.h>

#include "app/shell.h"

static bool windowed_for(std::vector<const char *> args) {
    std::vector<char *> argv{const_cast<char *>("velmoor")};
    for (const char *a : args) argv.push_back(const_cast<char *>(a));
    return command_line_windowed(static_cast<int>(argv.size()), argv.data());
}

TEST(CommandLine, OnlyNonBlankTextAsksForAWindow) {
    EXPECT_FALSE(windowed_for({}));
    EXPECT_FALSE(windowed_for({""}));
    EXPECT_FALSE(windowed_for({"   "}));
    EXPECT_FALSE(windowed_for({" ", "\t", ""}));
    EXPECT_TRUE(windowed_for({"w"}));
    EXPECT_TRUE(windowed_for({"  --fullscreen"})); // any text at all, whatever it says
    EXPECT_TRUE(windowed_for({"", "x"}));
}

TEST(TickAccounting, ShortFramesCarryTheirTimeIntoTheNext) {
    uint32_t acc = 0;
    EXPECT_EQ(take_due_ticks(1024, 1000, acc), 0u);
    EXPECT_EQ(acc, 24u);
    EXPECT_EQ(take_due_ticks(1048, 1024, acc), 1u);
    EXPECT_EQ(acc, 23u);
    EXPECT_EQ(take_due_ticks(1050, 1048, acc), 1u);
    EXPECT_EQ(acc, 0u);
}

TEST(TickAccounting, AStallRunsEveryMissedTickAtOnce) {
    uint32_t acc = 0;
    EXPECT_EQ(take_due_ticks(12000, 10000, acc), 80u);
    EXPECT_EQ(acc, 0u);
    acc = 24;
    EXPECT_EQ(take_due_ticks(10001, 10000, acc), 1u);
    EXPECT_EQ(acc, 0u);
}

TEST(TickAccounting, TheMillisecondCounterWrappingAroundIsHarmless) {
    uint32_t acc = 3;
    EXPECT_EQ(take_due_ticks(10u, 0xFFFFFFF0u, acc), 1u); // 26 ms across the wrap, +3 carried
    EXPECT_EQ(acc, 4u);
}

TEST(TickAccounting, OverTimeExactlyOneTickRunsPer25Milliseconds) {
    uint32_t acc = 0, last = 0xFFFFF000u, total = 0;
    for (uint32_t frame = 1; frame <= 5000; frame++) {
        uint32_t now = last + 1 + (frame * 7919) % 37; // uneven frame times
        total += take_due_ticks(now, last, acc);
        ASSERT_LT(acc, 25u);
        last = now;
    }
    uint32_t elapsed = last - 0xFFFFF000u;
    EXPECT_EQ(total, elapsed / 25);
    EXPECT_EQ(acc, elapsed % 25);
}
