// Creating and destroying an MP3 player: tags, the scan for the first real
// frame, and the facts taken from it.
#include "streams/mp3_player.h"

#include "streams/mp3_player_record.h"

#include <allegro.h>

#include <algorithm>
#include <array>
#include <new>

namespace {

constexpr int kScanWindow = 28672;
constexpr int kScratchPcmBytes = 8192;
// No valid frame is longer than 2881 bytes (MPEG-2.5 Layer II at 160 kbit/s,
// 8 kHz), so a candidate needs no more input than this to decode.
constexpr int kCandidateFeedBytes = 4096;

constexpr std::array<int, 9> kStandardRates{44100, 48000, 32000, 22050, 24000, 16000, 11025, 12000, 8000};

struct FirstFrame {
   int offset = -1;
   int pcm_bytes = 0;
};

// The first offset of the window where a header decodes to a frame that is
// followed by another header (or by no room for one).
FirstFrame find_first_frame(kstr::Mp3Decoder &scratch, const uint8_t *data, int len, int window)
{
   std::array<uint8_t, kScratchPcmBytes> pcm;
   for (int i = 0; i < window; ++i) {
      if (!mp3_header_valid_at(data, len, i))
         continue;
      scratch.reset();
      int pcm_bytes = 0;
      const int feed = std::min(window - i, kCandidateFeedBytes);
      if (scratch.decode(data + i, feed, pcm.data(), kScratchPcmBytes, &pcm_bytes) != MP3_OK)
         continue;
      const int frame_size = scratch.facts().frame_size;
      if (frame_size <= 0)
         continue;
      const int next = i + frame_size + 4;
      if (next >= window || next > len - 4 || mp3_header_valid_at(data, len, next))
         return {i, pcm_bytes};
   }
   return {};
}

// Samples per frame when the decoder reported no PCM for the first frame.
int computed_pcm_frame_bytes(const MP3_PLAYER &p)
{
   const bool half_frame = p.layer == 3 && p.freq >= 8000 && p.freq < 24000;
   return (half_frame ? 576 : 1152) * 2 * (p.stereo ? 2 : 1);
}

}

namespace kstr::mp3 {

void StreamStopper::operator()(AUDIOSTREAM *stream) const
{
   stop_audio_stream(stream);
}

}

namespace {

MP3_PLAYER *create_player(const void *block, int block_len)
{
   if (!block || block_len <= 0)
      return nullptr;
   const auto *data = static_cast<const uint8_t *>(block);
   int len = block_len;
   const int tag_len = mp3_id3v1_length(data, len);
   len -= tag_len;
   const int id3v2_len = mp3_id3v2_length(data, len);
   if (id3v2_len >= len)
      return nullptr;
   data += id3v2_len;
   len -= id3v2_len;
   const int window = std::min(len, kScanWindow);

   kstr::Mp3Decoder scratch;
   if (!scratch.usable())
      return nullptr;
   const FirstFrame first = find_first_frame(scratch, data, len, window);
   if (first.offset < 0)
      return nullptr;
   const kstr::Mp3FrameFacts facts = scratch.facts();
   if ((facts.layer != 2 && facts.layer != 3) || facts.frame_size + 4 <= 4)
      return nullptr;

   auto player = std::unique_ptr<MP3_PLAYER>(new (std::nothrow) MP3_PLAYER);
   if (!player || !player->decoder.usable())
      return nullptr;
   MP3_PLAYER &p = *player;
   p.data_start = p.data_pos = data + first.offset;
   p.data_len = len - first.offset;
   p.lead_len = id3v2_len + first.offset;
   p.tag_len = tag_len;
   p.decoder.reset();

   p.freq = kStandardRates[static_cast<size_t>(facts.sampling_frequency)];
   p.stereo = facts.channels > 1 ? -1 : 0;
   p.bits = 16;
   p.pcm_frame_bytes = first.pcm_bytes;
   p.bitrate = mp3_bitrate_kbps(facts.lsf, facts.layer, facts.bitrate_index) * 1000;
   p.layer = facts.layer > 0 ? facts.layer : -1;
   p.frame_bytes = facts.frame_size + 4;
   if (p.pcm_frame_bytes <= 0)
      p.pcm_frame_bytes = computed_pcm_frame_bytes(p);

   p.xing = mp3_read_xing(p.data_start, p.data_len, facts.lsf, facts.mode);
   p.total_frames = p.xing && (p.xing->flags & XING_FRAMES_FLAG) ? p.xing->frames : p.data_len / p.frame_bytes;
   return player.release();
}

}

MP3_PLAYER *mp3_player_create(const void *block, int block_len)
{
   try {
      return create_player(block, block_len);
   } catch (const std::bad_alloc &) {
      return nullptr;
   }
}

void mp3_player_destroy(MP3_PLAYER *player)
{
   if (!player)
      return;
   mp3_player_stop(player);
   delete player;
}

int mp3_player_bitrate(MP3_PLAYER *player)
{
   return player ? player->bitrate : 0;
}
int mp3_player_layer(MP3_PLAYER *player)
{
   return player ? player->layer : 0;
}
int mp3_player_wave_bits(MP3_PLAYER *player)
{
   return player ? player->bits : 0;
}
int mp3_player_wave_stereo(MP3_PLAYER *player)
{
   return player ? player->stereo : 0;
}
int mp3_player_wave_freq(MP3_PLAYER *player)
{
   return player ? player->freq : 0;
}
int mp3_player_is_playing(MP3_PLAYER *player)
{
   return player && player->stream ? -1 : 0;
}
int mp3_player_is_looping(MP3_PLAYER *player)
{
   return player && player->stream ? player->loop : 0;
}
AUDIOSTREAM *mp3_player_audio_stream(MP3_PLAYER *player)
{
   return player ? player->stream.get() : nullptr;
}
