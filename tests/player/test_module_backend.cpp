// The module backend as the engine drives it: files by name and extension,
// the settings read at every start, failures that leave nothing behind,
// pause and seek in seconds, and DUMB's clean-up at exit.
#include "allegro_env.h"
#include "module_test_support.h"

#include "player/backend.h"
#include "player/backend_module.h"
#include "player/sound_settings.h"

#include <allegro.h>
#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
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

class ModuleBackend : public testing::Test {
protected:
   void SetUp() override
   {
      set_volume_per_voice(0);
      ASSERT_TRUE(install_capture_sound(44100));
   }
   void TearDown() override { module_backend.stop(); }

   void set_dos(const char *key, const char *value) { set_config_string(SOUND_SECTION, key, value); }

   TempDir dir;
};

std::string garbage(size_t size)
{
   std::mt19937 random(7);
   std::string bytes(size, 0);
   for (char &c : bytes)
      c = static_cast<char>(random());
   return bytes;
}

const AUDIOSTREAM *live_stream() { return al_duh_get_audiostream(module_backend_player()); }

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

// The extension picks the loader in any case, and the file opens by the name
// as given. Played to its end, the backend hands over DUMB's rendering at
// the configured settings; poll says 1 until the end, then 0; position and
// length are in seconds, the position 0 once ended.
TEST_F(ModuleBackend, PlaysEachFormatByItsNameToTheEnd)
{
   set_dos("it_sound_freq", "44100");
   set_dos("it_buffer_size", "4");
   set_dos("it_resampling", "2");
   const char *names[] = {"Song.Mod", "SONG.S3M", "song.xM", "sOnG.iT"};
   for (size_t i = 0; i < std::size(kModuleFormats); ++i) {
      const ModuleFormat format = kModuleFormats[i];
      const std::string path = dir.write(names[i], read_file(write_module_file(dir, format)));
      SCOPED_TRACE(path);
      ASSERT_EQ(module_backend.start(path.c_str(), nullptr), SONG_OK);
      ASSERT_NE(module_backend_duh(), nullptr);
      EXPECT_DOUBLE_EQ(module_backend.length(), static_cast<double>(duh_get_length(module_backend_duh())) / 65536.0);
      EXPECT_NEAR(module_backend.length(), song_seconds({}), 0.001);
      const Pcm reference = reference_render(module_backend_duh(), 44100);
      StreamWatch w(module_backend_player());
      std::vector<int> polls;
      w.poller = [&polls] { return polls.emplace_back(module_backend.poll()) == 1; };
      w.play_until(44100);
      EXPECT_NEAR(module_backend.position(), 1.0, 0.01);
      EXPECT_NEAR(static_cast<double>(w.play_to_end(200000)), static_cast<double>(reference.size() / 2), 2 * kCaptureBlockFrames);
      EXPECT_EQ(std::count(polls.begin(), polls.end(), 1), static_cast<long>(polls.size()) - 1);
      EXPECT_EQ(polls.back(), 0);
      EXPECT_EQ(module_backend.poll(), 0) << "stays ended";
      EXPECT_EQ(module_backend.position(), 0.0);
      EXPECT_TRUE(same_signal(slice(w.handed, 0, reference.size()), reference));
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
      const char *buffer, *freq, *quality;
      int frames, rate, resampling;
   };
   const Case cases[] = {
      {nullptr, nullptr, nullptr, 8192, 22050, 1},
      {"4", "44100", "2", 4096, 44100, 2},
      {"64", "48000", "0", 65536, 48000, 0},
      {"3", "7999", "4", 4096, 8000, 4},
      {"65", "48001", "3", 65536, 48000, 3},
      {"0", "0", "1", 4096, 8000, 1},
      {"-16", "-22050", "1", 4096, 8000, 1},
      {"100000", "2000000000", "1", 65536, 48000, 1},
      {"16", "11025", "2", 16384, 11025, 2},
      {nullptr, nullptr, nullptr, 8192, 22050, 1},
   };
   it_buffer_size = 16;
   for (const Case &c : cases) {
      SCOPED_TRACE(testing::Message() << (c.buffer ? c.buffer : "-") << " " << (c.freq ? c.freq : "-"));
      set_dos("it_buffer_size", c.buffer);
      set_dos("it_sound_freq", c.freq);
      set_dos("it_resampling", c.quality);
      dumb_resampling_quality = -1;
      ASSERT_EQ(module_backend.start(path.c_str(), nullptr), SONG_OK);
      ASSERT_NE(live_stream(), nullptr);
      EXPECT_EQ(live_stream()->len, c.frames);
      EXPECT_EQ(live_stream()->samp->freq, c.rate);
      EXPECT_EQ(dumb_resampling_quality, c.resampling);
      module_backend.stop();
   }
}

