// Shared by the module tests: module files on disk, DUMB's own rendering of a
// song as the reference, and a watch on the audio stream our player feeds.
#pragma once

#include "capture_sound.h"
#include "module_writer.h"
#include "temp_dir.h"

#include "player/dumb_glue.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace kstr::test {

// Interleaved stereo, unsigned 16-bit: what the player hands to Allegro.
using Pcm = std::vector<uint16_t>;

// Writes the module as <stem>.<extension> into `dir`; returns its path.
std::string write_module_file(const TempDir &dir, ModuleFormat format, const ModuleSong &song = {},
                              const std::string &stem = "song");

// Loads with the loader of the format, through whatever file system DUMB has
// registered.
DuhPtr load_module_file(ModuleFormat format, const std::string &path);

// The song from `pos` (1/65536 s) to its end, rendered by DUMB alone in
// steps of 64 frames at the current resampling quality, its 24-bit samples
// rounded to 16 bits and made unsigned.
Pcm reference_render(DUH *duh, int freq, long pos = 0);

// The right channel a stereo Pcm comes out as on the capture driver's exact
// channel (pan 128, set_volume_per_voice(0)), frames [from, to).
std::vector<int16_t> expected_right(const Pcm &pcm, size_t from = 0, size_t to = SIZE_MAX);

// Equality that says where two signals part instead of printing them.
template <class T> testing::AssertionResult same_signal(const std::vector<T> &got, const std::vector<T> &want)
{
   if (got == want)
      return testing::AssertionSuccess();
   size_t at = 0;
   while (at < got.size() && at < want.size() && got[at] == want[at])
      ++at;
   return testing::AssertionFailure() << got.size() << " values against " << want.size()
                                      << ", first difference at " << at;
}

template <class T> std::vector<T> slice(const std::vector<T> &v, size_t from, size_t to = SIZE_MAX)
{
   to = std::min(to, v.size());
   from = std::min(from, to);
   return std::vector<T>(v.begin() + static_cast<long>(from), v.begin() + static_cast<long>(to));
}

// Watches a player's stream as the engine would drive it: polls until the
// stream takes no more, then pulls one mixer block (gap-free, see
// capture_sound.h). Records every buffer the player handed over, in order,
// and the right channel heard from the stream's start on (frames mixed
// before it are left out).
class StreamWatch {
public:
   // The player has just started or seeked: its whole stream counts as
   // handed over.
   explicit StreamWatch(AL_DUH_PLAYER *dp);
   // Rebinds after a seek, which gives the player a fresh stream.
   void restart();
   // One poll; false once it reports the end.
   bool poll();
   void pull();
   // Poll and pull until the end; the frames heard when the end was seen
   // (-1 if it never came within max_frames).
   long play_to_end(long max_frames);
   // Poll and pull until at least `frames` have been heard.
   void play_until(long frames);

   AL_DUH_PLAYER *player;
   // What one engine poll runs; true while the song goes on.
   std::function<bool()> poller = [this] { return al_poll_duh(player) == 0; };
   Pcm handed;
   std::vector<int16_t> heard; // right channel

private:
   void take_buffers(int from, int count);
   int skip_ = 0;
};

}
