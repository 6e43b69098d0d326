// The mixer: every output sample sums the live voices, the hiss and the growl loop.
#include "audio/mixer.h"

#include <cmath>
#include <cstring>

#include "audio/audio.h"
#include "audio/clips.h"
#include "audio/convert.h"
#include "audio/listener.h"
#include "base/random.h"

Voice *voices;
Voice *voices_tail;
std::mutex voice_lock;
uint32_t sample_clock;
std::atomic<float> row_noise{0.0f};
std::atomic<bool> growl_on{false};
bool mixer_own_random;
SharedVec3 listener_pos;
SharedVec3 growl_pos;

void append_voice(Voice *v) {
    v->next = nullptr;
    if (voices_tail)
        voices_tail->next = v;
    else
        voices = v;
    voices_tail = v;
}

int count_voices() {
    int n = 0;
    for (Voice *v = voices; v; v = v->next) n++;
    return n;
}

// The voices are mixed a segment at a time: each voice that draws no random numbers adds its
// run of samples into voice_sums, which the per-sample pass then reads. Since the sum wraps
// modulo 2^16, the order of the additions does not matter; the noise voices stay in the
// per-sample pass so that the random draws keep their order (voices in list order, then the
// hiss). A segment never spans a melody step, so no voice starts in the middle of one.
static const int SEGMENT = 2048;
static int32_t voice_sums[SEGMENT]; // the sample-by-sample sum of a segment's other voices

static bool draws_per_sample(const Voice *v) {
    return v->waveform == WAVE_NOISE;
}

// A voice sounds once at least, and then until its position reaches its length.
static bool still_sounding(const Voice *v) {
    return v->position == 0 || v->position < voice_length(v);
}

static int samples_left(const Voice *v, int most) {
    if (!still_sounding(v)) return 0;
    uint32_t len = voice_length(v);
    uint32_t left = v->position < len ? len - v->position : 1;
    return left < static_cast<uint32_t>(most) ? static_cast<int>(left) : most;
}

static void unlink_finished() {
    Voice *prev = nullptr;
    Voice *v = voices;
    while (v) {
        Voice *next = v->next;
        if (v->position >= voice_length(v)) {
            if (prev)
                prev->next = next;
            else
                voices = next;
            if (voices_tail == v) voices_tail = prev;
            delete v;
        } else {
            prev = v;
        }
        v = next;
    }
}

// The oars' hiss is one-sided: 0 to 178.5 times its level. DRAW is the sample's random draw.
static int32_t add_hiss(int32_t s, int32_t draw) {
    int32_t b = draw & 255;
    float level = row_noise.load(std::memory_order_relaxed);
    s = wrap16(truncate_to_int(s + static_cast<double>(level) * b * static_cast<double>(0.7f)));
    row_noise.store(level * 0.99995f, std::memory_order_relaxed);
    return s;
}

// Where the growl loop stands in a segment, and its level for the last positions it was heard
// from: the positions change once a tick, so the distance is worked out again only then.
struct GrowlLoop {
    const int16_t *data; // clip 0's samples; null when the clip is empty or absent
    uint32_t length;     // clip 0's length in samples
    uint32_t at;         // sample_clock modulo length
    Vec3 listener;       // the listener's position factor was worked out for
    Vec3 source;         // and the growl's
    double factor;       // 0.1 / distance for those positions
    bool known;          // factor has been worked out
};

static GrowlLoop growl_loop_now() {
    GrowlLoop loop{};
    if (sample_clips.empty()) return loop;
    const SampleClip &clip = sample_clips[CLIP_GROWL];
    if (clip.length <= 0 || !clip.data) return loop;
    loop.data = clip.data;
    loop.length = static_cast<uint32_t>(clip.length);
    loop.at = sample_clock % loop.length;
    return loop;
}

