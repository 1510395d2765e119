// The engine under test: sound installed by player_init itself on the
// capture driver (with Allegro's software synthesiser and the freepats
// patches for MIDI), a playlist of the real files make_player_files.sh
// writes, and the poll run before every mixed block as the program runs it.
#pragma once

#include "allegro_env.h"
#include "capture_sound.h"
#include "digmid_patches.h"
#include "pcm_compare.h"
#include "player/engine.h"
#include "player/engine_state.h"
#include "playlist/playlist.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace kstr::test {

// testdata/player/<name>.
inline std::string song_path(const std::string &name)
{
   return test_data("player/" + name);
}

// The right channel heard for the reference decode testdata/player/<raw>.
inline std::vector<int16_t> reference_right(const std::string &raw, int channels = 2)
{
   return expected_right(read_pcm(song_path(raw)), channels);
}

// player_init on the capture driver, every voice at full level (the right
// channel of a centred voice then carries the fed values exactly), and an
// empty playlist.
inline void start_player()
{
   const std::string patches = digmid_patch_index();
   ASSERT_FALSE(patches.empty());
   ASSERT_TRUE(start_allegro("[sound]\nmidi_card = DIGI\npatches = " + patches + "\n"));
   ASSERT_TRUE(register_capture_sound(44100));
   ASSERT_EQ(player_init(), 0);
   ASSERT_EQ(digi_driver->id, capture_driver_id());
   set_volume_per_voice(0);
   main_playlist = playlist_create();
   ASSERT_NE(main_playlist, nullptr);
}

inline void stop_player()
{
   song_playing = 0;
   stop_backend();
   playlist_destroy(main_playlist);
   main_playlist = nullptr;
}

class EngineTest : public testing::Test {
 protected:
   void SetUp() override { start_player(); }
   void TearDown() override { stop_player(); }

   // Appends the entries; the first of the list is current.
   void set_playlist(std::initializer_list<std::string> names)
   {
      for (const std::string &name : names)
         ASSERT_EQ(playlist_insert(main_playlist, main_playlist->count, name.c_str(), 0), 0);
      main_playlist->current = 0;
   }

   // The right channel of `blocks` mixer blocks, each after as many poll runs
   // as a stream could want; with `to_the_end`, until the player stopped by
   // itself instead (at most `blocks`). The left channel goes to `left`.
   std::vector<int16_t> listen(size_t blocks, bool to_the_end = false)
   {
      std::vector<int16_t> heard;
      for (size_t b = 0; b < blocks && (song_playing || !to_the_end); ++b) {
         for (int i = 0; i < 4; ++i)
            serve_player();
         const std::vector<int16_t> block = capture_pull(kCaptureBlockFrames);
         for (size_t i = 0; i < block.size(); i += 2) {
            left.push_back(block[i]);
            heard.push_back(block[i + 1]);
         }
      }
      return heard;
   }
   std::vector<int16_t> listen_to_the_end() { return listen(2000, true); }

   std::vector<int16_t> left;
   static double live_position() { return engine_state().live ? engine_state().live->position() : -1; }
   static double live_length() { return engine_state().live ? engine_state().live->length() : -1; }
};

}
