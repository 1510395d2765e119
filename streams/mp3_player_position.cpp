// Positions, lengths and seeks of an MP3 player, in frames, milliseconds,
// seconds and bytes.
#include "streams/mp3_player.h"

#include "streams/mp3_player_record.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

using namespace kstr::mp3;

int saturate(int64_t value)
{
   return static_cast<int>(std::clamp<int64_t>(value, INT_MIN, INT_MAX));
}

bool in_frames(const MP3_PLAYER &p, int64_t frame)
{
   return frame >= 0 && frame < p.total_frames;
}

// Offsets from a lying Xing record or a fallback past the end stop at the end
// of the data, where the next poll finds the end.
void move_to(MP3_PLAYER &p, int64_t offset, int frame)
{
   p.data_pos = p.data_start + std::clamp<int64_t>(offset, 0, p.data_len);
   p.cur_frame = frame;
   p.resync = -1;
}

void seek_frame(MP3_PLAYER &p, int64_t frame)
{
   if (!in_frames(p, frame))
      return;
   const int f = static_cast<int>(frame);
   const int offset = mp3_frame_to_offset(p.xing.get(), p.data_len, f);
   move_to(p, offset >= 0 ? offset : int64_t{f} * p.frame_bytes, f);
}

void skip_frames(MP3_PLAYER &p, int64_t delta)
{
   const int64_t frame = p.cur_frame + delta;
   if (!in_frames(p, frame))
      return;
   const int f = static_cast<int>(frame);
   const int offset = mp3_frame_to_offset(p.xing.get(), p.data_len, f);
   move_to(p, offset >= 0 ? offset : data_offset(p) + delta * p.frame_bytes, f);
}

void seek_bytes(MP3_PLAYER &p, int64_t bytes)
{
   if (bytes < -p.lead_len || bytes >= p.data_len)
      return;
   const int b = static_cast<int>(std::max<int64_t>(bytes, 0));
   move_to(p, b, b / p.frame_bytes);
}

// Frames in a span of milliseconds, at the whole milliseconds one frame lasts.
bool frames_in(MP3_PLAYER *player, int64_t msecs, int64_t &frames)
{
   const int per_frame = mp3_player_msecs_per_frame(player);
   if (per_frame <= 0)
      return false;
   frames = msecs / per_frame;
   return true;
}

}

void mp3_player_rewind(MP3_PLAYER *player)
{
   if (player)
      rewind_to_start(*player);
}

void mp3_player_seek_frame(MP3_PLAYER *player, int frame)
{
   if (player)
      seek_frame(*player, frame);
}

void mp3_player_seek_msecs(MP3_PLAYER *player, int msecs)
{
   int64_t frames = 0;
   if (frames_in(player, msecs, frames))
      seek_frame(*player, frames);
}

void mp3_player_seek_secs(MP3_PLAYER *player, int secs)
{
   int64_t frames = 0;
   if (frames_in(player, int64_t{secs} * 1000, frames))
      seek_frame(*player, frames);
}

void mp3_player_skip_frames(MP3_PLAYER *player, int frames)
{
   if (player)
      skip_frames(*player, frames);
}

void mp3_player_skip_msecs(MP3_PLAYER *player, int msecs)
{
   int64_t frames = 0;
   if (frames_in(player, msecs, frames))
      skip_frames(*player, frames);
}

void mp3_player_skip_secs(MP3_PLAYER *player, int secs)
{
   int64_t frames = 0;
   if (frames_in(player, int64_t{secs} * 1000, frames))
      skip_frames(*player, frames);
}

void mp3_player_seek_bytes(MP3_PLAYER *player, int bytes)
{
   if (player)
      seek_bytes(*player, bytes);
}

void mp3_player_skip_bytes(MP3_PLAYER *player, int bytes)
{
   if (player)
      seek_bytes(*player, int64_t{data_offset(*player)} + bytes);
}

int mp3_player_pos_frames(MP3_PLAYER *player)
{
   return player ? player->cur_frame : 0;
}

int mp3_player_pos_msecs(MP3_PLAYER *player)
{
   if (!player)
      return 0;
   const MP3_PLAYER &p = *player;
   const double bytes = static_cast<double>(p.cur_frame) * p.pcm_frame_bytes;
   const double msecs = bytes / sample_frame_bytes(p) / p.freq * 1000.0;
   return saturate(static_cast<int64_t>(msecs));
}

int mp3_player_pos_secs(MP3_PLAYER *player)
{
   return mp3_player_pos_msecs(player) / 1000;
}

int mp3_player_pos_bytes(MP3_PLAYER *player)
{
   return player ? data_offset(*player) + player->lead_len : 0;
}

int mp3_player_length_frames(MP3_PLAYER *player)
{
   return player ? player->total_frames : 0;
}

int mp3_player_msecs_per_frame(MP3_PLAYER *player)
{
   if (!player)
      return 0;
   const MP3_PLAYER &p = *player;
   const double per_frame =
      static_cast<double>(p.pcm_frame_bytes) / (static_cast<double>(p.freq) * sample_frame_bytes(p));
   return static_cast<int>(per_frame * 1000.0);
}

int mp3_player_length_msecs(MP3_PLAYER *player)
{
   if (!player)
      return 0;
   return saturate(int64_t{mp3_player_msecs_per_frame(player)} * player->total_frames);
}

int mp3_player_length_secs(MP3_PLAYER *player)
{
   return mp3_player_length_msecs(player) / 1000;
}

int mp3_player_length_bytes(MP3_PLAYER *player)
{
   return player ? player->lead_len + player->data_len + player->tag_len : 0;
}
