// The sound settings of section "dos": the engine's globals, their keys and
// defaults, in the order the settings are saved.
#pragma once

extern int volume;
extern int mp3oggbuffer;
extern int it_buffer_size;
extern int it_sound_freq;
extern int it_resampling;

struct SOUND_SETTING {
   const char *key;
   int *value;
   int default_value;
};

constexpr const char *SOUND_SECTION = "dos";
constexpr int SOUND_SETTING_COUNT = 5;
extern const SOUND_SETTING SOUND_SETTINGS[SOUND_SETTING_COUNT];

// Reads every sound setting from the current configuration.
void read_sound_settings();
