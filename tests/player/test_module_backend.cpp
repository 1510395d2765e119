// The module backend and our DUMB-to-Allegro player under it, through the
// capture sound driver: DUMB's own rendering as the reference, the settings
// read at every start, failures that leave nothing behind, pause, seek, the
// end of a song and DUMB's clean-up at exit.
#include "allegro_env.h"
#include "module_test_support.h"

#include "player/backend.h"
#include "player/backend_module.h"
#include "player/sound_settings.h"

#include <allegro.h>
#include <dlfcn.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>

// Stands in for DUMB's own clean-up to count its runs, then runs it.
extern "C" void dumb_exit(void)
{
   std::fputs("dumb_exit ran\n", stderr);
   static const auto real = reinterpret_cast<void (*)()>(dlsym(RTLD_NEXT, "dumb_exit"));
   if (real)
      real();
}

namespace {

using namespace kstr::test;

// Section "dos" as the settings dialog saves it; null removes a key.
void module_settings(const char *freq, const char *buffer_kib, const char *resampling)
{
   set_config_string(SOUND_SECTION, "it_sound_freq", freq);
   set_config_string(SOUND_SECTION, "it_buffer_size", buffer_kib);
   set_config_string(SOUND_SECTION, "it_resampling", resampling);
}

class ModuleBackend : public testing::Test {
 protected:
   void SetUp() override
   {
      set_volume_per_voice(0);
      ASSERT_TRUE(install_capture_sound(44100));
   }
   void TearDown() override { module_backend.stop(); }

   int start(const std::string &path) { return module_backend.start(path.c_str(), nullptr); }

   TempDir dir;
};

struct StreamStopper {
   void operator()(AUDIOSTREAM *s) const { stop_audio_stream(s); }
};
using Streams = std::vector<std::unique_ptr<AUDIOSTREAM, StreamStopper>>;

// Every voice still free, each holding a stream.
Streams take_free_voices()
{
   Streams taken;
   while (AUDIOSTREAM *s = play_audio_stream(1024, 16, 1, 44100, 255, 128))
      taken.emplace_back(s);
   return taken;
}

}

// Each format by a name in any case, at the mixing rate and two others, with
// the smallest and largest buffers the settings offer: the stream carries
// exactly DUMB's rendering, then silence; at the mixing rate the voice is
// heard sample for sample. The position follows the voice in seconds; poll
// says 1 until the song ends within a mixer block of its length, then 0 for
// good, and the stream goes with it.
TEST_F(ModuleBackend, PlaysDumbsRenderingToTheEnd)
{
   struct Setting {
      const char *freq, *buffer_kib, *resampling;
   };
   const Setting settings[] = {{"44100", "4", "1"}, {"44100", "64", "1"}, {"22050", "8", "2"}, {"48000", "4", "0"}};
   const char *names[] = {"Song.Mod", "SONG.S3M", "song.xM", "sOnG.iT"};
   for (size_t f = 0; f < std::size(kModuleFormats); ++f)
      for (const Setting &s : settings) {
         const std::string path = dir.write(names[f], read_file(write_module_file(dir, kModuleFormats[f])));
         SCOPED_TRACE(path + " at " + s.freq + " Hz, " + s.buffer_kib + " KiB");
         module_settings(s.freq, s.buffer_kib, s.resampling);
         ASSERT_EQ(start(path), SONG_OK);
         EXPECT_NEAR(module_backend.length(), song_seconds({}), 0.001);
         const int freq = std::atoi(s.freq);
         const std::vector<int16_t> reference = reference_render(module_backend_duh(), freq);
         const long frames = static_cast<long>(reference.size() / 2), heard_frames = frames * 44100 / freq;
         StreamWatch w;
         if (freq == 44100) {
            w.play_until(heard_frames / 2);
            const double voice = static_cast<double>(w.heard.size()) + capture_surplus_frames();
            EXPECT_NEAR(module_backend.position(), voice / 44100, 1e-4);
         }
         EXPECT_NEAR(static_cast<double>(w.play_to_end(2 * heard_frames)), static_cast<double>(heard_frames),
                     2 * kCaptureBlockFrames);
         EXPECT_EQ(std::count(w.polls.begin(), w.polls.end(), 1), static_cast<long>(w.polls.size()) - 1);
         EXPECT_EQ(module_backend.poll(), 0) << "stays ended";
         EXPECT_EQ(module_backend.position(), 0.0);
         EXPECT_EQ(al_duh_get_audiostream(module_backend_player()), nullptr);
         for (int i = 0; i < 8; ++i)
            w.pull();
         EXPECT_TRUE(same_signal(slice(w.handed, 0, reference.size()), reference));
         EXPECT_TRUE(all_silent(w.handed, reference.size()));
         if (freq == 44100) {
            EXPECT_TRUE(starts_with(w.heard, expected_right(reference)));
         }
         EXPECT_TRUE(all_silent(w.heard, static_cast<size_t>(heard_frames + 2 * kCaptureBlockFrames)));
         module_backend.stop();
         EXPECT_EQ(module_backend_duh(), nullptr);
         EXPECT_EQ(module_backend.length(), 0.0);
      }
}

