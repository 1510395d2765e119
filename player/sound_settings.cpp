#include "player/sound_settings.h"

#include <allegro.h>

int volume = 0;
int mp3oggbuffer = 0;
int it_buffer_size = 0;
int it_sound_freq = 0;
int it_resampling = 0;

const SOUND_SETTING SOUND_SETTINGS[SOUND_SETTING_COUNT] = {
   {"volume", &volume, 255},
   {"mp3oggbuffer", &mp3oggbuffer, 32},
   {"it_buffer_size", &it_buffer_size, 16},
   {"it_sound_freq", &it_sound_freq, 22050},
   {"it_resampling", &it_resampling, 1},
};

void read_sound_settings()
{
   for (const SOUND_SETTING &s : SOUND_SETTINGS)
      *s.value = get_config_int(SOUND_SECTION, s.key, s.default_value);
}
