// The engine reaches the backends that live in files of their own through its
// registry: modules by their four extensions in any case, the CD by an entry
// named "cda", and both end and hand over to the next entry as songs do.
#include "module_writer.h"
#include "player_test_support.h"

#include "temp_dir.h"

#include <allegro.h>


namespace kstr::test {
namespace {

class RegistryTest : public EngineTest {
protected:
   void SetUp() override
   {
      const char *data = std::getenv("KSTR_TEST_DATA");
      ASSERT_NE(data, nullptr);
      EngineTest::SetUp();
      // There is no drive here, so the CD control did not open at start-up;
      // a "cda" entry then opens what the setting names: the test disc image.
      set_config_string("cdaudio", "device", (std::string(data) + "/cd/disc.cue").c_str());
   }

   std::string write_song(const std::string &name, ModuleFormat format)
   {
      const std::vector<uint8_t> bytes = write_module(format, ModuleSong{.speed = 3, .tempo = 125, .rows = 8, .patterns = 1});
      return dir.write(name, std::string(bytes.begin(), bytes.end()));
   }

   TempDir dir;
};

TEST_F(RegistryTest, ModulesInAnyCaseAndTheCdPlayThroughTheEngine)
{
   set_playlist({write_song("one.Mod", ModuleFormat::MOD), write_song("TWO.S3M", ModuleFormat::S3M),
                 write_song("three.It", ModuleFormat::IT), write_song("four.xm", ModuleFormat::XM)});
   play_current_song();
   std::vector<std::pair<int, int>> played; // entry, backend
   std::vector<int16_t> heard;
   for (int i = 0; i < 4000 && song_playing; ++i) {
      if (played.empty() || played.back().first != main_playlist->current)
         played.emplace_back(main_playlist->current, backend_kind);
      listen_block(heard);
   }
   EXPECT_EQ(played, (std::vector<std::pair<int, int>>{
                        {0, BACKEND_MODULE}, {1, BACKEND_MODULE}, {2, BACKEND_MODULE}, {3, BACKEND_MODULE}}));
   EXPECT_FALSE(all_silent(heard));
   EXPECT_EQ(backend_kind, BACKEND_NONE);

   for (const char *name : {"cda", "CDA", "Cda"}) {
      EXPECT_EQ(start_song(name, false), SONG_OK) << name;
      EXPECT_EQ(backend_kind, BACKEND_CD) << name;
      EXPECT_FALSE(all_silent(listen(20))) << name;
      song_playing = 0;
      stop_backend();
   }
   EXPECT_EQ(start_song("track01.cda", false), SONG_UNKNOWN_FORMAT) << "only the whole name selects the CD";
}

}
}
