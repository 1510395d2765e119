#include "player/backend_module.h"

#include "player/backend.h"
#include "player/dumb_glue.h"
#include "player/engine.h"
#include "player/stream_buffer.h"

#include <allegro.h>
#include <strings.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

// In the order of the module type numbers, starting at MODULE_MOD.
const char *const MODULE_EXTENSIONS[] = {"MOD", "S3M", "IT", "XM", nullptr};

DUH *load_module(MODULE_TYPE type, const char *name)
{
   switch (type) {
   case MODULE_MOD: return dumb_load_mod(name);
   case MODULE_S3M: return dumb_load_s3m(name);
   case MODULE_IT: return dumb_load_it(name);
   case MODULE_XM: return dumb_load_xm(name);
   case MODULE_NONE: break;
   }
   return nullptr;
}

struct ModuleBackendState {
   DuhPtr duh;
   AlDuhPlayerPtr player;  // after duh: it is released first
   int poll_interval_ms = 0;
   bool dumb_exit_registered = false;
};
ModuleBackendState state;

// The key of an engine setting, from the one table reading and saving share.
const SOUND_SETTING &sound_setting(const int *variable)
{
   return *std::find_if(std::begin(SOUND_SETTINGS), std::end(SOUND_SETTINGS),
                        [variable](const SOUND_SETTING &s) { return s.value == variable; });
}

int read_setting(const int *variable, int default_value)
{
   return get_config_int(SOUND_SECTION, sound_setting(variable).key, default_value);
}

// What the loader will meet: the file missing or unreadable, or empty.
int check_readable(const char *name)
{
   const std::unique_ptr<PACKFILE, int (*)(PACKFILE *)> f(pack_fopen(name, F_READ), pack_fclose);
   if (!f)
      return SONG_OPEN_FAILED;
   return pack_getc(f.get()) == EOF ? SONG_EMPTY_FILE : SONG_OK;
}

void module_stop()
{
   state.player.reset();
   state.duh.reset();
}

int module_start(const char *name, const FILE_IMAGE *)
{
   module_stop();
   const MODULE_TYPE type = module_type_of(name);
   if (type == MODULE_NONE)
      return SONG_UNKNOWN_FORMAT;
   dumb_register_packfiles();
   const MODULE_SETTINGS settings = read_module_settings();
   dumb_resampling_quality = settings.resampling;
   if (!state.dumb_exit_registered) {
      std::atexit(dumb_exit);
      state.dumb_exit_registered = true;
   }
   // Allegro's null driver hands out voices that never play: a song there
   // would never end.
   if (!digi_driver || digi_driver->id == DIGI_NONE)
      return SONG_NO_SOUND;
   if (const int readable = check_readable(name); readable != SONG_OK)
      return readable;
   DuhPtr duh(load_module(type, name));
   if (!duh)
      return SONG_REFUSED;
   AlDuhPlayerPtr player(al_start_duh(duh.get(), 2, 0, 1.0f, settings.buffer_frames, settings.freq));
   if (!player)
      return SONG_NO_VOICE;
   state.duh = std::move(duh);
   state.player = std::move(player);
   state.poll_interval_ms = stream_poll_interval_ms(settings.buffer_frames, settings.freq);
   return SONG_OK;
}

// DUMB counts time in 1/65536 s.
double seconds(long units)
{
   return static_cast<double>(units) / 65536.0;
}

int module_poll()
{
   return al_poll_duh(state.player.get()) ? 0 : 1;
}

double module_position()
{
   const long pos = al_duh_get_position(state.player.get());
   return pos > 0 ? seconds(pos) : 0.0;
}

double module_length()
{
   return state.duh ? seconds(duh_get_length(state.duh.get())) : 0.0;
}

void module_pause(int paused)
{
   if (paused)
      al_pause_duh(state.player.get());
   else
      al_resume_duh(state.player.get());
}

void module_seek(double fraction)
{
   if (!state.duh)
      return;
   const double length = static_cast<double>(duh_get_length(state.duh.get()));
   al_duh_seek(state.player.get(), static_cast<long>(std::clamp(fraction, 0.0, 1.0) * length));
}

int module_poll_interval_ms()
{
   return state.poll_interval_ms;
}

}  // namespace

MODULE_SETTINGS read_module_settings()
{
   MODULE_SETTINGS s;
   s.resampling = read_setting(&it_resampling, sound_setting(&it_resampling).default_value);
   s.freq = std::clamp(read_setting(&it_sound_freq, sound_setting(&it_sound_freq).default_value), IT_SOUND_FREQ_MIN,
                       IT_SOUND_FREQ_MAX);
   s.buffer_frames =
      std::clamp(read_setting(&it_buffer_size, IT_BUFFER_SIZE_MODULE_DEFAULT), IT_BUFFER_SIZE_MIN, IT_BUFFER_SIZE_MAX) *
      1024;
   return s;
}

MODULE_TYPE module_type_of(const char *name)
{
   const char *extension = get_extension(name);
   for (int i = 0; MODULE_EXTENSIONS[i]; ++i)
      if (strcasecmp(extension, MODULE_EXTENSIONS[i]) == 0)
         return static_cast<MODULE_TYPE>(MODULE_MOD + i);
   return MODULE_NONE;
}

DUH *module_backend_duh()
{
   return state.duh.get();
}
AL_DUH_PLAYER *module_backend_player()
{
   return state.player.get();
}

const BACKEND module_backend = {
   BACKEND_MODULE,          MODULE_EXTENSIONS, false,        module_start, module_poll,
   module_position,         module_length,     module_pause, module_seek,  module_stop,
   module_poll_interval_ms,
};
