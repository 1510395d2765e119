// Creating and destroying Ogg players, and playing them through an Allegro
// audio stream: play, stop, adjust, poll and autopoll.
#include "streams/ogg_player.h"

#include <allegro.h>

#include <climits>
#include <memory>
#include <new>

#include "streams/ogg_decode.h"
#include "streams/ogg_memory_callbacks.h"
#include "streams/ogg_player_record.h"

namespace {

constexpr int kSmallestBufferBytes = 4096;
constexpr int kNormalSpeed = 1000;
// Output is stereo at most: more channels would come out of ov_read
// interleaved in frames the stream cannot take.
constexpr int kMostChannels = 2;

struct PlayerDeleter {
   void operator()(OGG_PLAYER *player) const { ogg_player_destroy(player); }
};
using PlayerPtr = std::unique_ptr<OGG_PLAYER, PlayerDeleter>;

PlayerPtr new_player(const uint8_t *data, int data_len)
{
   // Value-initialised: the decoder state starts all zero, as ov_clear expects.
   PlayerPtr player(new (std::nothrow) OGG_PLAYER{});
   if (player) {
      player->data_start = player->data_pos = data;
      player->data_len = data_len;
      player->section = -1;
   }
   return player;
}

// Takes the output format from the first logical bitstream; false when the
// stream cannot be played through an Allegro stream.
bool take_format(OGG_PLAYER &player)
{
   const vorbis_info *info = ov_info(&player.vf, -1);
   if (!info || info->channels < 1 || info->channels > kMostChannels || info->rate > INT_MAX)
      return false;
   player.stereo = info->channels > 1 ? -1 : 0;
   player.freq = static_cast<int>(info->rate);
   return true;
}

// Length of a stdio file, leaving its position where it stood; 0 when unknown.
int file_length(std::FILE *file)
{
   const long here = std::ftell(file);
   if (here < 0 || std::fseek(file, 0, SEEK_END) != 0)
      return 0;
   const long end = std::ftell(file);
   std::fseek(file, here, SEEK_SET);
   if (end < 0)
      return 0;
   return end > INT_MAX ? INT_MAX : static_cast<int>(end);
}

void autopoll_tick(void *player)
{
   ogg_player_poll(static_cast<OGG_PLAYER *>(player));
}

}

OGG_PLAYER *ogg_player_create(const void *data, int data_len)
{
   if (!data || data_len < 0)
      return nullptr;
   PlayerPtr player = new_player(static_cast<const uint8_t *>(data), data_len);
   if (!player)
      return nullptr;
   if (ov_open_callbacks(player.get(), &player->vf, nullptr, 0, ogg_memory_callbacks()) < 0 || !take_format(*player))
      return nullptr;
   return player.release();
}

OGG_PLAYER *ogg_player_create_from_file(std::FILE *file)
{
   if (!file)
      return nullptr;
   PlayerPtr player = new_player(nullptr, file_length(file));
   if (!player)
      return nullptr;
   // On failure vorbisfile leaves the file open: it stays the caller's.
   if (ov_open(file, &player->vf, nullptr, 0) < 0)
      return nullptr;
   if (!take_format(*player)) {
      // Refused after opening: detach the file so that it stays open too.
      player->vf.datasource = nullptr;
      return nullptr;
   }
   return player.release();
}

void ogg_player_destroy(OGG_PLAYER *player)
{
   if (!player)
      return;
   ogg_player_stop(player);
   ov_clear(&player->vf);
   delete player;
}

int ogg_player_play(OGG_PLAYER *player, int buffer_len, int vol, int pan)
{
   return ogg_player_play_ex(player, buffer_len, vol, pan, kNormalSpeed, 0);
}

int ogg_player_play_ex(OGG_PLAYER *player, int buffer_len, int vol, int pan, int speed, int loop)
{
   if (player->stream)
      return 0;
   if (buffer_len < kSmallestBufferBytes)
      return -1;
   const int frames = buffer_len / ogg_frame_bytes(*player);
   AUDIOSTREAM *stream = play_audio_stream(frames, 16, player->stereo != 0, player->freq, vol, pan);
   if (!stream)
      return -1;
   player->stream = stream;
   player->buffer_bytes = frames * ogg_frame_bytes(*player);
   if (speed != kNormalSpeed)
      adjust_sample(stream->samp, vol, pan, speed, -1);
   player->loop = loop;
   player->end_countdown = 0;
   if (player->autopoll)
      install_param_int(autopoll_tick, player, player->autopoll_ms);
   return 0;
}

void ogg_player_stop(OGG_PLAYER *player)
{
   if (!player->stream)
      return;
   if (player->autopoll)
      remove_param_int(autopoll_tick, player);
   stop_audio_stream(player->stream);
   player->stream = nullptr;
}

void ogg_player_adjust(OGG_PLAYER *player, int vol, int pan, int speed, int loop)
{
   if (!player->stream)
      return;
   adjust_sample(player->stream->samp, vol, pan, speed, -1);
   player->loop = loop;
}

void ogg_player_set_loop(OGG_PLAYER *player, int loop)
{
   if (player->stream)
      player->loop = loop;
}

int ogg_player_poll(OGG_PLAYER *player)
{
   if (!player->stream)
      return -1;
   auto *buffer = static_cast<uint8_t *>(get_audio_stream_buffer(player->stream));
   if (!buffer)
      return 0;
   const auto bytes = static_cast<size_t>(player->buffer_bytes);

   if (!player->loop && player->end_countdown > 0) {
      ogg_fill_silence(buffer, bytes);
      free_audio_stream_buffer(player->stream);
      if (--player->end_countdown > 0)
         return 0;
      ogg_player_stop(player);
      return 1;
   }

   // Silence after the decoded part only: writing it everywhere first would
   // cost a second pass over the buffer.
   const OggDecoded decoded = ogg_decode_into(*player, buffer, bytes, player->loop != 0);
   ogg_fill_silence(buffer + decoded.bytes, bytes - decoded.bytes);
   free_audio_stream_buffer(player->stream);
   switch (decoded.end) {
   case OggDecodeEnd::full: return 0;
   case OggDecodeEnd::end_of_stream: player->end_countdown = 2; return 0;
   case OggDecodeEnd::error: ogg_player_stop(player); return -2;
   }
   return 0;
}

void ogg_player_start_autopoll(OGG_PLAYER *player, int msecs)
{
   if (player->autopoll)
      return;
   player->autopoll = -1;
   player->autopoll_ms = msecs;
   if (player->stream)
      install_param_int(autopoll_tick, player, msecs);
}

void ogg_player_stop_autopoll(OGG_PLAYER *player)
{
   if (!player->autopoll)
      return;
   player->autopoll = 0;
   if (player->stream)
      remove_param_int(autopoll_tick, player);
}
