// The plants' bracketed texts, grown by rewriting; shared by the game and the headless driver.
#pragma once

constexpr int PLANT_TEXT_SIZE = 4096; // at most 4095 symbols and the terminator
constexpr int NUM_PLANT_KINDS = 10;

// The ten grown texts, one per plant kind, kept for the turtle that draws them.
extern char plant_texts[NUM_PLANT_KINDS][PLANT_TEXT_SIZE];

// One rewriting pass in place: every P becomes s, a rule chosen by rand() % 3, then P.
void rewrite_plant(char *text);
// "P" rewritten random_int() % 3 + 1 times: one draw of the shared source, then rand()'s.
void grow_plant_text(char *text);
// All ten plant_texts in kind order, as the game's start-up grows them.
void grow_plant_texts();