// Each start reads section "dos" again. Without "it_buffer_size" a module
// gets 8 x 1024 frames, whatever the engine's start-up copy holds; rate and
// buffer outside what the settings dialog offers (8000-48000 Hz, 4-64) are
// held to its ends; the resampling quality goes to DUMB as it is.
TEST_F(ModuleBackend, ReadsTheSettingsAtEveryStartAndClampsRateAndBuffer)
{
   const std::string path = write_module_file(dir, ModuleFormat::IT);
   struct Case {
      const char *freq, *buffer, *quality;
      int rate, frames, resampling;
   };
   const Case cases[] = {
      {nullptr, nullptr, nullptr, 22050, 8192, 1}, {"44100", "4", "2", 44100, 4096, 2},
      {"48000", "64", "0", 48000, 65536, 0},       {"7999", "3", "4", 8000, 4096, 4},
      {"48001", "65", "3", 48000, 65536, 3},       {"0", "0", "1", 8000, 4096, 1},
      {"-22050", "-16", "1", 8000, 4096, 1},       {"2000000000", "100000", "1", 48000, 65536, 1},
      {"11025", "16", "2", 11025, 16384, 2},       {nullptr, nullptr, nullptr, 22050, 8192, 1},
   };
   it_buffer_size = 16;
   for (const Case &c : cases) {
      SCOPED_TRACE(testing::Message() << (c.freq ? c.freq : "-") << " " << (c.buffer ? c.buffer : "-"));
      module_settings(c.freq, c.buffer, c.quality);
      dumb_resampling_quality = -1;
      ASSERT_EQ(start(path), SONG_OK);
      const AUDIOSTREAM *s = al_duh_get_audiostream(module_backend_player());
      ASSERT_NE(s, nullptr);
      EXPECT_EQ(s->samp->freq, c.rate);
      EXPECT_EQ(s->len, c.frames);
      EXPECT_EQ(dumb_resampling_quality, c.resampling);
      module_backend.stop();
   }
}

// A start that fails leaves no module, no player and no voice behind, and
// says why; a file cut anywhere is refused or plays to an end, never read
// past its end (run under the sanitizers); a later start plays.
TEST_F(ModuleBackend, FailedAndCutFilesLeaveNothingBehind)
{
   const std::string song = write_module_file(dir, ModuleFormat::IT);
   std::mt19937 random(7);
   std::string garbage(4000, 0);
   for (char &c : garbage)
      c = static_cast<char>(random());
   std::vector<std::pair<std::string, int>> cases = {
      {dir.write("header_only.it", read_file(song).substr(0, 0xC0)), SONG_REFUSED},
      {dir.file("missing.it"), SONG_OPEN_FAILED},
      {dir.write("empty.mod", ""), SONG_EMPTY_FILE},
      {dir.write("song.txt", read_file(song)), SONG_UNKNOWN_FORMAT},
      {dir.write("song", read_file(song)), SONG_UNKNOWN_FORMAT},
   };
   for (ModuleFormat format : kModuleFormats)
      cases.emplace_back(dir.write("x." + module_extension(format), garbage), SONG_REFUSED);
   const size_t voices = take_free_voices().size();
   ASSERT_GT(voices, 0u);
   for (const auto &[name, result] : cases) {
      SCOPED_TRACE(name);
      EXPECT_EQ(start(name), result);
      EXPECT_EQ(module_backend_duh(), nullptr);
      EXPECT_EQ(module_backend_player(), nullptr);
      EXPECT_EQ(take_free_voices().size(), voices);
      EXPECT_EQ(module_backend.poll(), 0) << "nothing plays";
      EXPECT_EQ(module_backend.length(), 0.0);
   }

   module_settings("44100", "4", "1");
   for (ModuleFormat format : kModuleFormats) {
      const std::string whole = read_file(write_module_file(dir, format));
      for (size_t size : {size_t{1}, size_t{60}, size_t{200}, whole.size() / 2, whole.size() - 300, whole.size() - 1}) {
         SCOPED_TRACE(module_extension(format) + " cut to " + std::to_string(size));
         const int result = start(dir.write("cut." + module_extension(format), whole.substr(0, size)));
         EXPECT_TRUE(result == SONG_OK || result == SONG_REFUSED) << result;
         int polls = 0;
         for (; polls < 2000 && module_backend.poll() == 1; ++polls)
            capture_pull(kCaptureBlockFrames);
         EXPECT_LT(polls, 2000) << "ends";
         module_backend.stop();
      }
   }

   Streams taken = take_free_voices();
   EXPECT_EQ(start(song), SONG_NO_VOICE);
   EXPECT_EQ(module_backend_duh(), nullptr);
   taken.pop_back();
   EXPECT_EQ(start(song), SONG_OK);
   EXPECT_EQ(module_backend.poll(), 1);
}

