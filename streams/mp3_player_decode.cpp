// Frame stepping: feeding the decoder from the block, and the bounded search
// for the next good frame after a bad one.
#include "streams/mp3_player_record.h"

#include <algorithm>

namespace {

// Files with a Xing record are variable-rate: one frame's length says little
// about the next, so they are fed in larger fixed pieces.
constexpr int kXingChunkBytes = 1792;

constexpr int kDecoded = -1;
constexpr int kBadFrame = 0;
constexpr int kInputExhausted = -3;

// True when the frame just decoded at data_pos is followed by a valid header,
// or leaves no room for one before the end of the data.
bool followed_by_header(const MP3_PLAYER &p)
{
   const int next = kstr::mp3::data_offset(p) + p.decoder.facts().frame_size + 4;
   if (next > p.data_len - 4)
      return true;
   return mp3_header_valid_at(p.data_start, p.data_len, next);
}

// Moves byte by byte from data_pos to the next frame that decodes and is
// followed by a header; true with that frame's figures in pcm and consumed.
bool resynchronise(MP3_PLAYER &p, int left, bool wrap, uint8_t *out, int capacity, int &pcm, int &consumed)
{
   using namespace kstr::mp3;
   const int limit = wrap ? kResyncLimit : std::min(kResyncLimit, left);
   for (int k = 0; k < limit; ++k) {
      // Wrapping happens wherever the end is met, also after an earlier
      // rewind in the same step, so data_pos never leaves the data.
      if (wrap && at_end(p)) {
         p.data_pos = p.data_start;
         p.cur_frame = 0;
         p.resync = 0;
      }
      if (mp3_header_valid_at(p.data_start, p.data_len, data_offset(p))) {
         p.decoder.reset();
         p.resync = 0;
         if (mp3_decode_frame(&p, p.data_pos, out, capacity, &pcm, &consumed) == kDecoded && followed_by_header(p))
            return true;
      }
      ++p.data_pos;
   }
   return false;
}

}

int mp3_decode_frame(MP3_PLAYER *player, const uint8_t *in, uint8_t *out, int capacity, int *pcm_bytes, int *consumed)
{
   MP3_PLAYER &p = *player;
   *consumed = 0;
   *pcm_bytes = 0;
   int r = p.decoder.decode(nullptr, 0, out, capacity, pcm_bytes);
   const int remaining = p.data_len - static_cast<int>(in - p.data_start);
   const int chunk = p.xing ? kXingChunkBytes : p.frame_bytes + 4;
   while (r == MP3_NEED_MORE && *consumed < remaining) {
      const int n = std::min(chunk, remaining - *consumed);
      r = p.decoder.decode(in + *consumed, n, out, capacity, pcm_bytes);
      *consumed += n;
   }
   if (r == MP3_NEED_MORE)
      return kInputExhausted;
   // A frame that gave no PCM cannot advance playback: it counts as bad.
   const kstr::Mp3FrameFacts &facts = p.decoder.facts();
   if (r != MP3_ERR && mp3_header_valid(facts.header) && facts.frame_size > 0 && *pcm_bytes > 0)
      return kDecoded;
   return kBadFrame;
}

namespace kstr::mp3 {

void rewind_to_start(MP3_PLAYER &p)
{
   p.data_pos = p.data_start;
   p.cur_frame = 0;
   p.resync = -1;
}

int step_frame(MP3_PLAYER &p, uint8_t *out, int capacity, bool wrap)
{
   const int left = p.data_len - data_offset(p);
   int pcm = 0;
   int consumed = 0;
   int r = mp3_decode_frame(&p, p.data_pos, out, capacity, &pcm, &consumed);
   if (r == kInputExhausted && wrap) {
      p.data_pos = p.data_start;
      p.cur_frame = 0;
      p.resync = 0;
      r = mp3_decode_frame(&p, p.data_pos, out, capacity, &pcm, &consumed);
   }
   if (r == kBadFrame && !resynchronise(p, left, wrap, out, capacity, pcm, consumed))
      return -1;
   // An exhausted input without wrapping moves data_pos to the end.
   p.cur_frame += 1;
   p.data_pos += consumed;
   return pcm;
}

int drain_queued_frame(MP3_PLAYER &p, uint8_t *out, int capacity)
{
   if (p.resync || !p.decoder.frame_ready())
      return 0;
   int pcm = 0;
   int consumed = 0;
   if (mp3_decode_frame(&p, p.data_pos, out, capacity, &pcm, &consumed) != kDecoded)
      return 0;
   p.cur_frame += 1;
   return pcm;
}

void flip_to_unsigned(void *pcm, size_t bytes)
{
   auto *samples = static_cast<uint16_t *>(pcm);
   for (size_t i = 0; i < bytes / 2; ++i)
      samples[i] ^= 0x8000;
}

}
