// The texts a failed start shows: from the current catalogue, naming the
// file, in every shipped language; English where a catalogue lacks them.
#include "allegro_env.h"
#include "app/catalogue_items.h"
#include "player/backend.h"
#include "player/song_errors.h"
#include "temp_dir.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <set>
#include <string>

namespace kstr::test {
namespace {

struct DestroyTranslation {
   void operator()(TRANSLATION *t) const
   {
      tr_select(nullptr);
      tr_destroy(t);
   }
};
using Translation = std::unique_ptr<TRANSLATION, DestroyTranslation>;

Translation select_catalogue(const std::string &path)
{
   Translation t(tr_load(&CATALOGUE, path.c_str(), 0));
   EXPECT_TRUE(t) << path;
   tr_select(t.get());
   return t;
}

// Each shipped catalogue has its own text for every code, naming the file in
// the message, with one OK button after it; the codes read differently. A
// catalogue from before these items, and no catalogue at all, give the
// English texts; a bar in the name cannot cut the message short.
TEST(SongErrorTexts, EveryLanguageNamesTheFileAndTheReasonWithEnglishAsFallback)
{
   ASSERT_TRUE(start_allegro());
   tr_init();
   const std::string english = "x.ogg cannot be played: the file is empty.|OK";
   EXPECT_EQ(song_error_text(SONG_EMPTY_FILE, "x.ogg"), english);
   std::set<std::string> seen;
   for (const char *language : {"en", "de", "fr", "es", "pl"}) {
      SCOPED_TRACE(language);
      Translation t =
         select_catalogue(std::string(std::getenv("KSTR_SOURCE_DIR")) + "/assets/lang/" + language + ".tra");
      EXPECT_NE(song_error_title(), "");
      for (int code = SONG_UNKNOWN_FORMAT; code <= SONG_NO_CD_DRIVE; ++code) {
         const std::string text = song_error_text(code, "/music/a b.mp3");
         const std::size_t bar = text.find('|');
         ASSERT_NE(bar, std::string::npos) << text;
         EXPECT_NE(text.substr(0, bar).find("/music/a b.mp3"), std::string::npos) << text;
         EXPECT_EQ(text.substr(bar), "|OK");
         EXPECT_TRUE(seen.insert(text).second) << "the same text as another code or language: " << text;
      }
   }
   TempDir dir;
   Translation old = select_catalogue(dir.write("old.tra", "lang_name=Old\nyes=Ja\n"));
   EXPECT_EQ(song_error_text(SONG_EMPTY_FILE, "x.ogg"), english);
   EXPECT_EQ(song_error_title(), "Cannot play");
   EXPECT_EQ(song_error_text(SONG_NO_CD_DRIVE, "cda"), "cda cannot be played: no CD drive was found.|OK");
   EXPECT_EQ(song_error_text(SONG_OPEN_FAILED, "a|b%0.mp3"),
             "a\xA6"
             "b%0.mp3 cannot be played: the file is missing or cannot be read.|OK");
}

}
}
