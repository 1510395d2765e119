// The Ogg player's record, shared by the files that implement the player.
// Callers outside streams/ see OGG_PLAYER only as an opaque type.
#pragma once

#include <cstdint>

#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

struct AUDIOSTREAM;

struct OGG_PLAYER {
   const uint8_t *data_start;  // null when opened from a stdio file
   const uint8_t *data_pos;    // read position of the memory callbacks
   int data_len;
   OggVorbis_File vf;    // all zero before opening
   int section;          // last logical bitstream ov_read reported
   AUDIOSTREAM *stream;  // non-null while playing
   int buffer_bytes;
   int stereo;
   int freq;
   int loop;
   int autopoll;
   int autopoll_ms;
   int end_countdown;  // silent buffers left before stopping at the end
};

// Bytes of one sample frame of 16-bit output.
inline int ogg_frame_bytes(const OGG_PLAYER &p)
{
   return p.stereo ? 4 : 2;
}
