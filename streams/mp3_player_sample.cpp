// Decoding a whole MP3 file into one Allegro sample.
#include "streams/mp3_player.h"

#include "streams/mp3_player_record.h"

#include <allegro.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>

namespace {

using namespace kstr::mp3;

struct SampleDestroyer {
   void operator()(SAMPLE *sample) const { destroy_sample(sample); }
};
using SamplePtr = std::unique_ptr<SAMPLE, SampleDestroyer>;

// The sample being filled: decoded straight into its data, grown (by copying
// into a larger one) only when the file holds more frames than it claims.
class GrowingSample {
 public:
   GrowingSample(const MP3_PLAYER &p, int64_t frames) : p_(p), frame_bytes_(sample_frame_bytes(p))
   {
      reserve(frames * p.pcm_frame_bytes);
   }

   bool ok() const { return sample_ != nullptr; }

   // Room for one more decoded frame at the end, or null when the sample is
   // full: the frame then goes through append, which grows it.
   uint8_t *frame_room()
   {
      if (filled_ + p_.pcm_frame_bytes > capacity_)
         return nullptr;
      return static_cast<uint8_t *>(sample_->data) + filled_;
   }

   // Copies a frame decoded elsewhere to the end; false when memory runs out.
   bool append(const uint8_t *pcm, int bytes)
   {
      const int64_t need = filled_ + bytes;
      if (need > capacity_ && !reserve(std::max(need, capacity_ + capacity_ / 2)))
         return false;
      std::memcpy(static_cast<uint8_t *>(sample_->data) + filled_, pcm, static_cast<size_t>(bytes));
      add(bytes);
      return true;
   }

   // Takes a decoded frame, flipped to unsigned PCM while it is in the cache.
   void add(int bytes)
   {
      flip_to_unsigned(static_cast<uint8_t *>(sample_->data) + filled_, static_cast<size_t>(bytes));
      filled_ += bytes;
   }

   // The sample cut to what was decoded. A sample
   // far larger than its contents (a frame count that lied) is copied into
   // one of the right size.
   SamplePtr finish()
   {
      const int64_t length = filled_ / frame_bytes_;
      if (length <= 0 || (capacity_ - filled_ > capacity_ / 8 && !reserve(length * frame_bytes_)))
         return nullptr;
      sample_->len = static_cast<unsigned long>(length);
      sample_->loop_start = 0;
      sample_->loop_end = sample_->len;
      return std::move(sample_);
   }

 private:
   // A new sample of `bytes` (whole sample frames, within Allegro's int
   // length) holding what was decoded so far.
   bool reserve(int64_t bytes)
   {
      const int64_t length = std::min<int64_t>((bytes + frame_bytes_ - 1) / frame_bytes_, INT_MAX);
      if (length * frame_bytes_ < filled_ || length <= 0)
         return false;
      SamplePtr bigger(create_sample(p_.bits, p_.stereo ? TRUE : FALSE, p_.freq, static_cast<int>(length)));
      if (!bigger)
         return false;
      if (sample_)
         std::memcpy(bigger->data, sample_->data, static_cast<size_t>(filled_));
      sample_ = std::move(bigger);
      capacity_ = length * frame_bytes_;
      return true;
   }

   const MP3_PLAYER &p_;
   const int frame_bytes_;
   SamplePtr sample_;
   int64_t capacity_ = 0;
   int64_t filled_ = 0;
};

// Frames the file claims, with one more for an encoder that does not count
// its own Xing frame; a lying count is bounded by the data's size.
int64_t expected_frames(const MP3_PLAYER &p)
{
   const int64_t by_size = int64_t{p.data_len} / p.frame_bytes * 2 + 1;
   return std::clamp<int64_t>(p.total_frames, 1, by_size) + 1;
}

// Decodes every frame from the first, including those still queued in the
// decoder when the input runs out. False when resynchronisation fails or
// memory runs out.
bool decode_all(MP3_PLAYER &p, GrowingSample &sample)
{
   uint8_t spill[kstr::Mp3Decoder::kMaxFramePcm];
   for (;;) {
      uint8_t *room = sample.frame_room();
      uint8_t *out = room ? room : spill;
      const int capacity = room ? p.pcm_frame_bytes : std::min<int>(p.pcm_frame_bytes, sizeof spill);
      int bytes = 0;
      if (!at_end(p)) {
         bytes = step_frame(p, out, capacity, false);
         if (bytes < 0)
            return false;
      } else {
         bytes = drain_queued_frame(p, out, capacity);
         if (bytes == 0)
            return true;
      }
      if (room)
         sample.add(bytes);
      else if (!sample.append(spill, bytes))
         return false;
   }
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

   GrowingSample sample(p, expected_frames(p));
   const bool decoded = sample.ok() && decode_all(p, sample);
   rewind_to_start(p);
   return decoded ? sample.finish().release() : nullptr;
}
