// The two threads: the game thread raises every event and moves the listener and the growl
// while a real SDL device (the dummy driver) runs the mixer on its own thread. Run under
// ThreadSanitizer (VELMOOR_TSAN) this must report nothing.
#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <unistd.h>

#include "audio/audio.h"
#include "audio/clips.h"
#include "audio/listener.h"
#include "audio/mixer.h"
#include "audio/sound.h"
#include "base/random.h"

static uint32_t mixed_so_far() {
    std::lock_guard<std::mutex> hold(voice_lock);
    return sample_clock;
}

TEST(AudioThreads, GameThreadRaisesEventsWhileTheDeviceMixes) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    char here[4096];
    ASSERT_NE(getcwd(here, sizeof here), nullptr);
    ASSERT_EQ(chdir(VELMOOR_SOURCE_DIR), 0); // our recordings, so the growl and cry really play
    seed_random(77);
    audio_init();
    ASSERT_EQ(chdir(here), 0);
    ASSERT_EQ(SDL_GetAudioStatus(), SDL_AUDIO_PLAYING);

    // Keep raising events until the device has mixed eight buffers; bounded at 2000 rounds
    // of 5 ms, far more than eight buffers of 46 ms need.
    uint32_t start = mixed_so_far();
    int rounds = 0;
    for (; rounds < 2000 && mixed_so_far() - start < 8 * 2048; rounds++) {
        float p = static_cast<float>(rounds % 40);
        listener_pos.store(p, -p, 0.0f);
        growl_pos.store(p * 0.5f, 3.0f, 0.0f);
        for (int32_t id = 0; id < NUM_SOUND_EVENTS; id++)
            if (id != SOUND_RESTARTED || rounds % 10 == 9)
                sound_event(id, p, 0.0f, 0.0f, 0.01f, rounds % 7);
        random_int(); // the tick's own draws, racing the mixer's
        SDL_Delay(5);
    }
    EXPECT_GE(mixed_so_far() - start, 8u * 2048u)
        << "the device mixed too little in " << rounds << " rounds";
    audio_shutdown();
    EXPECT_EQ(voices, nullptr);
    EXPECT_TRUE(sample_clips.empty());
    SDL_Quit();
}

// The game runs each tick under SDL's audio lock, the lock the device's thread holds around the
// callback: the tick's events take voice_lock inside it, as the callback does (SDL's lock, then
// voice_lock, then the engine's), so nothing deadlocks, and the mixer's draws (the hiss, the
// melody, the noise voices) all fall between two ticks, never inside one.
TEST(AudioThreads, TheMixerNeverDrawsInsideATickHeldUnderTheAudioLock) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    seed_random(78);
    audio_init();
    ASSERT_EQ(SDL_GetAudioStatus(), SDL_AUDIO_PLAYING);
    const uint64_t tick_draws = 2u + 1 + 3 + 3 + 3 + 3 + 2 + 1 + 1 + 8 + 1;
    uint32_t start = mixed_so_far();
    uint64_t last = random_draws(), between = 0;
    int rounds = 0;
    for (; rounds < 2000 && mixed_so_far() - start < 8 * 2048; rounds++) {
        SDL_LockAudio();
        uint64_t before = random_draws();
        for (int32_t id = 0; id < NUM_SOUND_EVENTS; id++)
            if (id != SOUND_RESTARTED || rounds % 10 == 9)
                sound_event(id, 1.0f, 0.0f, 0.0f, 0.01f, 2);
        SDL_Delay(2); // long enough for the device to want its next buffer now and then
        random_int();
        uint64_t inside = random_draws() - before;
        SDL_UnlockAudio();
        ASSERT_EQ(inside, tick_draws) << "the mixer drew inside tick " << rounds;
        between += before - last;
        last = before + inside;
        SDL_Delay(3);
    }
    EXPECT_GE(mixed_so_far() - start, 8u * 2048u)
        << "the device mixed too little in " << rounds << " rounds";
    EXPECT_GT(between, 8u * 2048u); // the hiss alone draws once a sample, between the ticks
    audio_shutdown();
    SDL_Quit();
}

// With no device at all the game goes on silently: events still draw their random numbers,
// but their voices do not pile up where no mixer will ever free them.
TEST(AudioThreads, NoDeviceKeepsNoVoices) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    testing::internal::CaptureStderr();
    audio_init();
    testing::internal::GetCapturedStderr();
    seed_random(3);
    for (int32_t id = 0; id < NUM_SOUND_EVENTS; id++) sound_event(id, 0, 0, 0, 0.5f, 2);
    EXPECT_EQ(random_draws(), 2u + 1 + 3 + 3 + 3 + 3 + 2 + 1 + 1 + 8);
    {
        std::lock_guard<std::mutex> hold(voice_lock);
        EXPECT_EQ(count_voices(), 0);
    }
    audio_shutdown();
    SDL_Quit();
    unsetenv("SDL_AUDIODRIVER");
}
