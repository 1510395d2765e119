#include "streams/mp3_decoder.h"

#include "streams/mpeg_header.h"

#include <mpg123.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace kstr {

namespace {

constexpr std::array<long, 9> kStandardRates{44100, 48000, 32000, 22050, 24000, 16000, 11025, 12000, 8000};

// Exactly one frame per call, the Info frame as a frame, the first frame's PCM
// undelayed, junk never skipped inside the stream: the player resynchronises.
constexpr long kDecoderFlags = MPG123_QUIET | MPG123_IGNORE_INFOFRAME | MPG123_NO_RESYNC | MPG123_NO_READAHEAD |
                               MPG123_SKIP_ID3V2 | MPG123_FORCE_ENDIAN;

bool configure(mpg123_handle *handle)
{
   if (mpg123_param(handle, MPG123_FLAGS, kDecoderFlags, 0) != MPG123_OK ||
       mpg123_param(handle, MPG123_RVA, MPG123_RVA_OFF, 0) != MPG123_OK || mpg123_format_none(handle) != MPG123_OK)
      return false;
   for (long rate : kStandardRates) {
      if (mpg123_format(handle, rate, MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16) != MPG123_OK)
         return false;
   }
   return mpg123_open_feed(handle) == MPG123_OK;
}

Mp3FrameFacts facts_of(uint32_t header, int body_bytes)
{
   Mp3FrameFacts facts;
   const int version = (header >> 19) & 3;
   facts.frame_size = body_bytes;
   facts.layer = 4 - static_cast<int>((header >> 17) & 3);
   facts.lsf = version != 3;
   const int rate_row = version == 0 ? 6 : facts.lsf ? 3 : 0;
   facts.sampling_frequency = rate_row + static_cast<int>((header >> 10) & 3);
   facts.bitrate_index = static_cast<int>((header >> 12) & 15);
   facts.mode = static_cast<int>((header >> 6) & 3);
   facts.channels = facts.mode == 3 ? 1 : 2;
   facts.header = header;
   return facts;
}

}

void Mp3Decoder::HandleDeleter::operator()(mpg123_handle *handle) const
{
   mpg123_delete(handle);
}

Mp3Decoder::Mp3Decoder()
{
   // mpg123_init is needed only by libraries older than 1.27 and harmless since.
   static const int library_ready = mpg123_init();
   if (library_ready != MPG123_OK)
      return;
   handle_.reset(mpg123_new(nullptr, nullptr));
   if (handle_ && !configure(handle_.get()))
      handle_.reset();
}

Mp3Decoder::~Mp3Decoder() = default;

void Mp3Decoder::reset()
{
   failed_ = !handle_ || mpg123_open_feed(handle_.get()) != MPG123_OK;
   frame_pending_ = false;
   first_header_len_ = 0;
}

bool Mp3Decoder::check_first_header(const uint8_t *in, int len)
{
   const int take = std::min(len, 4 - first_header_len_);
   std::memcpy(first_header_ + first_header_len_, in, static_cast<size_t>(take));
   first_header_len_ += take;
   uint32_t word = 0;
   return first_header_len_ < 4 || (mp3_read_word(first_header_, 4, 0, word) && mp3_header_valid(word));
}

// Parses the next whole frame in the queue, leaving it pending for decoding.
int Mp3Decoder::parse_next()
{
   if (frame_pending_)
      return MP3_OK;
   // MPG123_NEW_FORMAT comes with the frame parsed and still to be decoded.
   const int r = mpg123_framebyframe_next(handle_.get());
   if (r == MPG123_NEED_MORE)
      return MP3_NEED_MORE;
   if (r != MPG123_OK && r != MPG123_NEW_FORMAT) {
      failed_ = true;
      return MP3_ERR;
   }
   frame_pending_ = true;
   return MP3_OK;
}

bool Mp3Decoder::frame_ready()
{
   return !failed_ && handle_ && parse_next() == MP3_OK;
}

int Mp3Decoder::decode(const uint8_t *in, int len, uint8_t *out, int capacity, int *out_bytes)
{
   if (failed_ || !handle_)
      return MP3_ERR;
   mpg123_handle *handle = handle_.get();
   if (in && len > 0) {
      if (!check_first_header(in, len) || mpg123_feed(handle, in, static_cast<size_t>(len)) != MPG123_OK) {
         failed_ = true;
         return MP3_ERR;
      }
   }
   if (first_header_len_ < 4)
      return MP3_NEED_MORE;

   const int parsed = parse_next();
   if (parsed != MP3_OK)
      return parsed;

   // The header word is readable only while the frame is still undecoded.
   unsigned long header = 0;
   size_t body_bytes = 0;
   if (mpg123_framedata(handle, &header, nullptr, &body_bytes) != MPG123_OK) {
      failed_ = true;
      return MP3_ERR;
   }
   off_t frame_number = 0;
   unsigned char *audio = nullptr;
   size_t audio_bytes = 0;
   frame_pending_ = false;
   if (mpg123_framebyframe_decode(handle, &frame_number, &audio, &audio_bytes) != MPG123_OK) {
      failed_ = true;
      return MP3_ERR;
   }
   facts_ = facts_of(static_cast<uint32_t>(header), static_cast<int>(body_bytes));
   const size_t copied = std::min(audio_bytes, static_cast<size_t>(std::max(capacity, 0)));
   if (copied > 0)
      std::memcpy(out, audio, copied);
   *out_bytes = static_cast<int>(copied);
   return MP3_OK;
}

}
