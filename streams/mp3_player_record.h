// The MP3 player's record and the frame stepping its playback and sample
// making share. Callers outside streams/ see MP3_PLAYER only as opaque.
#pragma once

#include "streams/mp3_decoder.h"
#include "streams/mpeg_header.h"

#include <cstddef>
#include <cstdint>
#include <memory>

struct AUDIOSTREAM;

namespace kstr::mp3 {

struct StreamStopper {
   void operator()(AUDIOSTREAM *stream) const;
};
using StreamPtr = std::unique_ptr<AUDIOSTREAM, StreamStopper>;

}

struct MP3_PLAYER {
   const uint8_t *data_start = nullptr;  // first byte of the first accepted frame
   const uint8_t *data_pos = nullptr;    // next byte to hand to the decoder
   int data_len = 0;                     // audio bytes from data_start, ID3v1 tag excluded
   int lead_len = 0;                     // ID3v2 tag plus junk before data_start
   int tag_len = 0;                      // 128 when an ID3v1 tag was cut off
   kstr::Mp3Decoder decoder;
   std::unique_ptr<XING_INFO> xing;
   int resync = 0;           // reset the decoder before the next decode
   int pcm_frame_bytes = 0;  // PCM of one frame, from the first frame
   int frame_bytes = 0;      // first frame's length, header included
   int bitrate = 0;
   int layer = 0;
   int total_frames = 0;
   int cur_frame = 0;
   kstr::mp3::StreamPtr stream;  // non-null exactly while playing
   int freq = 0;
   int stereo = 0;
   int bits = 16;
   int loop = 0;
   int frames_per_buffer = 0;
   int autopoll = 0;
   int autopoll_ms = 0;
   int end_countdown = 0;  // silent buffers left before stopping at the end
};

namespace kstr::mp3 {

constexpr int kResyncLimit = 16384;

inline int data_offset(const MP3_PLAYER &p)
{
   return static_cast<int>(p.data_pos - p.data_start);
}
inline bool at_end(const MP3_PLAYER &p)
{
   return data_offset(p) >= p.data_len;
}
inline int sample_frame_bytes(const MP3_PLAYER &p)
{
   return p.bits / 8 * (p.stereo ? 2 : 1);
}

// data_pos back to the first frame, cur_frame 0, the decoder to be reset.
void rewind_to_start(MP3_PLAYER &p);

// Steps the player by one frame at data_pos into `out` (at most `capacity`
// bytes): decodes, wraps to the start at the end of the input when `wrap`,
// and resynchronises after a bad frame (bounded by kResyncLimit, and by the
// rest of the data when not wrapping). Returns the PCM bytes written, or -1
// when no good frame was found.
int step_frame(MP3_PLAYER &p, uint8_t *out, int capacity, bool wrap);

// Decodes a frame the decoder still holds once all input has been handed
// over. Returns the PCM bytes written, or 0 when none is queued.
int drain_queued_frame(MP3_PLAYER &p, uint8_t *out, int capacity);

// Signed decoder samples to the unsigned samples of an Allegro voice.
void flip_to_unsigned(void *pcm, size_t bytes);

}

// One frame from `in` (fed in chunks as the decoder asks): -1 a frame was
// decoded, 0 a bad frame, -3 the input ran out. `pcm_bytes` and `consumed`
// receive what was written and what was fed.
int mp3_decode_frame(MP3_PLAYER *player, const uint8_t *in, uint8_t *out, int capacity, int *pcm_bytes, int *consumed);
