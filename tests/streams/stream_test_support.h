// Shared by the stream tests: the files make_*_files.sh build with reference
// decodes, an MPEG frame walk that knows the header layout from the standard
// rather than from the code under test, owning handles, one stream driver.
#pragma once

#include "capture_sound.h"
#include "streams/mp3_player.h"
#include "streams/ogg_player.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace kstr::test {

using Bytes = std::vector<uint8_t>;

// testdata/<name>, e.g. "mp3/vbr_44k_stereo.mp3"; a missing file fails the test.
inline Bytes load(const std::string &name)
{
   const char *root = std::getenv("KSTR_TEST_DATA");
   std::ifstream in(std::string(root ? root : "testdata") + "/" + name, std::ios::binary);
   Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
   EXPECT_FALSE(bytes.empty()) << "missing test file " << name;
   return bytes;
}

// References in the players' output format, unsigned 16-bit little-endian:
// oggdec's decode as it is, the mpg123 program's with the sign bits flipped.
inline Bytes ogg_reference(const std::string &stem)
{
   return load("ogg/" + stem + ".raw");
}
inline Bytes mp3_reference(const std::string &name)
{
   Bytes pcm = load("mp3/" + name.substr(0, name.rfind('.')) + ".raw");
   for (size_t i = 1; i < pcm.size(); i += 2)
      pcm[i] ^= 0x80;
   return pcm;
}

inline Bytes part(const Bytes &bytes, size_t from, size_t to)
{
   to = std::min(to, bytes.size());
   return Bytes(bytes.begin() + static_cast<long>(std::min(from, to)), bytes.begin() + static_cast<long>(to));
}

inline Bytes inserted(Bytes file, size_t offset, const Bytes &insert)
{
   file.insert(file.begin() + static_cast<long>(offset), insert.begin(), insert.end());
   return file;
}

// Equality that reports where two decodes part instead of printing them.
inline testing::AssertionResult same_pcm(const Bytes &got, const Bytes &want)
{
   if (got == want)
      return testing::AssertionSuccess();
   const size_t n = std::min(got.size(), want.size());
   const auto at = std::mismatch(got.begin(), got.begin() + static_cast<long>(n), want.begin()).first - got.begin();
   return testing::AssertionFailure() << got.size() << " bytes against " << want.size() << ", first difference at "
                                      << at;
}

inline bool is_silence(const Bytes &pcm)
{
   for (size_t i = 0; i < pcm.size(); ++i)
      if (pcm[i] != (i % 2 ? 0x80 : 0x00))
         return false;
   return true;
}

struct Frame {
   int offset, size;  // size with the header
};

