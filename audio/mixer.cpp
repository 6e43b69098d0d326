// The mixer: every output sample sums the live voices, the hiss and the growl loop.
#include "audio/mixer.h"

#include <cmath>
#include <cstring>

#include "audio/audio.h"
#include "audio/clips.h"
#include "audio/convert.h"
#include "sim/random.h"
#include "sim/state.h"

Voice *voices;
Voice *voices_tail;
std::mutex voice_lock;
uint32_t sample_clock;
std::atomic<float> row_noise{0.0f};
std::atomic<bool> growl_on{false};

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

// Every voice's sample, then the unlinking of those that have just played their last.
static int32_t sum_voices(int32_t s) {
    Voice *prev = nullptr;
    Voice *v = voices;
    while (v) {
        s = wrap16(s + render_voice(v));
        Voice *next = v->next;
        if (v->position >= voice_length(v)) {
            if (prev)
                prev->next = next;
            else
                voices = next;
            if (voices_tail == v)
                voices_tail = prev;
            delete v;
        } else {
            prev = v;
        }
        v = next;
    }
    return s;
}

// The oars' hiss is one-sided: 0 to 178.5 times its level.
static int32_t add_hiss(int32_t s) {
    int32_t b = random_int() & 255;
    float level = row_noise.load(std::memory_order_relaxed);
    s = wrap16(truncate_to_int(s + static_cast<double>(level) * b * static_cast<double>(0.7f)));
    row_noise.store(level * 0.99995f, std::memory_order_relaxed);
    return s;
}

// The growl follows sample_clock, so switching it on joins the loop wherever the clock stands.
// Closer than 0.1 units it is amplified; at distance 0 the term is not finite and adds nothing.
static int32_t add_growl(int32_t s) {
    if (!growl_on.load(std::memory_order_relaxed) || sample_clips.empty())
        return s;
    const SampleClip &clip = sample_clips[CLIP_GROWL];
    if (clip.length <= 0 || !clip.data)
        return s;
    Vec3 l = listener_pos.load();
    Vec3 g = growl_pos.load();
    double dx = static_cast<float>(l.x - g.x);
    double dy = static_cast<float>(l.y - g.y);
    double dz = static_cast<float>(l.z - g.z);
    float d2 = static_cast<float>(dx * dx + dy * dy + dz * dz);
    double d = std::sqrt(static_cast<double>(d2));
    int16_t v = clip.data[sample_clock % static_cast<uint32_t>(clip.length)];
    return wrap16(s + truncate_to_int(static_cast<double>(0.1f) / d * v));
}

static int16_t mix_one_sample() {
    if (sample_clock % MELODY_PERIOD == 0)
        melody_step();
    int32_t s = sum_voices(0);
    s = add_hiss(s);
    s = add_growl(s);
    sample_clock++;
    return wrap16(s);
}

void mix_samples(int16_t *out, int count) {
    std::lock_guard<std::mutex> hold(voice_lock);
    for (int i = 0; i < count; i++)
        out[i] = mix_one_sample();
}

// The same path for the device; the whole buffer is mixed under one hold of the lock, so an
// event's voices start together with the next buffer. The stream is bytes: filled in chunks.
void mix_audio(void *, Uint8 *stream, int len) {
    int count = len / 2;
    int16_t chunk[512];
    std::lock_guard<std::mutex> hold(voice_lock);
    for (int done = 0; done < count;) {
        int n = count - done < 512 ? count - done : 512;
        for (int i = 0; i < n; i++)
            chunk[i] = mix_one_sample();
        std::memcpy(stream + 2 * done, chunk, 2 * static_cast<size_t>(n));
        done += n;
    }
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
