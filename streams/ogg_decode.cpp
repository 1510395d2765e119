#include "streams/ogg_decode.h"

#include <algorithm>

#include "streams/ogg_player_record.h"

namespace {

constexpr int kLittleEndian = 0;
constexpr int kWordBytes = 2;
constexpr int kUnsignedPcm = 0;
// ov_read takes an int length; larger requests go in pieces of whole frames.
constexpr size_t kLargestRead = size_t{1} << 30;

}

void ogg_fill_silence(void *dest, size_t bytes)
{
   std::fill_n(static_cast<uint16_t *>(dest), bytes / 2, uint16_t{0x8000});
}

OggDecoded ogg_decode_into(OGG_PLAYER &p, uint8_t *dest, size_t bytes, bool loop)
{
   // Bytes decoded since this call last went back to the start; -1 before.
   int64_t since_restart = -1;
   size_t left = bytes;
   while (left > 0) {
      const int want = static_cast<int>(std::min(left, kLargestRead));
      const long got =
         ov_read(&p.vf, reinterpret_cast<char *>(dest), want, kLittleEndian, kWordBytes, kUnsignedPcm, &p.section);
      if (got > 0) {
         dest += got;
         left -= static_cast<size_t>(got);
         if (since_restart >= 0)
            since_restart += got;
         continue;
      }
      if (got == OV_HOLE)
         continue;
      ov_raw_seek(&p.vf, 0);
      if (got < 0)
         return {OggDecodeEnd::error, bytes - left};
      // A looping stream without any PCM would otherwise spin here forever.
      if (!loop || since_restart == 0)
         return {OggDecodeEnd::end_of_stream, bytes - left};
      since_restart = 0;
   }
   return {OggDecodeEnd::full, bytes};
}
