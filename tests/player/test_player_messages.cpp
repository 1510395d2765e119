// The texts a failed start shows: from the current catalogue, naming the
// file, in every shipped language; English where a catalogue lacks them.
#include "app/catalogue_items.h"
#include "allegro_env.h"
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

constexpr int ERRORS[] = {SONG_UNKNOWN_FORMAT, SONG_OPEN_FAILED, SONG_EMPTY_FILE, SONG_REFUSED,
                          SONG_NO_VOICE,       SONG_NO_SOUND,    SONG_NO_CD_DRIVE};

Translation select_catalogue(const std::string &path)
{
   Translation t(tr_load(&CATALOGUE, path.c_str(), 0));
   EXPECT_TRUE(t) << path;
   tr_select(t.get());
   return t;
}

class SongErrorTexts : public testing::Test {
protected:
   void SetUp() override
   {
      ASSERT_TRUE(start_allegro());
      tr_init();
   }
};

// Each shipped catalogue has its own text for every code, naming the file in
// the message, with one OK button after it; the codes read differently.
TEST_F(SongErrorTexts, EveryShippedCatalogueNamesTheFileAndTheReason)
{
   const std::string source = std::getenv("KSTR_SOURCE_DIR");
   std::set<std::string> seen;
   for (const char *language : {"en", "de", "fr", "es", "pl"}) {
      SCOPED_TRACE(language);
      Translation t = select_catalogue(source + "/assets/lang/" + language + ".tra");
      std::set<std::string> messages;
      for (int code : ERRORS) {
         const std::string text = song_error_text(code, "/music/a b.mp3");
         const std::size_t bar = text.find('|');
         ASSERT_NE(bar, std::string::npos) << text;
         EXPECT_NE(text.substr(0, bar).find("/music/a b.mp3"), std::string::npos) << text;
         EXPECT_EQ(text.substr(bar), "|OK");
         messages.insert(text);
         EXPECT_TRUE(seen.insert(text).second) << "the same text as another language: " << text;
      }
      EXPECT_EQ(messages.size(), std::size(ERRORS));
      EXPECT_NE(song_error_title(), "");
   }
}

// A catalogue from before these items, and no catalogue at all, give the
// English texts; a bar in the name cannot cut the message short.
TEST_F(SongErrorTexts, MissingItemsFallBackToEnglish)
{
   const std::string english = "x.ogg cannot be played: the file is empty.|OK";
   EXPECT_EQ(song_error_text(SONG_EMPTY_FILE, "x.ogg"), english);
   TempDir dir;
   Translation old = select_catalogue(dir.write("old.tra", "lang_name=Old\nyes=Ja\n"));
   EXPECT_EQ(song_error_text(SONG_EMPTY_FILE, "x.ogg"), english);
   EXPECT_EQ(song_error_title(), "Cannot play");
   EXPECT_EQ(song_error_text(SONG_NO_CD_DRIVE, "cda"), "cda cannot be played: no CD drive was found.|OK");
   EXPECT_EQ(song_error_text(SONG_OPEN_FAILED, "a|b%0.mp3"),
             "a\xA6" "b%0.mp3 cannot be played: the file is missing or cannot be read.|OK");
}

}
}
