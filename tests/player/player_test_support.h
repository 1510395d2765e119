// The engine under test: sound installed by player_init itself, on the
// capture driver (and Allegro's software synthesiser with the freepats
// patches for MIDI), a playlist of real files made by make_player_files.sh,
// and ways to run the poll and listen to what the mixer plays.
#pragma once

#include "capture_sound.h"
#include "digmid_patches.h"
#include "allegro_env.h"
#include "player/engine.h"
#include "player/engine_state.h"
#include "playlist/playlist.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

namespace kstr::test {

// testdata/player/<name>.
inline std::string song_path(const std::string &name)
{
   const char *root = std::getenv("KSTR_TEST_DATA");
   return std::string(root ? root : "testdata") + "/player/" + name;
}

inline std::vector<uint8_t> load_bytes(const std::string &path)
{
   std::ifstream in(path, std::ios::binary);
   std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
   EXPECT_FALSE(bytes.empty()) << "missing test file " << path;
   return bytes;
}

// The right channel the exact mixer path gives for a reference decode:
// 16-bit little-endian (signed or unsigned), or 8-bit unsigned, of
// `channels` channels; the last channel is the one panned right.
inline std::vector<int16_t> expected_right(const std::vector<uint8_t> &raw, int channels, int bits, bool is_signed)
{
   std::vector<int16_t> out;
   const size_t frame = static_cast<size_t>(channels * bits / 8);
   for (size_t at = frame - bits / 8; at + bits / 8 <= raw.size(); at += frame) {
      unsigned value = bits == 8 ? static_cast<unsigned>(raw[at]) << 8 : static_cast<unsigned>(raw[at] | raw[at + 1] << 8);
      if (is_signed)
         value ^= 0x8000;
      out.push_back(capture_expected(static_cast<uint16_t>(value)));
   }
   return out;
}

inline bool all_silent(const std::vector<int16_t> &pcm, size_t from = 0)
{
   for (size_t i = from; i < pcm.size(); ++i)
      if (pcm[i] != 0)
         return false;
   return true;
}

// Where `got` first differs from `want` over want's length.
inline testing::AssertionResult starts_with(const std::vector<int16_t> &got, const std::vector<int16_t> &want)
{
   if (got.size() < want.size())
      return testing::AssertionFailure() << "heard " << got.size() << " frames, the song has " << want.size();
   for (size_t i = 0; i < want.size(); ++i)
      if (got[i] != want[i])
         return testing::AssertionFailure() << "first difference at frame " << i << " of " << want.size() << ": "
                                            << got[i] << " against " << want[i];
   return testing::AssertionSuccess();
}

class EngineTest : public testing::Test {
protected:
   void SetUp() override
   {
      const std::string patches = digmid_patch_index();
      ASSERT_FALSE(patches.empty());
      ASSERT_TRUE(start_allegro("[sound]\nmidi_card = DIGI\npatches = " + patches + "\n"));
      ASSERT_TRUE(register_capture_sound(44100));
      ASSERT_EQ(player_init(), 0);
      ASSERT_EQ(digi_driver->id, capture_driver_id());
      // Full level per voice: the right channel of a centred voice then
      // carries the fed values exactly (capture_sound.h).
      set_volume_per_voice(0);
      main_playlist = playlist_create();
      ASSERT_NE(main_playlist, nullptr);
   }
   void TearDown() override
   {
      song_playing = 0;
      stop_backend();
      playlist_destroy(main_playlist);
      main_playlist = nullptr;
   }

   void set_playlist(std::initializer_list<std::string> names)
   {
      for (const std::string &name : names)
         ASSERT_EQ(playlist_insert(main_playlist, main_playlist->count, name.c_str(), 0), 0);
      main_playlist->current = 0;
   }

   // One mixer block after as many poll runs as a stream could want, the
   // right channel appended to `heard`.
   void listen_block(std::vector<int16_t> &heard)
   {
      for (int i = 0; i < 4; ++i)
         serve_player();
      const std::vector<int16_t> block = capture_pull(kCaptureBlockFrames);
      for (size_t i = 1; i < block.size(); i += 2)
         heard.push_back(block[i]);
   }

   // Listens until the player has stopped by itself (at most `max_frames`).
   std::vector<int16_t> listen_to_the_end(size_t max_frames = 44100 * 10)
   {
      std::vector<int16_t> heard;
      while (song_playing && heard.size() < max_frames)
         listen_block(heard);
      return heard;
   }

   std::vector<int16_t> listen(size_t blocks)
   {
      std::vector<int16_t> heard;
      for (size_t i = 0; i < blocks; ++i)
         listen_block(heard);
      return heard;
   }

   static double live_position() { return engine_state().live ? engine_state().live->position() : -1; }
   static double live_length() { return engine_state().live ? engine_state().live->length() : -1; }
};

}
