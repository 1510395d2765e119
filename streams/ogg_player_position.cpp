// Seeking, positions, lengths and the plain queries of the Ogg player.
// vorbisfile's own results of seeks are ignored: a refused seek moves nothing.
#include "streams/ogg_player.h"

#include <allegro.h>

#include <climits>
#include <cmath>

#include "streams/ogg_player_record.h"

namespace {

// Truncated toward zero; a corrupt granule position can claim any length.
int saturated_int(double value)
{
   if (std::isnan(value))
      return 0;
   if (value >= static_cast<double>(INT_MAX))
      return INT_MAX;
   if (value <= static_cast<double>(INT_MIN))
      return INT_MIN;
   return static_cast<int>(value);
}

int saturated_int(ogg_int64_t value)
{
   if (value > INT_MAX)
      return INT_MAX;
   if (value < INT_MIN)
      return INT_MIN;
   return static_cast<int>(value);
}

bool inside_data(const OGG_PLAYER &player, int64_t offset)
{
   return offset >= 0 && offset < player.data_len;
}

}

void ogg_player_rewind(OGG_PLAYER *player)
{
   ov_raw_seek(&player->vf, 0);
}

void ogg_player_seek_msecs(OGG_PLAYER *player, int msecs)
{
   ov_time_seek(&player->vf, msecs * 0.001);
}

void ogg_player_seek_secs(OGG_PLAYER *player, int secs)
{
   ov_time_seek(&player->vf, secs);
}

void ogg_player_seek_bytes(OGG_PLAYER *player, int bytes)
{
   if (inside_data(*player, bytes))
      ov_raw_seek(&player->vf, bytes);
}

void ogg_player_skip_msecs(OGG_PLAYER *player, int msecs)
{
   ov_time_seek(&player->vf, ov_time_tell(&player->vf) + msecs * 0.001);
}

void ogg_player_skip_secs(OGG_PLAYER *player, int secs)
{
   ov_time_seek(&player->vf, ov_time_tell(&player->vf) + secs);
}

void ogg_player_skip_bytes(OGG_PLAYER *player, int bytes)
{
   // Offsets are 32-bit: only the low 32 bits of the sum count.
   const int32_t target = static_cast<int32_t>(ov_raw_tell(&player->vf) + bytes);
   if (inside_data(*player, target))
      ov_raw_seek(&player->vf, target);
}

int ogg_player_pos_msecs(OGG_PLAYER *player)
{
   return saturated_int(ov_time_tell(&player->vf) * 1000);
}

int ogg_player_pos_secs(OGG_PLAYER *player)
{
   return saturated_int(ov_time_tell(&player->vf));
}

int ogg_player_pos_bytes(OGG_PLAYER *player)
{
   return saturated_int(ov_raw_tell(&player->vf));
}

int ogg_player_length_msecs(OGG_PLAYER *player)
{
   return saturated_int(ov_time_total(&player->vf, -1) * 1000);
}

int ogg_player_length_secs(OGG_PLAYER *player)
{
   return saturated_int(ov_time_total(&player->vf, -1));
}

int ogg_player_length_bytes(OGG_PLAYER *player)
{
   return saturated_int(ov_raw_total(&player->vf, -1));
}

int ogg_player_wave_stereo(OGG_PLAYER *player)
{
   return player->stereo;
}

int ogg_player_wave_freq(OGG_PLAYER *player)
{
   return player->freq;
}

int ogg_player_is_playing(OGG_PLAYER *player)
{
   return player->stream ? -1 : 0;
}

int ogg_player_is_looping(OGG_PLAYER *player)
{
   return player->stream ? player->loop : 0;
}

AUDIOSTREAM *ogg_player_audio_stream(OGG_PLAYER *player)
{
   return player->stream;
}

void *ogg_player_output_buffer(OGG_PLAYER *player, int *length)
{
   if (!player->stream)
      return nullptr;
   *length = player->buffer_bytes;
   return player->stream->samp->data;
}
