#include "player/engine.h"

#include <allegro.h>

#include <cstdlib>
#include <ctime>

int song_playing = 0;
int backend_kind = BACKEND_NONE;

int player_init()
{
   std::srand(static_cast<unsigned>(std::time(nullptr)));
   set_volume_per_voice(2);
   reserve_voices(32, 16);
   int result = install_sound(DIGI_AUTODETECT, MIDI_AUTODETECT, nullptr) == 0 ? 0 : PLAYER_NO_SOUND;
   read_sound_settings();
   return result;
}

void player_exit()
{
   remove_sound();
   remove_timer();
}
