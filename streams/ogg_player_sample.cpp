// The whole file decoded into one Allegro sample.
#include "streams/ogg_player.h"

#include <allegro.h>

#include <algorithm>
#include <climits>
#include <memory>

#include "streams/ogg_decode.h"
#include "streams/ogg_player_record.h"

namespace {

struct SampleDeleter {
   void operator()(SAMPLE *sample) const { destroy_sample(sample); }
};
using SamplePtr = std::unique_ptr<SAMPLE, SampleDeleter>;

// One Vorbis packet yields at most half the largest block, 4096 frames, and
// takes at least one byte of the file. A length beyond that, read from a
// corrupt granule position, could only be silence: it is refused rather
// than allocated.
constexpr int64_t kMostFramesPerByte = 4096;

int64_t most_frames(const OGG_PLAYER &player)
{
   return std::min<int64_t>(INT_MAX, kMostFramesPerByte * player.data_len);
}

}

SAMPLE *ogg_player_make_sample(OGG_PLAYER *player)
{
   const ogg_int64_t frames = ov_pcm_total(&player->vf, -1);
   if (frames <= 0 || frames > most_frames(*player))
      return nullptr;
   SamplePtr sample(create_sample(16, player->stereo != 0, player->freq, static_cast<int>(frames)));
   if (!sample)
      return nullptr;
   ogg_player_stop(player);
   ov_raw_seek(&player->vf, 0);

   const auto bytes = static_cast<size_t>(frames) * static_cast<size_t>(ogg_frame_bytes(*player));
   auto *data = static_cast<uint8_t *>(sample->data);
   const OggDecoded decoded = ogg_decode_into(*player, data, bytes, false);
   ov_raw_seek(&player->vf, 0);
   if (decoded.end == OggDecodeEnd::error)
      return nullptr;
   // What the stream did not fill stays silent.
   ogg_fill_silence(data + decoded.bytes, bytes - decoded.bytes);
   return sample.release();
}