// A start that fails leaves no module, no player and no voice behind, and
// says why; a later start plays.
TEST_F(ModuleBackend, FailedStartsLeaveNothingBehind)
{
   const std::string song = write_module_file(dir, ModuleFormat::IT);
   const std::string it_bytes = read_file(song);
   struct Case {
      std::string name;
      int result;
   };
   const Case cases[] = {
      {dir.write("x.it", garbage(4000)), SONG_REFUSED},
      {dir.write("x.xm", garbage(4000)), SONG_REFUSED},
      {dir.write("x.s3m", garbage(4000)), SONG_REFUSED},
      {dir.write("x.mod", garbage(4000)), SONG_REFUSED},
      {dir.write("header_only.it", it_bytes.substr(0, 0xC0)), SONG_REFUSED},
      {dir.file("missing.it"), SONG_OPEN_FAILED},
      {dir.write("empty.mod", ""), SONG_EMPTY_FILE},
      {dir.write("song.txt", it_bytes), SONG_UNKNOWN_FORMAT},
      {dir.write("song", it_bytes), SONG_UNKNOWN_FORMAT},
   };
   const size_t voices = take_free_voices().size();
   ASSERT_GT(voices, 0u);
   for (const Case &c : cases) {
      SCOPED_TRACE(c.name);
      EXPECT_EQ(module_backend.start(c.name.c_str(), nullptr), c.result);
      EXPECT_EQ(module_backend_duh(), nullptr);
      EXPECT_EQ(module_backend_player(), nullptr);
      EXPECT_EQ(take_free_voices().size(), voices);
      EXPECT_EQ(module_backend.poll(), 0) << "nothing plays";
      EXPECT_EQ(module_backend.position(), 0.0);
      EXPECT_EQ(module_backend.length(), 0.0);
   }
   Streams taken = take_free_voices();
   EXPECT_EQ(module_backend.start(song.c_str(), nullptr), SONG_NO_VOICE);
   EXPECT_EQ(module_backend_duh(), nullptr);
   taken.pop_back();
   EXPECT_EQ(module_backend.start(song.c_str(), nullptr), SONG_OK);
   EXPECT_EQ(module_backend.poll(), 1);
}

// Without a sound driver nothing starts (Allegro's null driver would take
// the stream and never play it).
TEST(ModuleBackendWithoutSound, SaysThereIsNoSound)
{
   ASSERT_TRUE(start_allegro());
   TempDir dir;
   const std::string path = write_module_file(dir, ModuleFormat::S3M);
   EXPECT_EQ(module_backend.start(path.c_str(), nullptr), SONG_NO_SOUND);
   EXPECT_EQ(module_backend_duh(), nullptr);
   EXPECT_EQ(module_backend_player(), nullptr);
}

// Cut anywhere, a module is refused or plays to an end; nothing reads past
// what the file holds (run under the sanitizers).
TEST_F(ModuleBackend, TruncatedModulesAreRefusedOrPlayToAnEnd)
{
   set_dos("it_buffer_size", "4");
   for (ModuleFormat format : kModuleFormats) {
      const std::string whole = read_file(write_module_file(dir, format));
      for (size_t size : {size_t{1}, size_t{60}, size_t{200}, whole.size() / 2, whole.size() - 300, whole.size() - 1}) {
         SCOPED_TRACE(module_extension(format) + " cut to " + std::to_string(size));
         const std::string path = dir.write("cut." + module_extension(format), whole.substr(0, size));
         const int result = module_backend.start(path.c_str(), nullptr);
         EXPECT_TRUE(result == SONG_OK || result == SONG_REFUSED) << result;
         int polls = 0;
         while (polls < 2000 && module_backend.poll() == 1) {
            capture_pull(kCaptureBlockFrames);
            ++polls;
         }
         EXPECT_LT(polls, 2000) << "ends";
         module_backend.stop();
      }
   }
}

// Through the backend's own calls: a pause holds the position in seconds
// and the song goes on; a seek lands on the fraction of the length asked
// for, also while paused; a seek to the end ends the song.
TEST_F(ModuleBackend, PauseAndSeekInSeconds)
{
   set_dos("it_sound_freq", "44100");
   set_dos("it_buffer_size", "4");
   const std::string path = write_module_file(dir, ModuleFormat::XM);
   module_backend.pause(1); // nothing plays: no effect
   module_backend.seek(0.5);
   ASSERT_EQ(module_backend.start(path.c_str(), nullptr), SONG_OK);
   const double length = module_backend.length();
   StreamWatch w(module_backend_player());
   w.play_until(22050);
   module_backend.pause(1);
   const double held = module_backend.position();
   EXPECT_NEAR(held, 0.5, 0.02);
   for (int i = 0; i < 40; ++i) {
      EXPECT_EQ(module_backend.poll(), 1);
      capture_pull(kCaptureBlockFrames);
   }
   EXPECT_EQ(module_backend.position(), held);
   for (double fraction : {0.75, 0.25, -1.0}) {
      module_backend.seek(fraction);
      const double target = std::floor(std::clamp(fraction, 0.0, 1.0) * length * 65536) / 65536;
      EXPECT_EQ(module_backend.position(), target) << fraction;
      EXPECT_EQ(module_backend.poll(), 1);
      capture_pull(kCaptureBlockFrames);
      EXPECT_EQ(module_backend.position(), target) << "still paused";
   }
   module_backend.pause(0);
   for (int i = 0; i < 10; ++i) {
      EXPECT_EQ(module_backend.poll(), 1);
      capture_pull(kCaptureBlockFrames);
   }
   EXPECT_GT(module_backend.position(), 0.05);
   module_backend.seek(1.0);
   EXPECT_EQ(module_backend.poll(), 0);
   EXPECT_EQ(module_backend.position(), 0.0);
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
            for (int i = 0; i < 3; ++i) {
               if (module_backend.start(path.c_str(), nullptr) != SONG_OK)
                  std::_Exit(2);
               module_backend.poll();
               module_backend.stop();
            }
            if (module_backend.start(path.c_str(), nullptr) != SONG_OK)
               std::_Exit(2);
            module_backend.poll();
            std::filesystem::remove_all(dir.path());
            std::exit(0);
         },
         testing::ExitedWithCode(0), testing::Eq("dumb_exit ran\n"));
}
