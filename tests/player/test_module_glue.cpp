// Our DUMB-to-Allegro player through the capture sound driver: what it hands
// to Allegro against DUMB's own rendering, the end of a song, pause and seek.
#include "module_test_support.h"

#include <allegro.h>

#include <algorithm>

namespace {

using namespace kstr::test;

class ModuleGlue : public testing::Test {
protected:
   void SetUp() override
   {
      set_volume_per_voice(0);
      ASSERT_TRUE(install_capture_sound(44100));
      dumb_register_packfiles();
      dumb_resampling_quality = 1;
   }

   DuhPtr load(ModuleFormat format)
   {
      DuhPtr duh = load_module_file(format, write_module_file(dir, format));
      EXPECT_TRUE(duh) << "loaded through packfiles";
      return duh;
   }

   TempDir dir;
};

bool silent(const Pcm &pcm)
{
   return std::all_of(pcm.begin(), pcm.end(), [](uint16_t v) { return v == 0x8000; });
}
bool silent(const std::vector<int16_t> &heard)
{
   return std::all_of(heard.begin(), heard.end(), [](int16_t v) { return v == 0; });
}

// Frames the voice has played: those heard plus those mixed ahead.
long voice_frames(const StreamWatch &w) { return static_cast<long>(w.heard.size()) + capture_surplus_frames(); }
long position_of(long frames, int freq) { return static_cast<long>(static_cast<int64_t>(frames) * 65536 / freq); }

}

// Every format, at the mixing rate and at two others, with the smallest and
// largest buffers the settings offer: the stream carries exactly DUMB's
// rendering in small steps, then silence (DUMB alters the whole call in which
// a song ends: with one call a 64 Ki-frame buffer the last one would differ).
// At the mixing rate the voice is heard sample for sample. The position
// follows the voice. The song ends once, within a mixer block of its length,
// and the stream goes with it.
TEST_F(ModuleGlue, HandsAllegroWhatDumbRendersAndEndsOnce)
{
   struct Setting {
      int freq, bufsize, quality;
   };
   for (ModuleFormat format : kModuleFormats)
      for (Setting c : {Setting{44100, 4096, 1}, {44100, 65536, 1}, {22050, 8192, 2}, {48000, 1024, 0}}) {
         SCOPED_TRACE(module_extension(format) + " at " + std::to_string(c.freq));
         dumb_resampling_quality = c.quality;
         DuhPtr duh = load(format);
         ASSERT_TRUE(duh);
         const Pcm reference = reference_render(duh.get(), c.freq);
         const long frames = static_cast<long>(reference.size() / 2);
         EXPECT_NEAR(static_cast<double>(frames), song_seconds({}) * c.freq, 2.0);

         AlDuhPlayerPtr player(al_start_duh(duh.get(), 2, 0, 1.0f, c.bufsize, c.freq));
         ASSERT_TRUE(player);
         const AUDIOSTREAM *s = al_duh_get_audiostream(player.get());
         EXPECT_EQ(s->len, c.bufsize);
         EXPECT_EQ(s->samp->freq, c.freq);
         EXPECT_EQ(s->samp->bits, 16);
         EXPECT_TRUE(s->samp->stereo);
         StreamWatch w(player.get());
         const long heard_frames = frames * 44100 / c.freq;
         if (c.freq == 44100) {
            w.play_until(heard_frames / 2);
            EXPECT_EQ(al_duh_get_position(player.get()), position_of(voice_frames(w), c.freq));
         }
         const long end = w.play_to_end(2 * heard_frames);
         EXPECT_NEAR(static_cast<double>(end), static_cast<double>(heard_frames), 2 * kCaptureBlockFrames);
         EXPECT_TRUE(same_signal(slice(w.handed, 0, reference.size()), reference));
         EXPECT_TRUE(silent(slice(w.handed, reference.size())));
         EXPECT_EQ(al_duh_get_audiostream(player.get()), nullptr);
         EXPECT_EQ(al_duh_get_position(player.get()), -1);
         EXPECT_NE(al_poll_duh(player.get()), 0) << "stays ended";
         for (int i = 0; i < 8; ++i)
            w.pull();
         if (c.freq == 44100) {
            EXPECT_TRUE(same_signal(slice(w.heard, 0, static_cast<size_t>(frames)), expected_right(reference)));
            EXPECT_TRUE(silent(slice(w.heard, static_cast<size_t>(frames))));
         } else {
            EXPECT_TRUE(silent(slice(w.heard, static_cast<size_t>(heard_frames + 2 * kCaptureBlockFrames))));
         }
      }
}

