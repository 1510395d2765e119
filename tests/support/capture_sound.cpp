#include "capture_sound.h"

#include "allegro_env.h"
#include "digmid_patches.h"
#include "player/mixer_digi_driver.h"

#include <allegro.h>
#include <allegro/internal/aintern.h>
#include <allegro/platform/aintunix.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace kstr::test {

namespace {

constexpr int kDriverId = AL_ID('C', 'A', 'P', 'T');
constexpr int kDefaultFreq = 44100;

bool g_registered = false;
int g_wanted_freq = 0;  // 0: take "sound_freq" from the configuration
int g_rate = 0;         // rate of the installed mixer, 0 while not installed
std::vector<int16_t> g_surplus;

int capture_detect(int input)
{
   return input ? FALSE : TRUE;
}

int capture_init(int input, int voices)
{
   if (input)
      return -1;
   // install_sound has just read "sound_freq" into _sound_freq (-1 if absent).
   g_rate = g_wanted_freq > 0 ? g_wanted_freq : (_sound_freq > 0 ? _sound_freq : kDefaultFreq);
   _sound_freq = g_rate;
   _sound_bits = 16;
   _sound_stereo = TRUE;
   digi_driver->voices = voices;
   // The mixer counts its buffer in sample values, not frames.
   if (_mixer_init(kCaptureBlockFrames * 2, g_rate, TRUE, TRUE, &digi_driver->voices) != 0) {
      g_rate = 0;
      return -1;
   }
   g_surplus.clear();
   return 0;
}

void capture_exit(int input)
{
   if (input)
      return;
   _mixer_exit();
   g_rate = 0;
   g_surplus.clear();
}

// Audio streams size their double buffer from this: a stream shorter than
// one block gets enough buffers per half to cover a block.
int capture_buffer_size()
{
   return kCaptureBlockFrames;
}

// No background thread and no device: the mixer runs only in capture_pull.
DIGI_DRIVER g_driver =
   mixer_digi_driver({kDriverId, "Capture", "Test capture driver (software mixer, pulled on demand)", capture_detect,
                      capture_init, capture_exit, capture_buffer_size, nullptr});

bool install_with(int freq, int voices, int midi_id, int midi_voices)
{
   if (digi_driver && digi_driver->id == kDriverId && g_rate > 0) {
      if (freq == g_rate)
         return true;
      ADD_FAILURE() << "capture driver already runs at " << g_rate << " Hz, not " << freq;
      return false;
   }
   if (!register_capture_sound(freq))
      return false;
   reserve_voices(voices, midi_voices);
   if (install_sound(kDriverId, midi_id, nullptr) != 0) {
      ADD_FAILURE() << "install_sound with the capture driver failed: " << allegro_error;
      return false;
   }
   return true;
}

}

int capture_driver_id()
{
   return kDriverId;
}

bool register_capture_sound(int freq)
{
   if (!start_allegro())
      return false;
   g_wanted_freq = freq;
   if (!g_registered) {
      // Autodetected first, so code that installs sound itself gets it too.
      _unix_register_digi_driver(kDriverId, &g_driver, TRUE, 1);
      g_registered = true;
   }
   return true;
}

bool install_capture_sound(int freq, int voices)
{
   return install_with(freq, voices, MIDI_NONE, -1);
}

bool install_capture_sound_with_midi(int freq, int voices, int midi_voices)
{
   const std::string patches = digmid_patch_index();
   if (patches.empty() || !start_allegro())
      return false;
   set_config_string("sound", "patches", patches.c_str());
   if (!install_with(freq, voices, MIDI_DIGMID, midi_voices))
      return false;
   if (!midi_driver || midi_driver->id != MIDI_DIGMID) {
      ADD_FAILURE() << "install_sound did not take DIGMID";
      return false;
   }
   // midi_out program changes need every patch loaded up front.
   if (load_midi_patches() != 0) {
      ADD_FAILURE() << "DIGMID could not load the patches listed in " << patches;
      return false;
   }
   return true;
}

int capture_rate()
{
   return g_rate;
}

std::vector<int16_t> capture_pull(int frames)
{
   std::vector<int16_t> out;
   if (g_rate == 0) {
      ADD_FAILURE() << "capture_pull without the capture driver installed";
      return out;
   }
   const auto wanted = static_cast<std::size_t>(std::max(frames, 0)) * 2;
   while (g_surplus.size() < wanted) {
      const std::size_t at = g_surplus.size();
      g_surplus.resize(at + kCaptureBlockFrames * 2);
      _mix_some_samples(reinterpret_cast<uintptr_t>(g_surplus.data() + at), 0, TRUE);
   }
   const auto end = g_surplus.begin() + static_cast<std::ptrdiff_t>(wanted);
   out.assign(g_surplus.begin(), end);
   g_surplus.erase(g_surplus.begin(), end);
   return out;
}

int capture_surplus_frames()
{
   return static_cast<int>(g_surplus.size() / 2);
}

int16_t capture_expected(uint16_t fed)
{
   const int x = static_cast<int>(fed) - 0x8000;
   return static_cast<int16_t>(x > 0 ? x - 1 : x);
}

}
