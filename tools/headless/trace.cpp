// The driver's JSON: floats as %.9g, so every single-precision value reads back exactly.
#include "headless/trace.h"

#include <cstring>

#include "base/random.h"
#include "event_log/event_log.h"
#include "sim/state.h"

// The log holds the events raised since the last clear_events: this tick's.
void watch_events() {
    start_event_log();
    logged_events.reserve(1024);
}

void clear_events() {
    logged_events.clear();
}

static void put_floats(FILE *f, const float *v, int n) {
    std::fputc('[', f);
    for (int i = 0; i < n; i++) std::fprintf(f, i ? ",%.9g" : "%.9g", static_cast<double>(v[i]));
    std::fputc(']', f);
}

// A value as itself: a float as %.9g, an int in decimal, a bool as true or false; inside a
// scalar array (the chaser's) every value is a float, a bool 1 or 0.
static void put_value(FILE *f, FieldType type, const void *where, bool as_float) {
    switch (type) {
    case FIELD_FLOAT:
        std::fprintf(f, "%.9g", static_cast<double>(*static_cast<const float *>(where)));
        break;
    case FIELD_INT: {
        int32_t v = *static_cast<const int32_t *>(where);
        if (as_float)
            std::fprintf(f, "%.9g", static_cast<double>(static_cast<float>(v)));
        else
            std::fprintf(f, "%d", v);
        break;
    }
    case FIELD_BOOL: {
        bool b = *static_cast<const bool *>(where);
        std::fputs(as_float ? (b ? "1" : "0") : (b ? "true" : "false"), f);
        break;
    }
    }
}

static void put_events(FILE *f) {
    std::fputc('[', f);
    for (size_t i = 0; i < logged_events.size(); i++) {
        const LoggedEvent &e = logged_events[i];
        std::fprintf(f, "%s[%d,%.9g,%.9g,%.9g,%.9g,%d]", i ? "," : "", e.id,
                     static_cast<double>(e.x), static_cast<double>(e.y), static_cast<double>(e.z),
                     static_cast<double>(e.amount), e.note);
    }
    std::fputc(']', f);
}

static bool same_key(int i, int j) {
    return j >= 0 && j < NUM_STATE_FIELDS && !std::strcmp(state_fields[i].key, state_fields[j].key);
}

// The loose variables under their keys, neighbours sharing a key as one array.
static void put_scalars(FILE *f) {
    for (int i = 0; i < NUM_STATE_FIELDS; i++) {
        const StateField &v = state_fields[i];
        if (!*v.key) continue;
        bool array = same_key(i, i - 1) || same_key(i, i + 1);
        if (!same_key(i, i - 1)) std::fprintf(f, ",\"%s\":%s", v.key, array ? "[" : "");
        if (same_key(i, i - 1)) std::fputc(',', f);
        put_value(f, v.type, v.where, array);
        if (array && !same_key(i, i + 1)) std::fputc(']', f);
    }
}

// The keys every trace line has, in their fixed order, without the braces.
static void put_trace_keys(FILE *f, uint64_t tick) {
    std::fprintf(f, "\"tick\":%llu,\"draws\":%llu", static_cast<unsigned long long>(tick),
                 static_cast<unsigned long long>(random_draws()));
    put_scalars(f);
    std::fprintf(f, ",\"counts\":[%zu,%zu,%zu],\"events\":", babies.size(), walls.size(),
                 sparks.size());
    put_events(f);
}

void write_trace_line(FILE *f, uint64_t tick) {
    std::fputc('{', f);
    put_trace_keys(f, tick);
    std::fputs("}\n", f);
}

// Each record as a list of its fields, in their declared order.
template <class List>
static void put_records(FILE *f, const char *key, const List &list, const RecordField *fields,
                        int n) {
    std::fprintf(f, ",\"%s\":[", key);
    bool first = true;
    for (const auto &record : list) {
        std::fputs(first ? "[" : ",[", f);
        for (int i = 0; i < n; i++) {
            if (i) std::fputc(',', f);
            put_value(f, fields[i].type, reinterpret_cast<const char *>(&record) + fields[i].offset,
                      false);
        }
        std::fputc(']', f);
        first = false;
    }
    std::fputc(']', f);
}

void write_state(FILE *f, uint64_t tick) {
    std::fputc('{', f);
    put_trace_keys(f, tick);
    visit_world(
        [f](const char *key, StatePart, const float *grid, int cells) {
            std::fprintf(f, ",\"%s\":", key);
            put_floats(f, grid, cells);
        },
        [f](const char *key, StatePart, const auto &list, const RecordField *fields, int n) {
            put_records(f, key, list, fields, n);
        });
    std::fputs("}\n", f);
}
