// Decoding a whole MP3 file into one Allegro sample.
#include "streams/mp3_player.h"

#include "streams/mp3_player_record.h"

#include <allegro.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace {

using namespace kstr::mp3;

struct SampleDestroyer {
   void operator()(SAMPLE *sample) const { destroy_sample(sample); }
};

// Room for the frames the file claims, with one more for an encoder that does
// not count its own Xing frame; a lying count is bounded by the data's size.
size_t expected_pcm_bytes(const MP3_PLAYER &p)
{
   const int64_t by_size = int64_t{p.data_len} / p.frame_bytes * 2 + 1;
   const int64_t frames = std::clamp<int64_t>(p.total_frames, 0, by_size) + 1;
   return static_cast<size_t>(frames * p.pcm_frame_bytes);
}

// Decodes every frame from the first, including those still queued in the
// decoder when the input runs out. False when resynchronisation fails.
bool decode_all(MP3_PLAYER &p, std::vector<uint8_t> &pcm)
{
   size_t filled = 0;
   const auto frame_room = static_cast<size_t>(p.pcm_frame_bytes);
   for (;;) {
      pcm.resize(filled + frame_room);
      uint8_t *out = pcm.data() + filled;
      int bytes = 0;
      if (!at_end(p)) {
         bytes = step_frame(p, out, p.pcm_frame_bytes, false);
         if (bytes < 0)
            return false;
      } else {
         bytes = drain_queued_frame(p, out, p.pcm_frame_bytes);
         if (bytes == 0)
            break;
      }
      filled += static_cast<size_t>(bytes);
   }
   pcm.resize(filled);
   return true;
}

}

SAMPLE *mp3_player_make_sample(MP3_PLAYER *player)
{
   if (!player)
      return nullptr;
   MP3_PLAYER &p = *player;
   mp3_player_stop(player);
   rewind_to_start(p);
   p.decoder.reset();
   p.resync = 0;

   std::vector<uint8_t> pcm;
   bool decoded = false;
   try {
      pcm.reserve(expected_pcm_bytes(p));
      decoded = decode_all(p, pcm);
   } catch (const std::bad_alloc &) {
      decoded = false;
   }
   rewind_to_start(p);
   const int frame_bytes = sample_frame_bytes(p);
   if (!decoded || pcm.size() < static_cast<size_t>(frame_bytes))
      return nullptr;

   const auto length = static_cast<int>(std::min<size_t>(pcm.size() / static_cast<size_t>(frame_bytes), INT_MAX));
   std::unique_ptr<SAMPLE, SampleDestroyer> sample(create_sample(p.bits, p.stereo ? TRUE : FALSE, p.freq, length));
   if (!sample)
      return nullptr;
   const size_t bytes = static_cast<size_t>(length) * static_cast<size_t>(frame_bytes);
   std::memcpy(sample->data, pcm.data(), bytes);
   flip_to_unsigned(sample->data, bytes);
   return sample.release();
}
