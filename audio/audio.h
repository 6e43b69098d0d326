// The audio device: opened at start-up, closed at shutdown.
#pragma once

void audio_init();
void audio_shutdown();
