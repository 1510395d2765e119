// A digital sound driver whose voices are Allegro's own software mixer: the
// sound output driver and the tests' capture driver are both made this way,
// and differ only in how the mixed blocks leave (a device, or a test).
//
// Contract: the parts given are the driver's own; every voice operation is
// the mixer's, except start_voice when one is given (it must call
// _mixer_start_voice itself). init must call _mixer_init, exit _mixer_exit.
#pragma once

#include <allegro.h>
#include <allegro/internal/aintern.h>

struct MIXER_DIGI_PARTS {
   int id;
   const char *name;
   const char *desc;
   int (*detect)(int input);
   int (*init)(int input, int voices);
   void (*exit)(int input);
   // Frames mixed at a time; audio streams size their buffers from it.
   int (*buffer_size)();
   void (*start_voice)(int voice);
};

inline DIGI_DRIVER mixer_digi_driver(const MIXER_DIGI_PARTS &parts)
{
   return {
      parts.id,
      parts.name,
      parts.desc,
      parts.name,
      0,
      0,
      MIXER_MAX_SFX,
      MIXER_DEF_SFX,
      parts.detect,
      parts.init,
      parts.exit,
      nullptr,
      nullptr,
      nullptr,
      nullptr,
      parts.buffer_size,
      _mixer_init_voice,
      _mixer_release_voice,
      parts.start_voice ? parts.start_voice : _mixer_start_voice,
      _mixer_stop_voice,
      _mixer_loop_voice,
      _mixer_get_position,
      _mixer_set_position,
      _mixer_get_volume,
      _mixer_set_volume,
      _mixer_ramp_volume,
      _mixer_stop_volume_ramp,
      _mixer_get_frequency,
      _mixer_set_frequency,
      _mixer_sweep_frequency,
      _mixer_stop_frequency_sweep,
      _mixer_get_pan,
      _mixer_set_pan,
      _mixer_sweep_pan,
      _mixer_stop_pan_sweep,
      _mixer_set_echo,
      _mixer_set_tremolo,
      _mixer_set_vibrato,
      0,
      0,
      nullptr,
      nullptr,
      nullptr,
      nullptr,
      nullptr,
      nullptr,
   };
}
