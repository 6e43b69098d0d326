// The event log behind event_log.h: an observer of sound_event.
#include "event_log/event_log.h"

#include "audio/sound.h"

std::vector<LoggedEvent> logged_events;

static void log_event(int32_t id, float x, float y, float z, float amount, int32_t note) {
    logged_events.push_back({id, x, y, z, amount, note});
}

void start_event_log() {
    logged_events.clear();
    sound_event_observer = log_event;
}

void stop_event_log() {
    sound_event_observer = nullptr;
}
