#include <allegro.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <memory>
#include <set>
#include <string>

#include "app/catalogue.h"
#include "app/catalogue_format.h"
#include "app/catalogue_items.h"
#include "app/languages.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

namespace {

const TR_ITEM test_items[] = {
   {"lang_name", 0, {}},
   {"greeting", 1, {"string"}},
   {"numbers", 6, {"int", "uint", "short", "ushort", "double", "string"}},
   {"ten", 10, {"string", "string", "string", "string", "string", "string", "string", "string", "string", "string"}},
   {"odd", 2, {"bogus", "int(05)"}},
   {"plain", 0, {}},
};
enum { lang_name, greeting, numbers, ten, odd, plain, item_total };
const TR_DEFINITION test_definition = {item_total, item_total, test_items};

using Translation = std::unique_ptr<TRANSLATION, decltype(&tr_destroy)>;

// 8-bit text, Allegro without drivers (packfiles and directory searches need
// it, no X server), nothing selected, and a temporary folder.
class Catalogue : public ::testing::Test {
 protected:
   void SetUp() override
   {
      set_uformat(U_ASCII);
      ASSERT_EQ(install_allegro(SYSTEM_NONE, &errno, atexit), 0);
      tr_init();
      tr_select(nullptr);
   }

   Translation load(const std::string &bytes, const TR_DEFINITION &definition = test_definition)
   {
      return Translation(tr_load(&definition, dir.write("test.tra", bytes).c_str(), 0), tr_destroy);
   }

   // Loads and selects; the translation lives as long as the test.
   void use(const std::string &bytes)
   {
      current = load(bytes);
      ASSERT_NE(current, nullptr) << "tr_error " << tr_error << " at line " << tr_line;
      tr_select(current.get());
   }

   // Every text of a loaded translation, "-" for none, after "|".
   static std::string texts(const Translation &t)
   {
      std::string all;
      for (const auto &text : t->texts)
         all += "|" + (text ? *text : "-");
      return all;
   }

