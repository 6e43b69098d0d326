// Growing the plants' texts.
#include "plant_grammar/plant_grammar.h"

#include <cstdlib>
#include <cstring>

#include "base/random.h"

char plant_texts[NUM_PLANT_KINDS][PLANT_TEXT_SIZE];

static const char *const plant_rules[] = {
    "s[ffuP]sr[bbP]rrrrs",
    "s[fP]llls",
    "s[fddP]l[buP]llllls",
};
constexpr int NUM_PLANT_RULES = 3;
static_assert(sizeof plant_rules / sizeof plant_rules[0] == NUM_PLANT_RULES,
              "one entry per plant rule");

// The most a single P can add: s, the longest rule and P again, in place of the P.
constexpr int LONGEST_GROWTH = 20;

// A P grows only while the text, with the rest of the old one still to come, keeps room
// for the longest growth; otherwise it is copied as it is and no rule is drawn.
void rewrite_plant(char *text) {
    char grown[PLANT_TEXT_SIZE];
    int old_len = static_cast<int>(std::strlen(text));
    int n = 0;
    for (int i = 0; i < old_len; i++) {
        char c = text[i];
        int rest = old_len - i;
        if (c != 'P' || n + rest + LONGEST_GROWTH > PLANT_TEXT_SIZE - 1) {
            grown[n++] = c;
            continue;
        }
        const char *rule = plant_rules[std::rand() % NUM_PLANT_RULES];
        int len = static_cast<int>(std::strlen(rule));
        grown[n++] = 's';
        std::memcpy(grown + n, rule, len);
        n += len;
        grown[n++] = 'P';
    }
    grown[n] = '\0';
    std::memcpy(text, grown, n + 1);
}

void grow_plant_text(char *text) {
    text[0] = 'P';
    text[1] = '\0';
    int passes = random_int() % 3 + 1;
    for (int i = 0; i < passes; i++) rewrite_plant(text);
}

void grow_plant_texts() {
    for (int k = 0; k < NUM_PLANT_KINDS; k++) grow_plant_text(plant_texts[k]);
}
