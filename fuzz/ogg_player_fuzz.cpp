// Arbitrary bytes as an Ogg player's block: opening, the length and position
// figures, and decoding the whole stream into a sample. Each input is tried
// as it is and once more with its page checksums made right, so that changes
// inside pages reach the decoder instead of being dropped by the checksum.
#include <allegro.h>
#include <ogg/ogg.h>

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "streams/ogg_player.h"
#include "vorbisfile_leaks.h"

namespace {

void play_block(const uint8_t *data, size_t size)
{
   OGG_PLAYER *player;
   {
      kstr::test::VorbisfileLeakPause refusals_may_leak;
      player = ogg_player_create(data, static_cast<int>(size));
   }
   if (!player)
      return;
   ogg_player_length_msecs(player);
   ogg_player_length_bytes(player);
   if (SAMPLE *sample = ogg_player_make_sample(player))
      destroy_sample(sample);
   ogg_player_pos_msecs(player);
   ogg_player_destroy(player);
}

uint32_t checksum_at(const std::vector<uint8_t> &bytes, size_t page)
{
   uint32_t value = 0;
   for (int i = 3; i >= 0; --i)
      value = value << 8 | bytes[page + 22 + i];
   return value;
}

// Sets the checksum of every whole page found by its capture pattern.
bool fix_checksums(std::vector<uint8_t> &bytes)
{
   constexpr size_t fixed_header = 27;
   bool changed = false;
   size_t at = 0;
   while (at + fixed_header <= bytes.size()) {
      if (std::memcmp(&bytes[at], "OggS", 4) != 0) {
         ++at;
         continue;
      }
      const size_t segments = bytes[at + 26];
      const size_t header = fixed_header + segments;
      if (at + header > bytes.size())
         break;
      size_t body = 0;
      for (size_t i = 0; i < segments; ++i)
         body += bytes[at + fixed_header + i];
      if (at + header + body > bytes.size())
         break;
      const uint32_t before = checksum_at(bytes, at);
      ogg_page page{&bytes[at], static_cast<long>(header), &bytes[at + header], static_cast<long>(body)};
      ogg_page_checksum_set(&page);
      changed = changed || before != checksum_at(bytes, at);
      at += header + body;
   }
   return changed;
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
   if (size > INT_MAX)
      return 0;
   play_block(data, size);
   std::vector<uint8_t> repaired(data, data + size);
   if (fix_checksums(repaired))
      play_block(repaired.data(), repaired.size());
   return 0;
}
