// Records the sound events the tick raises, in order, for the tests to inspect.
#pragma once

#include <cstdint>
#include <vector>

struct LoggedEvent {
    int32_t id;
    float x, y, z, amount;
    int32_t note;
};

extern std::vector<LoggedEvent> logged_events; // every event since start_event_log

void start_event_log(); // clears the log and starts listening
void stop_event_log();