// The MPEG-1/2/2.5 Layer II/III frames following each other from `start`.
inline std::vector<Frame> walk_frames(const Bytes &file, int start = 0)
{
   static const int kbps[3][16] = {{0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
                                   {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},
                                   {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0}};
   static const int rates[4][3] = {{11025, 12000, 8000}, {0, 0, 0}, {22050, 24000, 16000}, {44100, 48000, 32000}};
   std::vector<Frame> frames;
   for (int pos = start; pos + 4 <= static_cast<int>(file.size());) {
      const uint8_t *p = file.data() + pos;
      const int version = (p[1] >> 3) & 3, layer = (p[1] >> 1) & 3, bitrate = p[2] >> 4, rate = (p[2] >> 2) & 3;
      if (p[0] != 0xFF || (p[1] & 0xE0) != 0xE0 || version == 1 || (layer != 1 && layer != 2) || rate == 3 ||
          bitrate == 0 || bitrate == 15)
         break;
      const bool lsf = version != 3, layer3 = layer == 1;
      const int table = lsf ? 2 : layer3 ? 1 : 0, padding = (p[2] >> 1) & 1;
      const int size = (layer3 && lsf ? 72 : 144) * kbps[table][bitrate] * 1000 / rates[version][rate] + padding;
      if (pos + size > static_cast<int>(file.size()))
         break;
      frames.push_back({pos, size});
      pos += size;
   }
   return frames;
}

inline int id3v2_end(const Bytes &file)
{
   return 10 + (file[6] << 21 | file[7] << 14 | file[8] << 7 | file[9]);
}

// Bytes that hold no MPEG header anywhere: no 0xFF byte at all.
inline Bytes garbage(size_t count)
{
   std::mt19937 random(1);
   Bytes bytes(count);
   std::generate(bytes.begin(), bytes.end(), [&] { return static_cast<uint8_t>(random() % 255); });
   return bytes;
}

// An Ogg file up to a few bytes into its third page, the first audio page.
inline Bytes headers_only(const Bytes &ogg)
{
   const std::string text(ogg.begin(), ogg.end());
   return part(ogg, 0, text.find("OggS", text.find("OggS", 1) + 1) + 10);
}

struct Destroy {
   void operator()(MP3_PLAYER *p) const { mp3_player_destroy(p); }
   void operator()(OGG_PLAYER *p) const { ogg_player_destroy(p); }
   void operator()(SAMPLE *s) const { destroy_sample(s); }
};
using Sample = std::unique_ptr<SAMPLE, Destroy>;

inline Bytes pcm_of(const SAMPLE *s)
{
   const auto *data = static_cast<const uint8_t *>(s->data);
   return Bytes(data, data + s->len * (s->stereo ? 4 : 2));
}

// The operations both players share, overloaded on the player type.
// clang-format off
#define KSTR_PLAYER_OPS(P, op) \
   inline P *create(const Bytes &b, P *) { return op##_create(b.data(), static_cast<int>(b.size())); } \
   inline int play_ex(P *p, int len, int speed, int loop) { return op##_play_ex(p, len, 255, 128, speed, loop); } \
   inline void stop(P *p) { op##_stop(p); } \
   inline int poll(P *p) { return op##_poll(p); } \
   inline AUDIOSTREAM *audio_stream(P *p) { return op##_audio_stream(p); } \
   inline int is_playing(P *p) { return op##_is_playing(p); } \
   inline void set_loop(P *p, int loop) { op##_set_loop(p, loop); } \
   inline void adjust(P *p, int vol, int pan, int speed, int loop) { op##_adjust(p, vol, pan, speed, loop); } \
   inline void start_autopoll(P *p, int ms) { op##_start_autopoll(p, ms); } \
   inline void stop_autopoll(P *p) { op##_stop_autopoll(p); } \
   inline int pos_msecs(P *p) { return op##_pos_msecs(p); } \
   inline void *output_buffer(P *p, int *bytes) { return op##_output_buffer(p, bytes); } \
   inline SAMPLE *make_sample(P *p) { return op##_make_sample(p); }
// clang-format on
KSTR_PLAYER_OPS(MP3_PLAYER, mp3_player)
KSTR_PLAYER_OPS(OGG_PLAYER, ogg_player)
#undef KSTR_PLAYER_OPS

// A player with the block it reads in place, which moves along with it.
template <class P>
struct Open {
   explicit Open(Bytes bytes) : block(std::move(bytes)), player(create(block, static_cast<P *>(nullptr))) {}
   P *get() const { return player.get(); }
   explicit operator bool() const { return player != nullptr; }
   Bytes block;
   std::unique_ptr<P, Destroy> player;
};
inline Open<MP3_PLAYER> open_mp3(const std::string &name)
{
   return Open<MP3_PLAYER>(load("mp3/" + name));
}
inline Open<OGG_PLAYER> open_ogg(const std::string &stem)
{
   return Open<OGG_PLAYER>(load("ogg/" + stem + ".ogg"));
}

// Plays a stream as a steady caller would: poll until the stream takes no more
// buffers, then pull one mixer block, gap-free (see capture_sound.h). At pan 128
// with set_volume_per_voice(0) the right channel comes out exactly.
template <class P>
struct Driver {
   Driver(P *player, int buffer_len, int loop = 0, int speed = 1000) : p(player)
   {
      EXPECT_EQ(play_ex(p, buffer_len, speed, loop), 0);
   }
   P *p;
   std::vector<int> results;    // of every poll that handed a buffer over
   Bytes handed;                // those buffers, while the stream stayed
   std::vector<int16_t> heard;  // the right channel as captured

   void fill()
   {
      while (AUDIOSTREAM *s = audio_stream(p)) {
         const int bufnum = s->bufnum, r = poll(p);
         if (r == 0 && s->bufnum == bufnum)
            return;
         results.push_back(r);
         if (r != 0)
            return;  // the stream is gone
         const size_t bytes = s->len * (s->samp->stereo ? 4u : 2u);
         const auto *data = static_cast<const uint8_t *>(s->samp->data) + static_cast<size_t>(bufnum) * bytes;
         handed.insert(handed.end(), data, data + bytes);
      }
   }
   void pull()
   {
      const std::vector<int16_t> frames = capture_pull(kCaptureBlockFrames);
      for (size_t i = 1; i < frames.size(); i += 2)
         heard.push_back(frames[i]);
   }
   // Until the player stops itself, or `rounds` pulls.
   void play(int rounds = 100000)
   {
      for (int i = 0; i < rounds && is_playing(p); ++i) {
         fill();
         if (is_playing(p))
            pull();
      }
   }
};

}
