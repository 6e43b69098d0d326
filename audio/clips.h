// The recorded sounds: loaded from WAV files at start-up, converted to the device format.
#pragma once

#include <cstdint>
#include <vector>

enum ClipId { CLIP_GROWL = 0, CLIP_BABY = 1, NUM_CLIPS };

struct SampleClip {
    int32_t length; // 16-bit samples in data; 0 for an empty clip
    int16_t *data;  // owned mono 44100 Hz samples; null for an empty clip
};

extern std::vector<SampleClip> sample_clips; // clip 0 growl, clip 1 baby; failed loads stay, empty

// Loads "<data_root>/samples/<name>.wav" as signed 16-bit mono 44100 Hz. A file that is missing,
// damaged, cut short or holds no samples gives an empty clip and one line on standard error,
// "Couldn't load PATH: REASON".
SampleClip load_clip(const char *name);
void load_clips(); // appends every named clip in id order, failed ones too
void free_clips(); // frees every clip's data and empties the table

// Sample n of a clip, or 0 past its end or for an empty or absent clip.
int16_t clip_sample(int clip, uint32_t n);
