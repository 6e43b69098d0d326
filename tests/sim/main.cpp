// The simulation tests' entry: the audio tables exist, as they do when the game ticks.
#include <gtest/gtest.h>

#include "audio/audio.h"

int main(int argc, char **argv) {
    testing::InitGoogleTest(&argc, argv);
    audio_prepare();
    int result = RUN_ALL_TESTS();
    audio_release();
    return result;
}
