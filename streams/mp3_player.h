// MP3 stream player: plays one MPEG-1/2/2.5 Layer II or III file held whole in
// a memory block through an Allegro audio stream, one stream buffer per poll.
//
// Contract:
// - The caller owns the block given to mp3_player_create; it must outlive the
//   player and is never written or freed by it.
// - Output is 16-bit unsigned PCM (silence 0x8000), interleaved when stereo,
//   with the rate and channel count of the first frame. A later frame that
//   decodes to more PCM than the first (a change of layer, rate or channels
//   inside the file) is cut to the first frame's PCM length; the rest of it is
//   dropped, so nothing is ever written past a stream buffer or a sample.
// - Flags are -1 for true and 0 for false.
// - mp3_player_poll: 0 running, 1 finished (the stream was stopped after two
//   silent buffers), -1 not playing, -2 decoding failed (no good frame within
//   16384 bytes of a bad one; the stream was stopped). At the end, and after
//   a failure, the position is back at the first frame.
// - Stop and play serve as pause and resume: position and decoder stay.
// - Seeks to targets out of range change nothing.
// - Nothing is locked: with autopoll on, poll runs in Allegro's timer context
//   and other calls at the same time are not guarded.
#pragma once

struct AUDIOSTREAM;
struct SAMPLE;
struct MP3_PLAYER;

// Null when no frame that decodes (and is followed by another header) starts
// within 28672 bytes behind an ID3v2 tag, or memory runs out.
MP3_PLAYER *mp3_player_create(const void *data, int data_len);
// Stops, releases the decoder and the Xing record, frees the player; null is ignored.
void mp3_player_destroy(MP3_PLAYER *player);

// buffer_len in bytes, at least one frame's PCM; vol and pan 0-255; speed is
// Allegro's relative frequency (1000 = normal). 0, or -1 when the buffer is
// too small or no stream could be opened. Already playing: 0, nothing changes.
int mp3_player_play(MP3_PLAYER *player, int buffer_len, int vol, int pan);
int mp3_player_play_ex(MP3_PLAYER *player, int buffer_len, int vol, int pan, int speed, int loop);
void mp3_player_stop(MP3_PLAYER *player);
// Both only while playing.
void mp3_player_adjust(MP3_PLAYER *player, int vol, int pan, int speed, int loop);
void mp3_player_set_loop(MP3_PLAYER *player, int loop);
int mp3_player_poll(MP3_PLAYER *player);
void mp3_player_start_autopoll(MP3_PLAYER *player, int msecs);
void mp3_player_stop_autopoll(MP3_PLAYER *player);

void mp3_player_rewind(MP3_PLAYER *player);
void mp3_player_seek_frame(MP3_PLAYER *player, int frame);
void mp3_player_seek_msecs(MP3_PLAYER *player, int msecs);
void mp3_player_seek_secs(MP3_PLAYER *player, int secs);
void mp3_player_seek_bytes(MP3_PLAYER *player, int bytes);
void mp3_player_skip_frames(MP3_PLAYER *player, int frames);
void mp3_player_skip_msecs(MP3_PLAYER *player, int msecs);
void mp3_player_skip_secs(MP3_PLAYER *player, int secs);
void mp3_player_skip_bytes(MP3_PLAYER *player, int bytes);

// Times are truncated toward zero; milliseconds per frame are truncated
// before they are multiplied, so a length can read shorter than the last
// position reached. Results saturate at the int range.
int mp3_player_pos_frames(MP3_PLAYER *player);
int mp3_player_pos_msecs(MP3_PLAYER *player);
int mp3_player_pos_secs(MP3_PLAYER *player);
int mp3_player_pos_bytes(MP3_PLAYER *player);
int mp3_player_length_frames(MP3_PLAYER *player);
int mp3_player_length_msecs(MP3_PLAYER *player);
int mp3_player_length_secs(MP3_PLAYER *player);
int mp3_player_length_bytes(MP3_PLAYER *player);
int mp3_player_msecs_per_frame(MP3_PLAYER *player);

int mp3_player_bitrate(MP3_PLAYER *player);
int mp3_player_layer(MP3_PLAYER *player);
int mp3_player_wave_bits(MP3_PLAYER *player);
int mp3_player_wave_stereo(MP3_PLAYER *player);
int mp3_player_wave_freq(MP3_PLAYER *player);
int mp3_player_is_playing(MP3_PLAYER *player);
int mp3_player_is_looping(MP3_PLAYER *player);
AUDIOSTREAM *mp3_player_audio_stream(MP3_PLAYER *player);
// The stream buffer's data and its length in bytes; null, and nothing
// written, when not playing.
void *mp3_player_output_buffer(MP3_PLAYER *player, int *length);

// The whole file decoded into a new sample: every frame the file decodes to,
// each at most the first frame's PCM length. The player is stopped first and
// rewound afterwards. Null when a bad frame has no good one within 16384
// bytes behind it, nothing decodes, or memory runs out.
SAMPLE *mp3_player_make_sample(MP3_PLAYER *player);
