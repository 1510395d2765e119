// MPEG audio frame headers, the tags at both ends of a file, and the Xing VBR
// record of the first frame.
//
// Contract:
// - Every function that looks into a block takes the block's length and reads
//   only inside it; a word, marker or field that would run past the end counts
//   as absent.
// - Arithmetic is 32-bit; the one product that can outgrow it (the table
//   interpolation of mp3_frame_to_offset) is formed in 64 bits, and only
//   results that fit in 32 bits are returned.
#pragma once

#include <cstdint>
#include <memory>

// The Xing record of the first frame. `bytes` and `vbr_scale` are kept but not
// used by the player.
struct XING_INFO {
   int32_t flags;
   int32_t frames;
   int32_t bytes;
   int32_t vbr_scale;  // -1 when absent
   uint8_t toc[100];
};

enum : int32_t {
   XING_FRAMES_FLAG = 0x1,
   XING_BYTES_FLAG = 0x2,
   XING_TOC_FLAG = 0x4,
   XING_SCALE_FLAG = 0x8,
};

// -1 when `h` is a header the player accepts (MPEG-1/2/2.5, Layer II or III,
// a bit-rate index other than 0 and 15, a rate index other than 3), else 0.
int mp3_header_valid(uint32_t h);

// True when the big-endian word at `pos` lies inside the `len` bytes of
// `block` and passes mp3_header_valid.
bool mp3_header_valid_at(const uint8_t *block, int len, int pos);

// Reads the big-endian word at `pos` into `word`; false, and nothing read,
// when fewer than 4 bytes of the block are left there.
bool mp3_read_word(const uint8_t *block, int len, int pos, uint32_t &word);

// 128 when the last 128 bytes of the block begin with "TAG", else 0.
int mp3_id3v1_length(const uint8_t *block, int len);

// Bytes an ID3v2 tag at the start of the block occupies (size + 10, or + 20
// with the footer flag), else 0. A block too short for the 10-byte tag header
// has no tag.
int mp3_id3v2_length(const uint8_t *block, int len);

// Standard bit rate in kbit/s for a version flag, layer and bit-rate index;
// 0 for index 0, 15, or a layer other than 2 and 3.
int mp3_bitrate_kbps(int lsf, int layer, int bitrate_index);

// Looks for the Xing record of the first frame, which begins `frame` and has
// `avail` bytes of data behind its start. `lsf` is the MPEG-2/2.5 flag and
// `mode` the channel mode (3 = mono). Null when there is no "Xing" marker or
// the fields its flags announce do not fit in `avail`.
std::unique_ptr<XING_INFO> mp3_read_xing(const uint8_t *frame, int avail, int lsf, int mode);

// Byte offset of frame `f` from the start of the audio data, interpolated
// through the Xing table of contents; -1 when there is no usable table (no
// record, frame count or table missing, f out of range, two equal
// neighbouring table points) or the result falls outside 0..data_len.
int mp3_frame_to_offset(const XING_INFO *xing, int data_len, int f);