   kstr::test::TempDir dir;
   Translation current{nullptr, tr_destroy};
};

TEST_F(Catalogue, LinesEndAtLfCrlfOrLoneCrAndAreCounted)
{
   // CR CR LF is a lone CR and then CR LF: an empty line between.
   const std::string value511(511 - 6, 'x');
   const struct {
      std::string file;
      std::string texts;
      int lines;
   } cases[] = {
      {"lang_name=LF\ngreeting=CRLF\r\nplain=CR\rnumbers=last", "|LF|CRLF|last|-|-|CR", 4},
      {"lang_name=a\r\r\nplain=b\r", "|a|-|-|-|-|b", 3},
      // Comments and empty lines are skipped but counted.
      {"# lang_name=no\n\n#plain=no\nplain=yes\n\n", "|-|-|-|-|-|yes", 5},
      // Values are verbatim; keys match exactly; unknown keys are ignored.
      {"lang_name=  De  \nplain=a=b = c\ngreeting =x\nNUMBERS=x\nlang=x\n ten=x\nodd=\nunknown=x\n",
       "|  De  |-|-|-||a=b = c", 8},
      {"lang_name=Deutsch\nplain=x\nlang_name=Dansk\n", "|Dansk|-|-|-|-|x", 3},
      // 511 bytes fit a line, also the last one without its end; a longer
      // line ends the file as if it were the end, without an error.
      {"plain=" + value511 + "\nlang_name=after\n", "|after|-|-|-|-|" + value511, 2},
      {"plain=" + value511, "|-|-|-|-|-|" + value511, 1},
      {"greeting=before\nplain=" + value511 + "y\nlang_name=after\n", "|-|before|-|-|-|-", 1},
   };
   for (const auto &c : cases) {
      const Translation t = load(c.file);
      ASSERT_NE(t, nullptr) << c.file;
      EXPECT_EQ(texts(t), c.texts) << c.file;
      EXPECT_EQ(tr_line, c.lines) << c.file;
   }
}

TEST_F(Catalogue, ErrorsSayWhyAndWhere)
{
   const struct {
      std::string file;
      int line;
   } syntax[] = {{"lang_name=a\n# comment\nkey without equals\nplain=b\n", 3}, {"\r\r\rbad\r", 4}, {" # x\n", 1}};
   for (const auto &c : syntax) {
      EXPECT_EQ(load(c.file), nullptr);
      EXPECT_EQ(tr_error, TR_ERR_SYNTAX);
      EXPECT_EQ(tr_line, c.line) << c.file;
   }
   EXPECT_EQ(tr_load(&test_definition, dir.file("missing.tra").c_str(), 0), nullptr);
   EXPECT_EQ(tr_error, TR_ERR_OPEN);
   EXPECT_EQ(tr_line, 0);
   EXPECT_EQ(tr_load(&test_definition, nullptr, 0), nullptr);
   EXPECT_EQ(tr_load(nullptr, dir.write("ok.tra", "plain=x\n").c_str(), 0), nullptr);
   EXPECT_EQ(tr_error, TR_ERR_CREATE);
   EXPECT_NE(load("plain=x\n"), nullptr);
   EXPECT_EQ(tr_error, 0) << "a good load clears the error";
}

TEST_F(Catalogue, SetTextSelectionAndCompleteness)
{
   EXPECT_EQ(tr_text(plain), nullptr) << "nothing selected";
   use("plain=here\n");
   EXPECT_STREQ(tr_text(plain), "here");
   for (int n : {int{lang_name}, -1, int{item_total}, 1000})
      EXPECT_STREQ(tr_text(n), "") << "item " << n;
   EXPECT_EQ(tr_is_complete(current.get()), 0);
   for (int n = 0; n < item_total; ++n)
      EXPECT_EQ(tr_set_text(current.get(), n, "set"), 0);
   EXPECT_EQ(tr_is_complete(current.get()), 1);
   EXPECT_EQ(tr_set_text(current.get(), plain, nullptr), 0);
   EXPECT_EQ(tr_is_complete(current.get()), 0);
   EXPECT_EQ(texts(current), "|set|set|set|set|set|-");
   EXPECT_EQ(tr_set_text(current.get(), item_total, "x") + tr_set_text(current.get(), -1, "x") +
                tr_set_text(nullptr, 0, "x"),
             -3);
   EXPECT_EQ(tr_is_complete(nullptr), 0);
   // Destroying the selected translation leaves nothing selected.
   tr_destroy(current.release());
   EXPECT_EQ(tr_text(plain), nullptr);
}

// A definition may hold fewer texts than it has keys (a key past the texts is
// read and dropped) or more (the texts past the keys are set by number only
// and take no arguments); completeness counts the texts.
TEST_F(Catalogue, TextCountMayDifferFromItemCount)
{
   const std::string file = "lang_name=L\ngreeting=Hi %0\nplain=P\n";
   const TR_DEFINITION fewer_texts = {greeting + 1, item_total, test_items};
   Translation t = load(file, fewer_texts);
   ASSERT_NE(t, nullptr) << "tr_error " << tr_error;
   EXPECT_EQ(texts(t), "|L|Hi %0") << "the line for plain had no text to go to";
   EXPECT_EQ(tr_is_complete(t.get()), 1);
   tr_select(t.get());
   EXPECT_STREQ(tr_text(greeting, "you"), "Hi you");
   EXPECT_STREQ(tr_text(plain), "");
   EXPECT_EQ(tr_set_text(t.get(), plain, "x"), -1);

   const TR_DEFINITION more_texts = {item_total + 2, greeting + 1, test_items};
   current = load(file, more_texts);
   ASSERT_NE(current, nullptr) << "tr_error " << tr_error;
   EXPECT_EQ(texts(current), "|L|Hi %0|-|-|-|-|-|-") << "no key reaches plain";
   EXPECT_EQ(tr_set_text(current.get(), item_total + 1, "last %0 %%"), 0);
   tr_select(current.get());
   EXPECT_STREQ(tr_text(item_total + 1, "ignored"), "last  %") << "a text without an item takes no arguments";
   EXPECT_EQ(tr_is_complete(current.get()), 0);
}

TEST_F(Catalogue, PercentSequencesArgumentsAndLongResults)
{
   use("greeting=A %0 B %% C %1 D %x E %9 F %\n"
       "ten=%0%1%2%3%4%5%6%7%8%9|%z|%\n"
       "numbers=%0/%1/%2/%3/%4/%5\n"
       "odd=[%0][%1]\n");
   EXPECT_STREQ(tr_text(greeting, "arg"), "A arg B % C  D  E  F ");
   EXPECT_STREQ(tr_text(greeting, nullptr), "A  B % C  D  E  F ") << "a null string is empty";
   EXPECT_STREQ(tr_text(ten, "a", "b", "c", "d", "e", "f", "g", "h", "i", "j"), "abcdefghij|j|j");
   // A parameter of unknown type takes no argument and keeps its old text.
   EXPECT_STREQ(tr_text(odd, 42), "[a][00042]");
   // Arguments take the C types of their parameters.
   EXPECT_STREQ(tr_text(numbers, -42, 4000000000u, 70000, -1, 2.5, "s"), "-42/4000000000/4464/65535/2.5/s");
   EXPECT_STREQ(tr_text(numbers, 0, 0u, -32768, 65535, -0.25, ""), "0/0/-32768/65535/-0.25/");

   // The result grows for long texts; a long argument is cut.
   const std::string front(200, 'a'), back(200, 'b'), argument(1000, 'c');
   use("greeting=" + front + "%0" + back + "\nplain=short\n");
   EXPECT_EQ(tr_text(greeting, argument.c_str()), front + argument + back);
   EXPECT_STREQ(tr_text(plain), "short");
   EXPECT_EQ(tr_text(greeting, std::string(5000, 'd').c_str()), front + std::string(1023, 'd') + back);
   // Set texts are not bound to a line: 1500 "%%" grow the buffer a byte at a time.
   std::string percents;
   for (int i = 0; i < 1500; ++i)
      percents += "%%";
   ASSERT_EQ(tr_set_text(current.get(), plain, percents.c_str()), 0);
   EXPECT_EQ(tr_text(plain), std::string(1500, '%'));
}

TEST(CatalogueNumbers, EveryOptionShapesTheNumber)
{
   const struct {
      const char *options;
      double value;
      bool is_double;
      const char *expected;
   } cases[] = {
      {"", 1234567, false, "1234567"},
      {",", 1234567, false, "1,234,567"},
      {",", -1234, false, "-1,234"},
      {",", 123, false, "123"},
      {"8", -42, false, "     -42"},
      {"08", -42, false, "-0000042"},
      {"2", 12345, false, "12345"},
      {"0,10", 1234567, false, "01,234,567"},
      {"x5y", 7, false, "    7"},
      {"+", 5, false, "5"},
      {"+", 2.5, true, "+2.5"},
      {"+", 0.0, true, "+0"},
      {"", 0.125, true, "0.125"},
      {"", -0.5, true, "-0.5"},
      {"", 2.0, true, "2"},
      {".2", 3.999, true, "3.99"},
      {".", 3.7, true, "3"},
      {".02", 2.5, true, "2.5"},
      {".3", 2.0, true, "2"},
      {"08.2", -3.14159, true, "-0000003.14"},
      {",.1", 1234567.25, true, "1,234,567.2"},
      {"+,012", 98765.5, true, "+0000098,765.5"},
   };
   for (const auto &c : cases) {
      TR_FORMAT format = tr_parse_format(c.options);
      std::string written =
         c.is_double ? tr_format_double(c.value, format) : tr_format_integer(static_cast<long long>(c.value), format);
      EXPECT_EQ(written, c.expected) << "options \"" << c.options << "\" value " << c.value;
   }
   EXPECT_EQ(tr_parse_format("99999999").width, 255) << "width saturates";
   EXPECT_EQ(tr_parse_format(".99999").precision, 127) << "precision saturates";
   // Extreme values stay bounded.
   const TR_FORMAT none = tr_parse_format("");
   EXPECT_EQ(tr_format_double(-std::numeric_limits<double>::infinity(), none), "-inf");
   EXPECT_EQ(tr_format_double(std::nan(""), none), "nan");
   EXPECT_EQ(tr_format_double(1e300, none).size(), 301u);
   EXPECT_EQ(tr_format_integer(std::numeric_limits<long long>::min(), none), "-9223372036854775808");
   const std::string tiny = tr_format_double(std::numeric_limits<double>::denorm_min(), none);
   EXPECT_GT(tiny.size(), 300u);
   EXPECT_LE(tiny.size(), 2u + 1100u);
}

// The scan reads "lang/" below the working folder: it works in the
// temporary folder.
class Languages : public Catalogue {
 protected:
   void SetUp() override
   {
      Catalogue::SetUp();
      fs::current_path(dir.path());
   }
   void TearDown() override
   {
      free_language_names();
      fs::current_path(previous);
   }

