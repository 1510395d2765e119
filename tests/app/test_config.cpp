#include "allegro_env.h"
#include "app/config.h"
#include "app/languages.h"
#include "player/engine.h"
#include "temp_dir.h"
#include "ui/settings_save.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

using kstr::test::TempDir;

namespace {

// Makes a temporary folder the working folder holding `ini` as kstr.ini, and
// the current configuration.
class ConfigTest : public ::testing::Test {
 protected:
   void use(const std::string &ini)
   {
      ASSERT_TRUE(kstr::test::start_allegro());
      std::filesystem::current_path(dir.path());
      if (!ini.empty())
         dir.write("kstr.ini", ini);
      set_config_file(CONFIG_FILE);
   }
   void read_all()
   {
      config_read_graphics();
      config_read_late_graphics();
      read_sound_settings();
   }
   std::string saved() { return kstr::test::read_file(dir.path() / "kstr.ini"); }
   // The value of section/key as the saved file holds it, read back from the disk.
   static std::string value(const char *section, const char *key)
   {
      set_config_file(CONFIG_FILE);
      return get_config_string(section, key, "(none)");
   }

   TempDir dir;
};

}

TEST_F(ConfigTest, FirstSaveWithoutAFileWritesEveryDefaultInOrderAndAFailedSaveSaysSo)
{
   use("");
   read_all();
   EXPECT_EQ(settings_write(), 0);
   EXPECT_EQ(saved(), "[system]\nlanguage = en\n\n"
                      "[gui]\nresx = 640\nresy = 480\ngfxmode = 0\ndepth = 2\nrefreshrate = 1\ncscheme = 0\n"
                      "mouseint = 0\nvsync = 1\nfullscreen = 1\n\n"
                      "[dos]\nvolume = 255\nmp3oggbuffer = 32\nit_buffer_size = 16\nit_sound_freq = 22050\n"
                      "it_resampling = 1\n");
   // A save that cannot reach the disk reports it.
   std::filesystem::remove(dir.path() / "kstr.ini");
   std::filesystem::create_directory(dir.path() / "kstr.ini");
   EXPECT_EQ(settings_write(), -1);
   // Allegro would write the unsaved settings at the next set_config_file, into
   // whatever folder is the working one then.
   std::filesystem::remove(dir.path() / "kstr.ini");
   flush_config_file();
}

// Past either end of its table a mode reads as the last one, the other values
// as their defaults; fullscreen has no table and keeps what it holds. A save
// replaces a hand-written resolution by the pair of the mode.
TEST_F(ConfigTest, ValuesWithoutATableEntryFallBack)
{
   for (const char *ini : {"[gui]\ngfxmode = 7\ndepth = 9\ncscheme = -1\nrefreshrate = 9\nfullscreen = 2\n",
                           "[gui]\ngfxmode = -4\ndepth = -1\ncscheme = 3\nrefreshrate = -1\nfullscreen = 2\n"
                           "resx = 1234\nresy = 567\n"}) {
      use(ini);
      read_all();
      EXPECT_EQ(std::vector<int>({gfxmode, depth, cscheme, refreshrate, fullscreen}), std::vector<int>({3, 2, 0, 1, 2}))
         << ini;
   }
   EXPECT_EQ(std::pair(config_resx(), config_resy()), std::pair(1234, 567));
   ASSERT_EQ(settings_write(), 0);
   EXPECT_EQ(value("gui", "resx") + "x" + value("gui", "resy") + " " + value("gui", "gfxmode"), "1600x1200 3");
   EXPECT_EQ(value("gui", "fullscreen"), "2");
}

TEST_F(ConfigTest, LanguageCodeLongerThanTwoLettersIsNoCode)
{
   const struct {
      const char *ini;
      bool usable;
      const char *code;
   } cases[] = {{"[system]\nlanguage = pl\n", true, "pl"},
                {"[system]\nlanguage = polish\n", false, ""},
                {"[system]\n", true, "en"}};
   for (const auto &c : cases) {
      char code[3] = "zz";
      use(c.ini);
      EXPECT_EQ(config_language_code(code), c.usable) << c.ini;
      EXPECT_STREQ(code, c.code) << c.ini;
   }
}

// The sound settings are read even without a sound driver; a save writes them
// back with the chosen language and keeps the keys it does not know.
TEST_F(ConfigTest, SaveKeepsWhatWasReadTheChosenLanguageAndUnknownKeys)
{
   use("[gui]\nmy_own = 7\n[sound]\ndigi_card = NONO\n[dos]\nverbose = 2\nvolume = 77\nmp3oggbuffer = 8\n"
       "it_buffer_size = 4\nit_sound_freq = 44100\nit_resampling = 3\n");
   EXPECT_EQ(player_init(), PLAYER_NO_SOUND);
   EXPECT_EQ(std::vector<int>({volume, mp3oggbuffer, it_buffer_size, it_sound_freq, it_resampling}),
             std::vector<int>({77, 8, 4, 44100, 3}));
   std::snprintf(language_codes[0], 3, "de");
   std::snprintf(language_codes[1], 3, "fr");
   language_count = 2;
   current_language = 1;
   ASSERT_EQ(settings_write(), 0) << saved();
   for (const auto &[section, name, expected] : {std::tuple("system", "language", "fr"),
                                                 {"gui", "my_own", "7"},
                                                 {"dos", "verbose", "2"},
                                                 {"dos", "volume", "77"},
                                                 {"dos", "it_resampling", "3"}})
      EXPECT_EQ(value(section, name), expected) << section << "/" << name;
   language_count = 0;
   current_language = 0;
}
