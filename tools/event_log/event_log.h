// Records the sound events the game raises, in order, for the driver's trace and the tests.
#pragma once

#include <cstdint>
#include <vector>

struct LoggedEvent {
    int32_t id;
    float x, y, z, amount;
    int32_t note;
};

extern std::vector<LoggedEvent> logged_events; // every event since the log was last cleared

void start_event_log(); // clears the log and starts listening
void stop_event_log();