   void write_catalogue(const std::string &code, const std::string &name)
   {
      dir.write("lang/" + code + ".tra", "# " + name + "\nlang_name=" + name + "\n");
   }

   static std::set<std::string> table()
   {
      std::set<std::string> entries;
      for (int i = 0; i < language_count; ++i)
         entries.insert(std::string(language_codes[i]) + ":" + language_names[i]);
      return entries;
   }

   fs::path previous = fs::current_path();
};

TEST_F(Languages, ScanListsWhatLoadsUpToTheTableSizeAndFindsExactCodes)
{
   scan_languages();
   EXPECT_EQ(language_count, 0) << "no folder";
   write_catalogue("en", "English");
   write_catalogue("de", "Deutsch");
   dir.write("lang/xx.tra", "lang_name=Broken\nthis line has no equals sign\n");
   dir.write("lang/abc.tra", "lang_name=Three letters\n");
   fs::create_directories(dir.path() / "lang" / "zz.tra");
   // The scan keeps the program's translation selected.
   use("lang_name=Mine\n");
   current_translation = current.get();
   scan_languages();
   EXPECT_STREQ(tr_text(lang_name), "Mine");
   current_translation = nullptr;
   EXPECT_EQ(table(), (std::set<std::string>{"de:Deutsch", "en:English"}));
   EXPECT_STREQ(language_names[find_language("de")], "Deutsch");
   for (const char *code : {"EN", "e", "enx", "", static_cast<const char *>(nullptr)})
      EXPECT_EQ(find_language(code), -1) << (code ? code : "null");

   // A second scan sees the folder as it is now; the table stops at its size.
   fs::remove(dir.path() / "lang" / "de.tra");
   scan_languages();
   EXPECT_EQ(table(), (std::set<std::string>{"en:English"}));
   fs::remove_all(dir.path() / "lang");
   for (int i = 0; i < 27; ++i)
      write_catalogue({char('a' + i / 9), char('a' + i % 9)},
                      "Language " + std::string{char('a' + i / 9), char('a' + i % 9)});
   scan_languages();
   ASSERT_EQ(language_count, LANGUAGE_MAX);
   EXPECT_EQ(table().size(), static_cast<size_t>(LANGUAGE_MAX)) << "entries are distinct";
   for (int i = 0; i < LANGUAGE_MAX; ++i)
      EXPECT_EQ(language_names[i], "Language " + std::string(language_codes[i]));
}

// Requester buttons: the non-empty labels after the first "|".
int buttons(const std::string &text)
{
   int count = 0;
   for (size_t bar = text.find('|'); bar != std::string::npos; bar = text.find('|', bar + 1))
      count += bar + 1 < text.size() && text[bar + 1] != '|';
   return count;
}

TEST_F(Languages, EveryShippedCatalogueIsCompleteAndFitsItsUse)
{
   const char *root = std::getenv("KSTR_SOURCE_DIR");
   fs::current_path(fs::path(root ? root : ".") / "assets");
   scan_languages();
   EXPECT_GE(language_count, 5);
   EXPECT_GE(find_language("en"), 0);
   std::set<std::string> names(language_names, language_names + language_count);
   EXPECT_EQ(names.size(), static_cast<size_t>(language_count)) << "every language has its own name";
   for (const auto &entry : fs::directory_iterator("lang")) {
      if (entry.path().extension() != ".tra")
         continue;
      SCOPED_TRACE(entry.path().string());
      ASSERT_GE(find_language(entry.path().stem().string().c_str()), 0) << "listed by the scan: a two-letter code";
      current = Translation(tr_load(&CATALOGUE, entry.path().string().c_str(), 0), tr_destroy);
      ASSERT_NE(current, nullptr) << "error " << tr_error << " at line " << tr_line;
      EXPECT_EQ(tr_is_complete(current.get()), 1);
      tr_select(current.get());
      for (int r = 0; r < 10; ++r) {
         EXPECT_FALSE(std::string(tr_text(msg::quit_title_0 + 2 * r)).empty()) << "quit title " << r;
         EXPECT_LT(std::string(tr_text(msg::quit_title_0 + 2 * r)).size(), 124u) << "quit title " << r;
         EXPECT_GE(buttons(tr_text(msg::quit_msg_0 + 2 * r)), 2) << "quit message " << r;
      }
      for (int n : {msg::settings_saved, msg::error_saving_playlist, msg::error_loading_playlist,
                    msg::error_playlist_saved_with_newer_version})
         EXPECT_GE(buttons(tr_text(n)), 1) << "requester text " << n << " needs a button";
      // These two are handed to the platform's message box as a format.
      for (int n : {msg::error_windowed_mode, msg::error_fullscreen_mode})
         EXPECT_EQ(std::string(tr_text(n)).find('%'), std::string::npos) << "item " << n;
      for (int n : {msg::and_many_other, msg::resampling_quality, msg::mixing_frequency})
         EXPECT_NE(std::string(tr_text(n, "@arg@")).find("@arg@"), std::string::npos) << "item " << n;
   }
}

}
