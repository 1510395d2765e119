#include "tra_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "app/catalogue_items.h"
#include "app/languages.h"

namespace fs = std::filesystem;

namespace {

// Works inside the temporary folder, since the scan reads "lang/" below the
// working folder.
class Languages : public TraTest {
protected:
   void SetUp() override
   {
      TraTest::SetUp();
      previous = fs::current_path();
      fs::current_path(dir.path());
   }
   void TearDown() override
   {
      free_language_names();
      fs::current_path(previous);
   }

   void write_catalogue(const std::string &code, const std::string &name)
   {
      dir.write("lang/" + code + ".tra", "# " + name + "\nlang_name=" + name + "\nyes=+\n");
   }

   std::set<std::string> table() const
   {
      std::set<std::string> entries;
      for (int i = 0; i < language_count; ++i)
         entries.insert(std::string(language_codes[i]) + ":" + language_names[i]);
      return entries;
   }

   fs::path previous;
};

TEST_F(Languages, OnlyCataloguesThatLoadAreListed)
{
   write_catalogue("en", "English");
   dir.write("lang/xx.tra", "lang_name=Broken\nthis line has no equals sign\n");
   write_catalogue("de", "Deutsch");
   dir.write("lang/abc.tra", "lang_name=Three letters\n");
   dir.write("lang/e.tra", "lang_name=One letter\n");
   dir.write("lang/fr.txt", "lang_name=Other extension\n");
   fs::create_directories(dir.path() / "lang" / "zz.tra");

   scan_languages();
   EXPECT_EQ(table(), (std::set<std::string>{"de:Deutsch", "en:English"}));
   EXPECT_EQ(tr_text(msg::lang_name), nullptr) << "the scan selects current_translation again (none)";
}

TEST_F(Languages, NoFolderGivesAnEmptyTable)
{
   scan_languages();
   EXPECT_EQ(language_count, 0);
}

TEST_F(Languages, TableStopsAtItsSizeWithMoreFiles)
{
   std::set<std::string> written;
   for (char a = 'a'; a <= 'c'; ++a) {
      for (char b = 'a'; b <= 'i'; ++b) {
         std::string code{a, b};
         write_catalogue(code, "Language " + code);
         written.insert(code + ":Language " + code);
      }
   }
   scan_languages();
   ASSERT_EQ(language_count, LANGUAGE_MAX);
   for (const auto &entry : table())
      EXPECT_TRUE(written.count(entry)) << entry;
   EXPECT_EQ(table().size(), static_cast<size_t>(LANGUAGE_MAX)) << "entries are distinct";
}

TEST_F(Languages, ScanKeepsTheProgramTranslationSelected)
{
   write_catalogue("en", "English");
   dir.write("mine.tra", "lang_name=Mine\n");
   current_translation = tr_load(&CATALOGUE, "mine.tra", 0);
   ASSERT_NE(current_translation, nullptr);
   tr_select(current_translation);

   scan_languages();
   EXPECT_STREQ(tr_text(msg::lang_name), "Mine");
   ASSERT_EQ(language_count, 1);
   EXPECT_STREQ(language_names[0], "English");

   tr_select(nullptr);
   tr_destroy(current_translation);
   current_translation = nullptr;
}

TEST_F(Languages, CodesAreFoundExactlyAndNamesFreed)
{
   write_catalogue("en", "English");
   write_catalogue("pl", "Polski");
   scan_languages();
   ASSERT_EQ(language_count, 2);
   int en = find_language("en");
   ASSERT_GE(en, 0);
   EXPECT_STREQ(language_names[en], "English");
   EXPECT_STREQ(language_names[find_language("pl")], "Polski");
   EXPECT_EQ(find_language("EN"), -1);
   EXPECT_EQ(find_language("e"), -1);
   EXPECT_EQ(find_language("enx"), -1);
   EXPECT_EQ(find_language(""), -1);
   EXPECT_EQ(find_language(nullptr), -1);

   // A second scan sees the folder as it is now.
   fs::remove(dir.path() / "lang" / "pl.tra");
   scan_languages();
   EXPECT_EQ(table(), (std::set<std::string>{"en:English"}));

   free_language_names();
   EXPECT_EQ(language_count, 0);
   EXPECT_EQ(language_names[0], nullptr);
   EXPECT_EQ(find_language("en"), -1);
}

// The catalogues the program ships.
class ShippedCatalogues : public TraTest {
protected:
   static fs::path folder()
   {
      const char *root = std::getenv("KSTR_SOURCE_DIR");
      return fs::path(root ? root : ".") / "assets" / "lang";
   }
   static std::vector<fs::path> files()
   {
      std::vector<fs::path> found;
      for (const auto &entry : fs::directory_iterator(folder())) {
         if (entry.path().extension() == ".tra")
            found.push_back(entry.path());
      }
      return found;
   }
};

// The requester's button labels: everything after the first "|", split at
// "|"; empty labels do not count.
std::vector<std::string> buttons(const std::string &text)
{
   std::vector<std::string> labels;
   size_t bar = text.find('|');
   while (bar != std::string::npos) {
      size_t next = text.find('|', bar + 1);
      std::string label = text.substr(bar + 1, next == std::string::npos ? std::string::npos : next - bar - 1);
      if (!label.empty())
         labels.push_back(label);
      bar = next;
   }
   return labels;
}

TEST_F(ShippedCatalogues, EveryCatalogueIsCompleteAndFitsItsUse)
{
   const auto catalogues = files();
   ASSERT_GE(catalogues.size(), 5u) << folder();
   std::set<std::string> names;
   for (const auto &path : catalogues) {
      SCOPED_TRACE(path.filename().string());
      ASSERT_EQ(path.stem().string().size(), 2u) << "named by a two-letter code";
      TRANSLATION *t = tr_load(&CATALOGUE, path.string().c_str(), 0);
      ASSERT_NE(t, nullptr) << "error " << tr_error << " at line " << tr_line;
      EXPECT_EQ(tr_is_complete(t), 1);
      tr_select(t);
      names.insert(tr_text(msg::lang_name));

      for (int r = 0; r < 10; ++r) {
         std::string title = tr_text(msg::quit_title_0 + 2 * r);
         EXPECT_FALSE(title.empty()) << "quit title " << r;
         EXPECT_LT(title.size(), 124u) << "quit title " << r << " fits its buffer";
         std::string message = tr_text(msg::quit_msg_0 + 2 * r);
         EXPECT_GE(buttons(message).size(), 2u) << "quit message " << r << ": " << message;
      }
      for (int n : {msg::settings_saved, msg::error_saving_playlist, msg::error_loading_playlist,
                    msg::error_playlist_saved_with_newer_version})
         EXPECT_GE(buttons(tr_text(n)).size(), 1u) << "requester text " << n << " needs a button";
      // These two are handed to the platform's message box as a format.
      for (int n : {msg::error_windowed_mode, msg::error_fullscreen_mode})
         EXPECT_EQ(std::string(tr_text(n)).find('%'), std::string::npos) << "item " << n;
      EXPECT_NE(std::string(tr_text(msg::and_many_other, "@list@")).find("@list@"), std::string::npos);
      EXPECT_NE(std::string(tr_text(msg::resampling_quality, "(0-4)")).find("(0-4)"), std::string::npos);
      EXPECT_NE(std::string(tr_text(msg::mixing_frequency, "(8000-48000Hz)")).find("(8000-48000Hz)"),
                std::string::npos);
      tr_select(nullptr);
      tr_destroy(t);
   }
   EXPECT_EQ(names.size(), catalogues.size()) << "every language has its own name";
}

TEST_F(ShippedCatalogues, ScanOfTheShippedFolderListsThemAll)
{
   const auto catalogues = files();
   fs::path previous = fs::current_path();
   fs::current_path(folder().parent_path());
   scan_languages();
   fs::current_path(previous);
   EXPECT_EQ(language_count, static_cast<int>(catalogues.size()));
   EXPECT_GE(find_language("en"), 0);
   free_language_names();
}

}