static bool same_place(Vec3 a, Vec3 b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

// Closer than 0.1 units the growl is amplified; at distance 0 the term is not finite and adds
// nothing.
static double growl_factor(GrowlLoop *loop) {
    Vec3 l = listener_pos.load();
    Vec3 g = growl_pos.load();
    if (loop->known && same_place(l, loop->listener) && same_place(g, loop->source))
        return loop->factor;
    double dx = static_cast<float>(l.x - g.x);
    double dy = static_cast<float>(l.y - g.y);
    double dz = static_cast<float>(l.z - g.z);
    float d2 = static_cast<float>(dx * dx + dy * dy + dz * dz);
    double d = std::sqrt(static_cast<double>(d2));
    loop->listener = l;
    loop->source = g;
    loop->factor = static_cast<double>(0.1f) / d;
    loop->known = true;
    return loop->factor;
}

// The growl follows sample_clock, so switching it on joins the loop wherever the clock stands.
// Called once for every sample, sounding or not, to keep the loop in step with the clock.
static int32_t add_growl(int32_t s, GrowlLoop *loop) {
    if (!loop->data) return s;
    int16_t v = loop->data[loop->at];
    if (++loop->at == loop->length) loop->at = 0;
    if (!growl_on.load(std::memory_order_relaxed)) return s;
    return wrap16(s + truncate_to_int(growl_factor(loop) * v));
}

// Samples up to (not including) the next melody step or the clock's wrap to 0, at most WANTED.
static int segment_length(int wanted) {
    uint32_t most = static_cast<uint32_t>(wanted < SEGMENT ? wanted : SEGMENT);
    uint32_t to_step = MELODY_PERIOD - sample_clock % MELODY_PERIOD;
    uint32_t to_wrap = 0u - sample_clock; // 0 when the clock stands at 0: the wrap is far away
    if (to_step < most) most = to_step;
    if (to_wrap != 0 && to_wrap < most) most = to_wrap;
    return static_cast<int>(most);
}

static int32_t hiss_draws[SEGMENT]; // the hiss's draws for a segment without noise voices

// Without noise voices the hiss's draws are the only ones of the segment and are taken in one
// batch; with them every sample draws in turn: the noise voices in list order, then the hiss.
static void mix_segment(int16_t *out, int count) {
    bool any_noise = false;
    for (Voice *v = voices; v; v = v->next) {
        if (draws_per_sample(v))
            any_noise = true;
        else
            add_voice_run(v, voice_sums, samples_left(v, count));
    }
    if (!any_noise) random_ints(hiss_draws, count);
    GrowlLoop growl = growl_loop_now();
    for (int i = 0; i < count; i++) {
        int32_t s = wrap16(voice_sums[i]);
        voice_sums[i] = 0;
        if (any_noise) {
            for (Voice *v = voices; v; v = v->next)
                if (draws_per_sample(v) && still_sounding(v)) s = wrap16(s + render_voice(v));
        }
        s = add_hiss(s, any_noise ? random_int() : hiss_draws[i]);
        s = add_growl(s, &growl);
        sample_clock++;
        out[i] = wrap16(s);
    }
    unlink_finished();
}

// The melody steps before anything else of its sample, the very first sample included.
static void mix_locked(int16_t *out, int count) {
    for (int done = 0; done < count;) {
        if (sample_clock % MELODY_PERIOD == 0) melody_step();
        int n = segment_length(count - done);
        mix_segment(out + done, n);
        done += n;
    }
}

void mix_samples(int16_t *out, int count) {
    std::lock_guard<std::mutex> hold(voice_lock);
    mix_locked(out, count);
}

// The same path for the device; the whole buffer is mixed under one hold of the lock, so an
// event's voices start together with the next buffer. The stream is bytes: filled in chunks.
// The mixer's own stream is given back when the buffer is done: where the callback runs on the
// main thread (the browser), the world's next tick draws from the world's stream.
void mix_audio(void *, Uint8 *stream, int len) {
    int count = len / 2;
    int16_t chunk[512];
    draw_own_random(mixer_own_random); // chosen under SDL's audio lock, as every change of it
    {
        std::lock_guard<std::mutex> hold(voice_lock);
        for (int done = 0; done < count;) {
            int n = count - done < 512 ? count - done : 512;
            mix_locked(chunk, n);
            std::memcpy(stream + 2 * done, chunk, 2 * static_cast<size_t>(n));
            done += n;
        }
    }
    draw_own_random(false);
}

void drop_voices() {
    std::lock_guard<std::mutex> hold(voice_lock);
    while (voices) {
        Voice *next = voices->next;
        delete voices;
        voices = next;
    }
    voices_tail = nullptr;
}
