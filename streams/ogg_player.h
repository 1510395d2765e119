// Ogg Vorbis stream player: plays one Ogg Vorbis file held whole in a memory
// block through an Allegro audio stream, one stream buffer per poll.
//
// Contract:
// - The caller owns the block given to ogg_player_create; it must outlive the
//   player and is never written or freed by it. A stdio file given to
//   ogg_player_create_from_file passes to the player, which closes it when
//   destroyed; when creation fails (null) the file stays the caller's.
// - Output is 16-bit unsigned little-endian PCM (silence 0x8000), interleaved
//   when stereo, with the channel count and rate of the first logical
//   bitstream.
// - Flags are -1 for true and 0 for false.
// - ogg_player_poll: 0 running, 1 finished (the stream was stopped after two
//   silent buffers), -1 not playing, -2 decoding failed (stream stopped).
//   At the end, and after a failure, the read position is back at the start.
// - Stop and play serve as pause and resume: the read position stays.
// - Byte seeks outside 0 .. length - 1 change nothing; time seeks are left to
//   the decoder's own range tests.
// - Nothing is locked: with autopoll on, poll runs in Allegro's timer context
//   and other calls at the same time are not guarded.
#pragma once

#include <cstdio>

struct AUDIOSTREAM;
struct SAMPLE;
struct OGG_PLAYER;

// Null when the block is no Ogg Vorbis stream or memory runs out.
OGG_PLAYER *ogg_player_create(const void *data, int data_len);
OGG_PLAYER *ogg_player_create_from_file(std::FILE *file);
// Stops, releases the decoder and frees the player; null is ignored.
void ogg_player_destroy(OGG_PLAYER *player);

// buffer_len is in bytes, at least 4096; vol and pan 0-255; speed is Allegro's
// relative frequency (1000 = normal). 0, or -1 when refused or no stream could
// be opened. Already playing: 0 and nothing changes.
int ogg_player_play(OGG_PLAYER *player, int buffer_len, int vol, int pan);
int ogg_player_play_ex(OGG_PLAYER *player, int buffer_len, int vol, int pan, int speed, int loop);
void ogg_player_stop(OGG_PLAYER *player);
// Both only while playing.
void ogg_player_adjust(OGG_PLAYER *player, int vol, int pan, int speed, int loop);
void ogg_player_set_loop(OGG_PLAYER *player, int loop);
int ogg_player_poll(OGG_PLAYER *player);
void ogg_player_start_autopoll(OGG_PLAYER *player, int msecs);
void ogg_player_stop_autopoll(OGG_PLAYER *player);

void ogg_player_rewind(OGG_PLAYER *player);
void ogg_player_seek_msecs(OGG_PLAYER *player, int msecs);
void ogg_player_seek_secs(OGG_PLAYER *player, int secs);
void ogg_player_seek_bytes(OGG_PLAYER *player, int bytes);
void ogg_player_skip_msecs(OGG_PLAYER *player, int msecs);
void ogg_player_skip_secs(OGG_PLAYER *player, int secs);
void ogg_player_skip_bytes(OGG_PLAYER *player, int bytes);

// Times are truncated toward zero and saturate at the int range.
int ogg_player_pos_msecs(OGG_PLAYER *player);
int ogg_player_pos_secs(OGG_PLAYER *player);
int ogg_player_pos_bytes(OGG_PLAYER *player);
int ogg_player_length_msecs(OGG_PLAYER *player);
int ogg_player_length_secs(OGG_PLAYER *player);
int ogg_player_length_bytes(OGG_PLAYER *player);

int ogg_player_wave_stereo(OGG_PLAYER *player);
int ogg_player_wave_freq(OGG_PLAYER *player);
int ogg_player_is_playing(OGG_PLAYER *player);
int ogg_player_is_looping(OGG_PLAYER *player);
AUDIOSTREAM *ogg_player_audio_stream(OGG_PLAYER *player);
// The stream sample's data, with the bytes of one stream buffer in *length;
// null and *length untouched when not playing.
void *ogg_player_output_buffer(OGG_PLAYER *player, int *length);

// The whole file decoded into a new sample (the caller destroys it), or null.
// A playing player is stopped; the read position ends at the start.
SAMPLE *ogg_player_make_sample(OGG_PLAYER *player);