// Pausing stops the voice and the feeding: the position holds, nothing more
// is handed over, silence is heard; resuming plays on from the same frame.
TEST_F(ModuleGlue, PauseHoldsThePositionAndResumesWithoutAGap)
{
   for (ModuleFormat format : kModuleFormats) {
      SCOPED_TRACE(module_extension(format));
      DuhPtr duh = load(format);
      ASSERT_TRUE(duh);
      const Pcm reference = reference_render(duh.get(), 44100);
      AlDuhPlayerPtr player(al_start_duh(duh.get(), 2, 0, 1.0f, 2048, 44100));
      ASSERT_TRUE(player);
      StreamWatch w(player.get());
      w.play_until(30000);
      al_pause_duh(player.get());
      const long played = voice_frames(w), position = al_duh_get_position(player.get());
      EXPECT_EQ(position, position_of(played, 44100));
      const size_t handed = w.handed.size();
      for (int i = 0; i < 40; ++i) { // more than the stream's two halves
         EXPECT_TRUE(w.poll());
         w.pull();
      }
      EXPECT_EQ(w.handed.size(), handed);
      EXPECT_EQ(al_duh_get_position(player.get()), position);
      std::vector<int16_t> expected = expected_right(reference, 0, static_cast<size_t>(played));
      expected.resize(w.heard.size(), 0);
      al_resume_duh(player.get());
      EXPECT_GT(w.play_to_end(200000), 0);
      for (int i = 0; i < 4; ++i)
         w.pull();
      const std::vector<int16_t> rest = expected_right(reference, static_cast<size_t>(played));
      expected.insert(expected.end(), rest.begin(), rest.end());
      EXPECT_TRUE(same_signal(slice(w.heard, 0, expected.size()), expected));
      EXPECT_TRUE(same_signal(slice(w.handed, 0, reference.size()), reference));
   }
}

// A seek restarts rendering where asked with a fresh stream: the position
// reads the target at once, and from there on the stream carries and the
// voice plays DUMB's rendering from that point, to the song's end. A seek
// while paused stays paused; one at or past the end ends the song.
TEST_F(ModuleGlue, SeekLandsWhereAsked)
{
   for (ModuleFormat format : kModuleFormats) {
      SCOPED_TRACE(module_extension(format));
      DuhPtr duh = load(format);
      ASSERT_TRUE(duh);
      const long length = duh_get_length(duh.get());
      for (auto [played, target, paused] : {std::tuple{20000L, length * 3 / 4, false}, {60000L, length / 8, true}}) {
         SCOPED_TRACE(target);
         AlDuhPlayerPtr player(al_start_duh(duh.get(), 2, 0, 1.0f, 2048, 44100));
         ASSERT_TRUE(player);
         StreamWatch w(player.get());
         w.play_until(played);
         if (paused)
            al_pause_duh(player.get());
         ASSERT_EQ(al_duh_seek(player.get(), target), 0);
         EXPECT_EQ(al_duh_get_position(player.get()), target);
         const size_t handed_at = w.handed.size();
         w.heard.clear();
         w.restart();
         if (paused) {
            for (int i = 0; i < 20; ++i) {
               EXPECT_TRUE(w.poll());
               w.pull();
            }
            EXPECT_TRUE(silent(w.heard));
            EXPECT_EQ(al_duh_get_position(player.get()), target);
            w.heard.clear();
            al_resume_duh(player.get());
         }
         const Pcm from_there = reference_render(duh.get(), 44100, target);
         EXPECT_NEAR(static_cast<double>(w.play_to_end(200000)), static_cast<double>(from_there.size() / 2), 2 * kCaptureBlockFrames);
         for (int i = 0; i < 4; ++i)
            w.pull();
         EXPECT_TRUE(same_signal(slice(w.handed, handed_at, handed_at + from_there.size()), from_there));
         EXPECT_TRUE(same_signal(slice(w.heard, 0, from_there.size() / 2), expected_right(from_there)));
         EXPECT_EQ(al_duh_seek(player.get(), 0), -1) << "an ended song stays ended";
      }
      for (long past : {length, length + 65536}) {
         AlDuhPlayerPtr player(al_start_duh(duh.get(), 2, 0, 1.0f, 2048, 44100));
         ASSERT_TRUE(player);
         ASSERT_EQ(al_duh_seek(player.get(), past), 0);
         EXPECT_NE(al_poll_duh(player.get()), 0);
         EXPECT_EQ(al_duh_get_position(player.get()), -1);
      }
   }
}

// FastTracker stops a song at a speed of 0. DUMB would go on rendering
// there for ever; the player ends the song on that row.
TEST_F(ModuleGlue, AnXmSpeedOfZeroEndsTheSong)
{
   ModuleSong song;
   song.xm_stop_row = 8;
   DuhPtr duh = load_module_file(ModuleFormat::XM, write_module_file(dir, ModuleFormat::XM, song));
   ASSERT_TRUE(duh);
   const long frames = 8 * song.speed * 44100 * 5 / (2 * song.tempo);
   AlDuhPlayerPtr player(al_start_duh(duh.get(), 2, 0, 1.0f, 4096, 44100));
   ASSERT_TRUE(player);
   StreamWatch w(player.get());
   EXPECT_NEAR(static_cast<double>(w.play_to_end(10 * frames)), static_cast<double>(frames),
               2 * kCaptureBlockFrames);
   EXPECT_TRUE(silent(slice(w.handed, 2 * static_cast<size_t>(frames) + 4)));
}