// Pausing stops the voice and the feeding: the position holds, nothing more
// is handed over, silence is heard, and resuming plays on from the same
// frame. A seek lands on its fraction of the length with DUMB's rendering
// from there, also while paused, which stays paused; an ended song stays
// ended; a seek to the end ends the song.
TEST_F(ModuleBackend, PauseAndSeekKeepTheSignal)
{
   module_backend.pause(1);  // nothing plays: no effect
   module_backend.seek(0.5);
   module_settings("44100", "4", "1");
   for (ModuleFormat format : kModuleFormats) {
      SCOPED_TRACE(module_extension(format));
      const std::string path = write_module_file(dir, format);
      ASSERT_EQ(start(path), SONG_OK);
      const std::vector<int16_t> reference = reference_render(module_backend_duh(), 44100);
      const double length = module_backend.length();
      StreamWatch w;
      w.play_until(30000);
      module_backend.pause(1);
      const size_t played = w.heard.size() + static_cast<size_t>(capture_surplus_frames()), handed = w.handed.size();
      const double held = module_backend.position();
      EXPECT_NEAR(held, static_cast<double>(played) / 44100, 1e-4);
      for (int i = 0; i < 40; ++i) {  // longer than the stream's two halves
         EXPECT_TRUE(w.poll());
         w.pull();
      }
      EXPECT_EQ(w.handed.size(), handed);
      EXPECT_EQ(module_backend.position(), held);
      std::vector<int16_t> expected = expected_right(reference, 2, 0, played);
      expected.resize(w.heard.size(), 0);
      const std::vector<int16_t> rest = expected_right(reference, 2, played);
      expected.insert(expected.end(), rest.begin(), rest.end());
      module_backend.pause(0);
      w.play_until(70000);
      EXPECT_TRUE(same_signal(w.heard, slice(expected, 0, w.heard.size())));

      for (auto [fraction, paused] : {std::pair{0.125, true}, {0.75, false}}) {
         SCOPED_TRACE(fraction);
         if (paused)
            module_backend.pause(1);
         module_backend.seek(fraction);
         const long target = static_cast<long>(std::floor(fraction * length * 65536));
         EXPECT_EQ(module_backend.position(), static_cast<double>(target) / 65536);
         const size_t handed_at = w.handed.size();
         w.heard.clear();
         w.restart();
         for (int i = 0; paused && i < 20; ++i) {
            EXPECT_TRUE(w.poll());
            w.pull();
         }
         EXPECT_TRUE(all_silent(w.heard)) << "a seek while paused stays paused";
         EXPECT_EQ(module_backend.position(), static_cast<double>(target) / 65536);
         w.heard.clear();
         module_backend.pause(0);
         const std::vector<int16_t> from_there = reference_render(module_backend_duh(), 44100, target);
         if (paused) {
            w.play_until(20000);
         } else {
            EXPECT_NEAR(static_cast<double>(w.play_to_end(200000)), static_cast<double>(from_there.size() / 2),
                        2 * kCaptureBlockFrames);
         }
         const size_t n = std::min(w.handed.size() - handed_at, from_there.size());
         EXPECT_TRUE(same_signal(slice(w.handed, handed_at, handed_at + n), slice(from_there, 0, n)));
         const size_t m = std::min(w.heard.size(), from_there.size() / 2);
         EXPECT_TRUE(same_signal(slice(w.heard, 0, m), expected_right(from_there, 2, 0, m)));
      }
      module_backend.seek(0.5);
      EXPECT_EQ(module_backend.poll(), 0) << "an ended song stays ended";
      ASSERT_EQ(start(path), SONG_OK);
      module_backend.seek(1.0);
      EXPECT_EQ(module_backend.poll(), 0);
      EXPECT_EQ(module_backend.position(), 0.0);
   }
}

// FastTracker stops a song at a speed of 0. DUMB would go on rendering
// there for ever; the player ends the song on that row.
TEST_F(ModuleBackend, AnXmSpeedOfZeroEndsTheSong)
{
   ModuleSong song;
   song.xm_stop_row = 8;
   module_settings("44100", "4", "1");
   ASSERT_EQ(start(write_module_file(dir, ModuleFormat::XM, song)), SONG_OK);
   const long frames = 8 * song.speed * 44100 * 5 / (2 * song.tempo);
   StreamWatch w;
   EXPECT_NEAR(static_cast<double>(w.play_to_end(10 * frames)), static_cast<double>(frames), 2 * kCaptureBlockFrames);
   EXPECT_TRUE(all_silent(w.handed, 2 * static_cast<size_t>(frames) + 4));
}

// However many modules start, DUMB's clean-up is registered once and runs
// once at exit, after which a song left playing is released cleanly.
TEST(ModuleBackendExit, DumbExitRunsOnceAtExit)
{
   GTEST_FLAG_SET(death_test_style, "threadsafe");
   EXPECT_EXIT(
      {
         TempDir dir;
         ASSERT_TRUE(install_capture_sound(44100));
         const std::string path = write_module_file(dir, ModuleFormat::MOD);
         for (int i = 0; i < 4; ++i) {
            if (module_backend.start(path.c_str(), nullptr) != SONG_OK)
               std::_Exit(2);
            module_backend.poll();
            if (i < 3)
               module_backend.stop();
         }
         std::filesystem::remove_all(dir.path());
         std::exit(0);
      },
      testing::ExitedWithCode(0), testing::Eq("dumb_exit ran\n"));
}
