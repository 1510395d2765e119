// The MPEG audio decoder the MP3 player feeds: a small adapter over libmpg123
// in feed mode that decodes exactly one frame per successful call.
//
// Contract:
// - decode() copies the input into the decoder's own queue (the caller's
//   pointer need not stay valid) and decodes at most one frame from the queue.
//   A null input of length 0 only decodes what is already queued.
// - Results: MP3_OK one frame decoded and its PCM written (signed 16-bit
//   little-endian, interleaved, at most 1152 x 2 x 2 bytes; a frame larger
//   than the given capacity is cut to it); MP3_NEED_MORE more input needed,
//   the out count untouched; MP3_ERR an error.
// - After reset() the decoder holds nothing and expects a frame header next:
//   input that does not begin with a header mp3_header_valid accepts is an
//   error (libmpg123 would otherwise skip junk by itself).
// - An error stays until reset(): every later call returns MP3_ERR.
// - facts() describes the last decoded frame; it is meaningful after MP3_OK.
// - No resynchronisation, gapless trimming, resampling or volume adjustment
//   happens inside; a Xing/Info frame comes out as an ordinary (silent) frame.
#pragma once

#include <cstdint>
#include <memory>

struct mpg123_handle_struct;

enum : int {
   MP3_OK = 0,
   MP3_NEED_MORE = 1,
   MP3_ERR = -1,
};

namespace kstr {

// Facts of the last decoded frame, taken from its header word.
struct Mp3FrameFacts {
   int frame_size = 0;          // frame length less its 4 header bytes, padding included
   int layer = 0;               // 2 or 3 for frames the player accepts
   int lsf = 0;                 // 1 for MPEG-2 and MPEG-2.5
   int sampling_frequency = 0;  // 0-8: 44100, 48000, 32000, 22050, 24000, 16000, 11025, 12000, 8000
   int bitrate_index = 0;
   int mode = 0;  // 3 = mono
   int channels = 0;
   uint32_t header = 0;  // the last header word read
};

class Mp3Decoder {
 public:
   // Largest PCM one frame yields: 1152 sample frames of two 16-bit channels.
   static constexpr int kMaxFramePcm = 1152 * 2 * 2;

   Mp3Decoder();
   ~Mp3Decoder();
   Mp3Decoder(const Mp3Decoder &) = delete;
   Mp3Decoder &operator=(const Mp3Decoder &) = delete;

   // False when libmpg123 could not give a handle; every call then fails.
   bool usable() const { return handle_ != nullptr; }

   // Drops all queued input and errors; the next input must start a frame.
   void reset();

   int decode(const uint8_t *in, int len, uint8_t *out, int capacity, int *out_bytes);

   // True when a whole frame is queued and the next decode(nullptr, 0, ...)
   // will return MP3_OK without more input. It parses that frame ahead.
   bool frame_ready();

   const Mp3FrameFacts &facts() const { return facts_; }

 private:
   struct HandleDeleter {
      void operator()(mpg123_handle_struct *handle) const;
   };

   bool check_first_header(const uint8_t *in, int len);
   int parse_next();

   std::unique_ptr<mpg123_handle_struct, HandleDeleter> handle_;
   bool failed_ = false;
   bool frame_pending_ = false;
   uint8_t first_header_[4] = {};
   int first_header_len_ = 0;
   Mp3FrameFacts facts_;
};

}
