// The driver's JSON: floats as %.9g, so every single-precision value reads back exactly.
#include "headless/trace.h"

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

static const char *truth(bool b) {
    return b ? "true" : "false";
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

// The keys every trace line has, in their fixed order, without the braces.
static void put_trace_keys(FILE *f, uint64_t tick) {
    std::fprintf(f, "\"tick\":%llu,\"draws\":%llu,\"stage\":%d,\"fade\":%.9g,",
                 static_cast<unsigned long long>(tick),
                 static_cast<unsigned long long>(random_draws()), stage, static_cast<double>(fade));
    std::fprintf(f, "\"restart_pending\":%s,\"ending\":%s,\"quit\":%s,", truth(restart_pending),
                 truth(ending), truth(quit_requested));
    const float boat[4] = {boat_x, boat_y, boat_heading, boat_bob};
    const float row[2] = {row_vx, row_vy}, drift[2] = {drift_vx, drift_vy};
    const float house[2] = {lighthouse_x, lighthouse_y};
    const float chaser[4] = {chaser_active ? 1.0f : 0.0f, chaser_x, chaser_y,
                             static_cast<float>(chaser_ramp)};
    std::fputs("\"boat\":", f), put_floats(f, boat, 4);
    std::fputs(",\"row_v\":", f), put_floats(f, row, 2);
    std::fputs(",\"drift_v\":", f), put_floats(f, drift, 2);
    std::fprintf(f,
                 ",\"turn_rate\":%.9g,\"oar_sweep\":%.9g,\"steer\":%.9g,"
                 "\"steer_deflection\":%.9g,",
                 static_cast<double>(turn_rate), static_cast<double>(oar_sweep),
                 static_cast<double>(steer), static_cast<double>(steer_deflection));
    std::fputs("\"lighthouse\":", f), put_floats(f, house, 2);
    std::fputs(",\"chaser\":", f), put_floats(f, chaser, 4);
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
static void put_objects(FILE *f) {
    std::fputs(",\"plants\":[", f);
    for (size_t i = 0; i < plants.size(); i++) {
        const Plant &p = plants[i];
        std::fprintf(f, "%s[%.9g,%.9g,%.9g,%.9g,%d]", i ? "," : "", double(p.x), double(p.y),
                     double(p.target_x), double(p.target_y), p.kind);
    }
    std::fputs("],\"lights\":[", f);
    for (size_t i = 0; i < lights.size(); i++) {
        const Light &l = lights[i];
        const float v[6] = {l.x, l.y, l.z, l.target_x, l.target_y, l.target_z};
        std::fputs(i ? ",[" : "[", f);
        for (float x : v) std::fprintf(f, "%.9g,", double(x));
        std::fprintf(f, "%s]", truth(l.emit));
    }
    std::fputs("],\"babies\":[", f);
    for (size_t i = 0; i < babies.size(); i++) {
        const Baby &b = babies[i];
        std::fprintf(f, "%s[%.9g,%.9g,%.9g,%.9g,%.9g,%.9g,%d]", i ? "," : "", double(b.x),
                     double(b.y), double(b.z), double(b.vx), double(b.vy), double(b.vz), b.swell);
    }
    std::fputs("],\"walls\":[", f);
    for (size_t i = 0; i < walls.size(); i++) {
        const Wall &w = walls[i];
        const float v[8] = {w.a_x,      w.a_y,      w.b_x,      w.b_y,
                            w.a_goal_x, w.a_goal_y, w.b_goal_x, w.b_goal_y};
        std::fputs(i ? "," : "", f), put_floats(f, v, 8);
    }
    std::fputs("],\"sparks\":[", f);
    bool first = true;
    for (const Spark &s : sparks) {
        std::fprintf(f, "%s[%d,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g,%s,%.9g,%.9g]", first ? "" : ",",
                     s.kind, double(s.x), double(s.y), double(s.z), double(s.vx), double(s.vy),
                     double(s.vz), truth(s.dead), double(s.size), double(s.glow));
        first = false;
    }
    std::fputc(']', f);
}

void write_state(FILE *f, uint64_t tick) {
    std::fputc('{', f);
    put_trace_keys(f, tick);
    std::fputs(",\"sea_height\":", f);
    put_floats(f, sea_height, SEA_SIZE * SEA_SIZE);
    std::fputs(",\"sea_velocity\":", f);
    put_floats(f, sea_velocity, SEA_SIZE * SEA_SIZE);
    put_objects(f);
    std::fputs("}\n", f);
}
