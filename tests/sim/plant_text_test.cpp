// The plants' texts: rewriting by the three rules, the length guard, and growth's draws.
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

#include "base/random.h"
#include "plant_grammar/plant_grammar.h"

static int count_p(const char *s) {
    int n = 0;
    for (; *s; s++) n += *s == 'P';
    return n;
}

TEST(PlantText, APBecomesSARuleAndPChosenByRand) {
    static const char *const grown[] = {"ss[ffuP]sr[bbP]rrrrsP", "ss[fP]lllsP",
                                        "ss[fddP]l[buP]llllllsP"};
    for (unsigned seed : {1u, 2u, 3u, 4u, 5u}) {
        std::srand(seed);
        int rule = std::rand() % 3;
        std::srand(seed);
        char text[PLANT_TEXT_SIZE] = "P";
        rewrite_plant(text);
        EXPECT_STREQ(text, grown[rule]) << seed;
    }
}

TEST(PlantText, OnlyPsChangeOneRandPerPInReadingOrder) {
    std::srand(11);
    int first = std::rand() % 3, second = std::rand() % 3;
    int after = std::rand();
    static const char *const rules[] = {"s[ffuP]sr[bbP]rrrrs", "s[fP]llls", "s[fddP]l[buP]llllls"};
    std::string want = std::string("u[s") + rules[first] + "P]ls" + rules[second] + "Pd";
    std::srand(11);
    char text[PLANT_TEXT_SIZE] = "u[P]lPd";
    rewrite_plant(text);
    EXPECT_EQ(want, text);
    EXPECT_EQ(std::rand(), after);

    char plain[PLANT_TEXT_SIZE] = "ss[fu]lrbd";
    rewrite_plant(plain);
    EXPECT_STREQ(plain, "ss[fu]lrbd");
}

TEST(PlantText, APIsCopiedWithoutADrawWhenTheLongestGrowthWouldNotFit) {
    std::srand(21);
    std::rand();
    int second = std::rand();
    std::srand(21);
    char text[PLANT_TEXT_SIZE];
    // 4070 symbols with a P at each end: the first P has room (4070 + 20 <= 4095); after it
    // has grown, the last P no longer does.
    std::memset(text, 's', 4070);
    text[0] = 'P';
    text[4069] = 'P';
    text[4070] = '\0';
    rewrite_plant(text);
    size_t len = std::strlen(text);
    EXPECT_LE(len, 4095u);
    EXPECT_EQ(text[len - 1], 'P');
    EXPECT_EQ(text[len - 2], 's');
    EXPECT_EQ(std::rand(), second); // one draw only
}

// The tips that n passes make, by following rand() alone: rule 1 turns a P into two, the
// others into three, one draw per P in reading order.
static int tips_after(int passes) {
    int tips = 1;
    for (int i = 0; i < passes; i++) {
        int grown = 0;
        for (int k = 0; k < tips; k++) grown += std::rand() % 3 == 1 ? 2 : 3;
        tips = grown;
    }
    return tips;
}

TEST(PlantText, GrowthDrawsOnceAndMakesOneToThreePasses) {
    for (uint32_t seed = 1; seed <= 30; seed++) {
        seed_random(seed);
        int passes = random_int() % 3 + 1;
        seed_random(seed);
        std::srand(seed);
        char text[PLANT_TEXT_SIZE];
        grow_plant_text(text);
        EXPECT_EQ(random_draws(), 1u);
        int tips = count_p(text);
        std::srand(seed);
        EXPECT_EQ(tips, tips_after(passes)) << seed;
        // Every pass turns each P into two or three.
        EXPECT_GE(tips, 1 << passes) << seed;
        int most = 1;
        for (int i = 0; i < passes; i++) most *= 3;
        EXPECT_LE(tips, most) << seed;
        EXPECT_LE(std::strlen(text), 261u);
    }
}

// Kind 0 first, each text grown whole before the next, from the same two sources.
TEST(PlantText, TheTenTextsGrowInKindOrder) {
    std::srand(7);
    seed_random(99);
    grow_plant_texts();
    EXPECT_EQ(random_draws(), 10u);
    std::srand(7);
    seed_random(99);
    for (int k = 0; k < NUM_PLANT_KINDS; k++) {
        char text[PLANT_TEXT_SIZE];
        grow_plant_text(text);
        EXPECT_STREQ(plant_texts[k], text) << k;
        EXPECT_GE(count_p(plant_texts[k]), 2) << k;
    }
}
