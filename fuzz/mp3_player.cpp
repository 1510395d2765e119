// Fuzz target: an MP3 player over arbitrary bytes. Creation scans for the
// first frame, reads tags and the Xing record; make_sample decodes and
// resynchronises through whatever follows; seeks go through the Xing table.
#include "streams/mp3_player.h"

#include <allegro.h>

#include <climits>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
   if (size > INT_MAX)
      return 0;
   MP3_PLAYER *player = mp3_player_create(data, static_cast<int>(size));
   if (!player)
      return 0;
   const int frames = mp3_player_length_frames(player);
   mp3_player_seek_frame(player, frames / 2);
   mp3_player_skip_frames(player, -1);
   mp3_player_skip_bytes(player, 1);
   (void)mp3_player_pos_msecs(player);
   (void)mp3_player_length_msecs(player);
   if (SAMPLE *sample = mp3_player_make_sample(player))
      destroy_sample(sample);
   mp3_player_destroy(player);
   return 0;
}
