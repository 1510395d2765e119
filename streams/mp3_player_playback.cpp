// Playing an MP3 player through an Allegro audio stream: start, stop, the
// poll that fills one stream buffer, the end drain, and autopoll.
#include "streams/mp3_player.h"

#include "streams/mp3_player_record.h"

#include <allegro.h>

#include <algorithm>
#include <cstring>

namespace {

using namespace kstr::mp3;

void autopoll_tick(void *param)
{
   mp3_player_poll(static_cast<MP3_PLAYER *>(param));
}

int buffer_bytes(const MP3_PLAYER &p)
{
   return p.pcm_frame_bytes * p.frames_per_buffer;
}

void hand_over(MP3_PLAYER &p, void *buffer)
{
   flip_to_unsigned(buffer, static_cast<size_t>(buffer_bytes(p)));
   free_audio_stream_buffer(p.stream.get());
}

// Decodes frames into the buffer until it is full. 0 when it is full, 1 when
// the data ended without looping (the buffer was handed over), -1 when no
// good frame was found after a bad one (nothing handed over yet).
int fill(MP3_PLAYER &p, uint8_t *buffer)
{
   const int size = buffer_bytes(p);
   int filled = 0;
   while (filled < size) {
      // Every frame fills at most the first frame's share of the buffer.
      const int capacity = std::min(p.pcm_frame_bytes, size - filled);
      if (at_end(p)) {
         if (const int pcm = drain_queued_frame(p, buffer + filled, capacity)) {
            filled += pcm;
            continue;
         }
         rewind_to_start(p);
         if (!p.loop) {
            hand_over(p, buffer);
            p.end_countdown = 2;
            return 1;
         }
         p.resync = 0;  // looping goes on without resetting the decoder
      }
      const int pcm = step_frame(p, buffer + filled, capacity, p.loop != 0);
      if (pcm < 0)
         return -1;
      filled += pcm;
   }
   return 0;
}

}

int mp3_player_play(MP3_PLAYER *player, int buffer_len, int vol, int pan)
{
   return mp3_player_play_ex(player, buffer_len, vol, pan, 1000, 0);
}

int mp3_player_play_ex(MP3_PLAYER *player, int buffer_len, int vol, int pan, int speed, int loop)
{
   if (!player)
      return -1;
   MP3_PLAYER &p = *player;
   if (p.stream)
      return 0;
   const int frames_per_buffer = buffer_len / p.pcm_frame_bytes;
   if (frames_per_buffer <= 0)
      return -1;
   const int channels = p.stereo ? 2 : 1;
   const int sample_frames = p.pcm_frame_bytes * frames_per_buffer / channels / (p.bits / 8);
   p.stream.reset(play_audio_stream(sample_frames, p.bits, p.stereo ? TRUE : FALSE, p.freq, vol, pan));
   if (!p.stream)
      return -1;
   p.frames_per_buffer = frames_per_buffer;
   if (speed != 1000)
      adjust_sample(p.stream->samp, vol, pan, speed, -1);
   p.loop = loop;
   p.end_countdown = 0;
   if (p.autopoll)
      install_param_int(autopoll_tick, player, p.autopoll_ms);
   return 0;
}

void mp3_player_stop(MP3_PLAYER *player)
{
   if (!player || !player->stream)
      return;
   if (player->autopoll)
      remove_param_int(autopoll_tick, player);
   player->stream.reset();
}

void mp3_player_adjust(MP3_PLAYER *player, int vol, int pan, int speed, int loop)
{
   if (!player || !player->stream)
      return;
   adjust_sample(player->stream->samp, vol, pan, speed, -1);
   player->loop = loop;
}

void mp3_player_set_loop(MP3_PLAYER *player, int loop)
{
   if (player && player->stream)
      player->loop = loop;
}

int mp3_player_poll(MP3_PLAYER *player)
{
   if (!player || !player->stream)
      return -1;
   MP3_PLAYER &p = *player;
   auto *buffer = static_cast<uint8_t *>(get_audio_stream_buffer(p.stream.get()));
   if (!buffer)
      return 0;
   std::memset(buffer, 0, static_cast<size_t>(buffer_bytes(p)));

   if (!p.loop && p.end_countdown > 0) {
      hand_over(p, buffer);
      if (p.end_countdown-- == 1) {
         mp3_player_stop(player);
         return 1;
      }
      return 0;
   }
   if (p.resync) {
      p.end_countdown = 0;
      p.decoder.reset();
      p.resync = 0;
   }

   const int filled = fill(p, buffer);
   if (filled == 1)
      return 0;
   if (filled < 0) {
      hand_over(p, buffer);
      mp3_player_stop(player);
      rewind_to_start(p);
      return -2;
   }
   hand_over(p, buffer);
   // The end is reached only once the decoder holds no whole frame either.
   if (at_end(p) && !p.decoder.frame_ready()) {
      rewind_to_start(p);
      if (!p.loop)
         p.end_countdown = 2;
   }
   return 0;
}

void mp3_player_start_autopoll(MP3_PLAYER *player, int msecs)
{
   if (!player || player->autopoll)
      return;
   player->autopoll = -1;
   player->autopoll_ms = msecs;
   if (player->stream)
      install_param_int(autopoll_tick, player, msecs);
}

void mp3_player_stop_autopoll(MP3_PLAYER *player)
{
   if (!player || !player->autopoll)
      return;
   player->autopoll = 0;
   if (player->stream)
      remove_param_int(autopoll_tick, player);
}

void *mp3_player_output_buffer(MP3_PLAYER *player, int *length)
{
   if (!player || !player->stream)
      return nullptr;
   if (length)
      *length = buffer_bytes(*player);
   return player->stream->samp->data;
}
