// The module tests' tools: module files on disk, DUMB's own rendering of a
// song as the reference, and a watch on the audio stream the module backend
// feeds.
#pragma once

#include "module_writer.h"
#include "pcm_compare.h"
#include "temp_dir.h"

#include "player/dumb_glue.h"

#include <string>
#include <vector>

namespace kstr::test {

// Writes the module as <stem>.<extension> into `dir`; returns its path.
std::string write_module_file(const TempDir &dir, ModuleFormat format, const ModuleSong &song = {},
                              const std::string &stem = "song");

// The song from `pos` (1/65536 s) to its end, rendered by DUMB alone in
// steps of 64 frames at the current resampling quality, interleaved stereo
// rounded to signed 16 bits.
std::vector<int16_t> reference_render(DUH *duh, int freq, long pos = 0);

// Drives the module backend's live song as the engine would: a poll until
// the stream takes no more, then one mixer block (gap-free, see
// capture_sound.h). Records every buffer handed to Allegro (made signed),
// each poll result, and the right channel heard from the stream's start on.
class StreamWatch {
 public:
   StreamWatch() { restart(); }
   // Rebinds after a seek, which gives the player a fresh stream, handed
   // over whole.
   void restart();
   // One poll; false once the song has ended.
   bool poll();
   void pull();
   // Poll and pull until the end; the frames heard when it came (-1 if not
   // within max_frames).
   long play_to_end(long max_frames);
   void play_until(long frames);

   std::vector<int16_t> handed;
   std::vector<int16_t> heard;
   std::vector<int> polls;

 private:
   void take_buffers(int from, int count);
   int skip_ = 0;
};

}
