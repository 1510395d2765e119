#include "tra_fixture.h"

#include <cmath>
#include <limits>
#include <memory>

#include "app/catalogue_format.h"
#include "app/catalogue_items.h"

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

struct Destroy {
   void operator()(TRANSLATION *t) const { tr_destroy(t); }
};
using Translation = std::unique_ptr<TRANSLATION, Destroy>;

class Catalogue : public TraTest {
protected:
   Translation load(const std::string &bytes, const TR_DEFINITION &definition = test_definition)
   {
      return Translation(tr_load(&definition, write_tra(bytes).c_str(), 0));
   }

   // Loads and selects; the translation lives as long as the test.
   void use(const std::string &bytes)
   {
      current = load(bytes);
      ASSERT_NE(current, nullptr) << "tr_error " << tr_error << " at line " << tr_line;
      tr_select(current.get());
   }

   Translation current;
};

std::string text_of(const TRANSLATION *t, int n)
{
   return t->texts[n] ? *t->texts[n] : "<none>";
}

TEST_F(Catalogue, EveryKindOfLineEndEndsALine)
{
   auto t = load("lang_name=LF\ngreeting=CRLF\r\nplain=CR\rnumbers=last line");
   ASSERT_NE(t, nullptr);
   EXPECT_EQ(text_of(t.get(), lang_name), "LF");
   EXPECT_EQ(text_of(t.get(), greeting), "CRLF");
   EXPECT_EQ(text_of(t.get(), plain), "CR");
   EXPECT_EQ(text_of(t.get(), numbers), "last line");
   EXPECT_EQ(tr_line, 4);
   EXPECT_EQ(tr_error, 0);

   // CR CR LF is a lone CR and then CR LF: an empty line between.
   t = load("lang_name=a\r\r\nplain=b\r");
   ASSERT_NE(t, nullptr);
   EXPECT_EQ(text_of(t.get(), lang_name), "a");
   EXPECT_EQ(text_of(t.get(), plain), "b");
   EXPECT_EQ(tr_line, 3);
}

TEST_F(Catalogue, LinesUpTo511BytesLoadAndALongerOneEndsTheFile)
{
   const std::string value511(511 - std::string("plain=").size(), 'x');
   auto t = load("plain=" + value511 + "\nlang_name=after\n");
   ASSERT_NE(t, nullptr);
   EXPECT_EQ(text_of(t.get(), plain), value511);
   EXPECT_EQ(text_of(t.get(), lang_name), "after");

   // One byte more: reading stops there, earlier texts stay, no error.
   t = load("greeting=before\nplain=" + value511 + "y\nlang_name=after\n");
   ASSERT_NE(t, nullptr);
   EXPECT_EQ(tr_error, 0);
   EXPECT_EQ(text_of(t.get(), greeting), "before");
   EXPECT_EQ(text_of(t.get(), plain), "<none>");
   EXPECT_EQ(text_of(t.get(), lang_name), "<none>");

   // A 600-byte line without "=" ends the file too instead of being an error.
   t = load("greeting=before\n" + std::string(600, 'z') + "\nno equals sign\n");
   ASSERT_NE(t, nullptr);
   EXPECT_EQ(text_of(t.get(), greeting), "before");

   // The last line may run to 511 bytes without a terminator.
   t = load("plain=" + value511);
   ASSERT_NE(t, nullptr);
   EXPECT_EQ(text_of(t.get(), plain), value511);
}

TEST_F(Catalogue, CommentsAndEmptyLinesAreSkippedButCounted)
{
   auto t = load("# lang_name=no\n\n#plain=no\nplain=yes\n\n");
   ASSERT_NE(t, nullptr);
   EXPECT_EQ(text_of(t.get(), lang_name), "<none>");
   EXPECT_EQ(text_of(t.get(), plain), "yes");
   EXPECT_EQ(tr_line, 5);

   use("# only comments\n\n# and empty lines\n");
   for (int n = 0; n < item_total; ++n)
      EXPECT_STREQ(tr_text(n, "x", "x", "x", "x", "x", "x", "x", "x", "x", "x"), "") << "item " << n;
   EXPECT_EQ(tr_is_complete(current.get()), 0);

   // Only a "#" in the first column makes a comment.
   EXPECT_EQ(load(" # indented\n"), nullptr);
   EXPECT_EQ(tr_error, TR_ERR_SYNTAX);
}

TEST_F(Catalogue, ValuesAreVerbatimAndKeysMatchExactly)
{
   auto t = load("lang_name=  Deutsch  \n"
                 "plain=a=b = c\n"
                 "greeting =blank before equals\n"
                 "NUMBERS=upper case\n"
                 "lang=prefix only\n"
                 " ten=blank in front\n"
                 "odd=\n"
                 "unknown=ignored\n");
   ASSERT_NE(t, nullptr);
   EXPECT_EQ(text_of(t.get(), lang_name), "  Deutsch  ");
   EXPECT_EQ(text_of(t.get(), plain), "a=b = c");
   EXPECT_EQ(text_of(t.get(), greeting), "<none>");
   EXPECT_EQ(text_of(t.get(), numbers), "<none>");
   EXPECT_EQ(text_of(t.get(), ten), "<none>");
   EXPECT_EQ(text_of(t.get(), odd), "") << "an empty value is a text";
}

TEST_F(Catalogue, LaterLineForTheSameKeyWins)
{
   auto t = load("lang_name=Deutsch\nplain=x\nlang_name=Dansk\n");
   ASSERT_NE(t, nullptr);
   EXPECT_EQ(text_of(t.get(), lang_name), "Dansk");
}

TEST_F(Catalogue, ErrorsSayWhyAndWhere)
{
   EXPECT_EQ(load("lang_name=a\n# comment\nkey without equals\nplain=b\n"), nullptr);
   EXPECT_EQ(tr_error, TR_ERR_SYNTAX);
   EXPECT_EQ(tr_line, 3);

   EXPECT_EQ(load("\r\r\rbad\r"), nullptr);
   EXPECT_EQ(tr_error, TR_ERR_SYNTAX);
   EXPECT_EQ(tr_line, 4);

   EXPECT_EQ(tr_load(&test_definition, dir.file("missing.tra").c_str(), 0), nullptr);
   EXPECT_EQ(tr_error, TR_ERR_OPEN);
   EXPECT_EQ(tr_line, 0);
   EXPECT_EQ(tr_load(&test_definition, nullptr, 0), nullptr);
   EXPECT_EQ(tr_error, TR_ERR_OPEN);

   EXPECT_EQ(tr_load(nullptr, write_tra("plain=x\n").c_str(), 0), nullptr);
   EXPECT_EQ(tr_error, TR_ERR_CREATE);

   // A good load clears the previous error.
   EXPECT_NE(load("plain=x\n"), nullptr);
   EXPECT_EQ(tr_error, 0);
   EXPECT_EQ(tr_line, 1);
}

TEST_F(Catalogue, PackedFlagReadsCompressedPackfiles)
{
   const std::string path = dir.file("packed.tra");
   {
      PACKFILE *f = pack_fopen(path.c_str(), "wp");
      ASSERT_NE(f, nullptr);
      pack_fputs("# packed\nlang_name=Packed\nplain=", f);
      for (int i = 0; i < 30; ++i)
         pack_fputs("compressible ", f);
      pack_fputs("\n", f);
      pack_fclose(f);
   }
   Translation t(tr_load(&test_definition, path.c_str(), 1));
   ASSERT_NE(t, nullptr) << tr_error;
   EXPECT_EQ(text_of(t.get(), lang_name), "Packed");
   EXPECT_EQ(text_of(t.get(), plain).size(), 30u * 13u);

   // A plain text file is no compressed packfile.
   EXPECT_EQ(tr_load(&test_definition, write_tra("plain=x\n").c_str(), 1), nullptr);
   EXPECT_EQ(tr_error, TR_ERR_OPEN);
}

TEST_F(Catalogue, LookupWithoutSelectionMissingTextAndBadNumbers)
{
   EXPECT_EQ(tr_text(plain), nullptr);
   use("plain=here\n");
   EXPECT_STREQ(tr_text(plain), "here");
   EXPECT_STREQ(tr_text(lang_name), "");
   EXPECT_STREQ(tr_text(-1), "");
   EXPECT_STREQ(tr_text(item_total), "");
   EXPECT_STREQ(tr_text(1000), "");

   // Destroying the selected translation leaves nothing selected.
   tr_destroy(current.release());
   EXPECT_EQ(tr_text(plain), nullptr);
}

TEST_F(Catalogue, PercentSequencesSelectParametersOrNothing)
{
   use("greeting=A %0 B %% C %1 D %x E %9 F %\n"
       "ten=%0%1%2%3%4%5%6%7%8%9|%z|%\n"
       "plain=100%% %0\n");
   EXPECT_STREQ(tr_text(greeting, "arg"), "A arg B % C  D  E  F ");
   EXPECT_STREQ(tr_text(ten, "a", "b", "c", "d", "e", "f", "g", "h", "i", "j"), "abcdefghij|j|j");
   EXPECT_STREQ(tr_text(plain), "100% ");
   EXPECT_STREQ(tr_text(greeting, nullptr), "A  B % C  D  E  F ") << "a null string is empty";
}

TEST_F(Catalogue, ArgumentsTakeTheCTypesOfTheirParameters)
{
   use("numbers=%0/%1/%2/%3/%4/%5\n");
   EXPECT_STREQ(tr_text(numbers, -42, 4000000000u, 70000, -1, 2.5, "s"), "-42/4000000000/4464/65535/2.5/s");
   EXPECT_STREQ(tr_text(numbers, 0, 0u, -32768, 65535, -0.25, ""), "0/0/-32768/65535/-0.25/");
}

TEST_F(Catalogue, UnknownTypeTakesNoArgumentAndKeepsItsBuffer)
{
   use("ten=%0\nodd=[%0][%1]\n");
   EXPECT_STREQ(tr_text(ten, "kept", "", "", "", "", "", "", "", "", ""), "kept");
   EXPECT_STREQ(tr_text(odd, 42), "[kept][00042]");
}

TEST_F(Catalogue, ResultGrowsForLongTextsAndLongArgumentsAreCut)
{
   const std::string front(200, 'a'), back(200, 'b'), argument(1000, 'c');
   use("greeting=" + front + "%0" + back + "\nplain=short\n");
   EXPECT_EQ(tr_text(greeting, argument.c_str()), front + argument + back);
   EXPECT_STREQ(tr_text(plain), "short");

   const std::string huge(5000, 'd');
   EXPECT_EQ(tr_text(greeting, huge.c_str()), front + std::string(1023, 'd') + back);

   // Texts set by the program are not bound to the 511-byte line: 1500
   // doubled percent signs fill the buffer one byte at a time.
   std::string percents;
   for (int i = 0; i < 1500; ++i)
      percents += "%%";
   ASSERT_EQ(tr_set_text(current.get(), plain, percents.c_str()), 0);
   EXPECT_EQ(tr_text(plain), std::string(1500, '%'));
}

TEST_F(Catalogue, SetTextAndCompleteness)
{
   auto t = load("lang_name=x\n");
   ASSERT_NE(t, nullptr);
   EXPECT_EQ(tr_is_complete(t.get()), 0);
   for (int n = 0; n < item_total; ++n)
      EXPECT_EQ(tr_set_text(t.get(), n, "set"), 0);
   EXPECT_EQ(tr_is_complete(t.get()), 1);
   EXPECT_EQ(tr_set_text(t.get(), lang_name, "again"), 0);
   EXPECT_EQ(text_of(t.get(), lang_name), "again");
   EXPECT_EQ(tr_set_text(t.get(), plain, nullptr), 0);
   EXPECT_EQ(tr_is_complete(t.get()), 0);

   EXPECT_EQ(tr_set_text(t.get(), item_total, "x"), -1);
   EXPECT_EQ(tr_set_text(t.get(), -1, "x"), -1);
   EXPECT_EQ(tr_set_text(nullptr, 0, "x"), -1);
   EXPECT_EQ(tr_is_complete(nullptr), 0);

   const TR_DEFINITION empty = {0, 0, nullptr};
   auto none = load("anything=at all\n", empty);
   ASSERT_NE(none, nullptr);
   EXPECT_EQ(tr_is_complete(none.get()), 1);
}

TEST_F(Catalogue, OtherTextFormatsAreHandledCharacterByCharacter)
{
   // Under UTF-8 the reader takes file bytes as Latin-1 characters.
   set_uformat(U_UTF8);
   use("greeting=\xe9%0%%\xfc\nnumbers=%0|%4|%5\n");
   EXPECT_STREQ(tr_text(greeting, "\xc3\x9f"), "\xc3\xa9\xc3\x9f%\xc3\xbc");
   EXPECT_STREQ(tr_text(numbers, -5, 0u, 0, 0, 1.5, "\xc3\x9f"), "-5|1.5|\xc3\x9f");
}

TEST_F(Catalogue, ProgramCatalogueFillsItsStringParameters)
{
   current = Translation(tr_load(&CATALOGUE,
                                 write_tra("resampling_quality=Quality %0\n"
                                           "and_many_other=%0 and others\n"
                                           "return=Back %0\n").c_str(), 0));
   ASSERT_NE(current, nullptr);
   tr_select(current.get());
   EXPECT_STREQ(tr_text(msg::resampling_quality, "(0-4)"), "Quality (0-4)");
   EXPECT_STREQ(tr_text(msg::and_many_other, "Ann, Bo"), "Ann, Bo and others");
   EXPECT_STREQ(tr_text(msg::return_), "Back ") << "an item without parameters fills nothing";
   EXPECT_STREQ(CATALOGUE.items[msg::return_].name, "return");
   EXPECT_STREQ(CATALOGUE.items[msg::error_playlist_saved_with_newer_version].name,
                "error_playlist_saved_with_newer_version");
}

// Number writing, option by option.
struct NumberCase {
   const char *options;
   double value;
   bool is_double;
   const char *expected;
};

TEST(CatalogueNumbers, EveryOptionShapesTheNumber)
{
   const NumberCase cases[] = {
      {"", 1234567, false, "1234567"},
      {",", 1234567, false, "1,234,567"},
      {",", -1234, false, "-1,234"},
      {",", 123, false, "123"},
      {"8", -42, false, "     -42"},
      {"08", -42, false, "-0000042"},
      {"0,10", 1234567, false, "01,234,567"},
      {",10", 1234567, false, " 1,234,567"},
      {"2", 12345, false, "12345"},
      {"x5y", 7, false, "    7"},
      {"+", 5, false, "5"},
      {"+", 2.5, true, "+2.5"},
      {"+", -2.5, true, "-2.5"},
      {"+", 0.0, true, "+0"},
      {"", 0.125, true, "0.125"},
      {"", -0.5, true, "-0.5"},
      {"", 2.0, true, "2"},
      {".2", 3.14159, true, "3.14"},
      {".2", 3.999, true, "3.99"},
      {".", 3.7, true, "3"},
      {".0", 3.7, true, "3"},
      {".02", 2.5, true, "2.5"},
      {".3", 2.0, true, "2"},
      {"08.2", -3.14159, true, "-0000003.14"},
      {",.1", 1234567.25, true, "1,234,567.2"},
      {"+,012", 98765.5, true, "+0000098,765.5"},
   };
   for (const auto &c : cases) {
      TR_FORMAT format = tr_parse_format(c.options);
      std::string written = c.is_double ? tr_format_double(c.value, format)
                                        : tr_format_integer(static_cast<long long>(c.value), format);
      EXPECT_EQ(written, c.expected) << "options \"" << c.options << "\" value " << c.value;
   }
}

TEST(CatalogueNumbers, OptionTextIsReadIntoTheFormat)
{
   TR_FORMAT f = tr_parse_format("+,012.05");
   EXPECT_EQ(f.show_plus, 1);
   EXPECT_EQ(f.group_thousands, 1);
   EXPECT_EQ(f.zero_fill, 1);
   EXPECT_EQ(f.width, 12);
   EXPECT_EQ(f.dot_zero, 1);
   EXPECT_EQ(f.precision, 5);

   f = tr_parse_format("");
   EXPECT_EQ(f.precision, -1);
   EXPECT_EQ(f.width, 0);
   EXPECT_EQ(tr_parse_format(".").precision, 0);
   EXPECT_EQ(tr_parse_format(".10").dot_zero, 0);
   EXPECT_EQ(tr_parse_format(".10").precision, 10);
   EXPECT_EQ(tr_parse_format("99999999").width, 255) << "width saturates";
   EXPECT_EQ(tr_parse_format(".99999").precision, 127) << "precision saturates";
}

TEST(CatalogueNumbers, ExtremeValuesStayBounded)
{
   const TR_FORMAT plain = tr_parse_format("");
   EXPECT_EQ(tr_format_double(std::numeric_limits<double>::infinity(), plain), "inf");
   EXPECT_EQ(tr_format_double(-std::numeric_limits<double>::infinity(), plain), "-inf");
   EXPECT_EQ(tr_format_double(std::nan(""), plain), "nan");
   EXPECT_EQ(tr_format_double(1e300, plain).size(), 301u);
   EXPECT_EQ(tr_format_integer(std::numeric_limits<long long>::min(), plain), "-9223372036854775808");
   // The smallest subnormal runs to hundreds of fraction digits, but ends.
   std::string tiny = tr_format_double(std::numeric_limits<double>::denorm_min(), plain);
   EXPECT_GT(tiny.size(), 300u);
   EXPECT_LE(tiny.size(), 2u + 1100u);
   EXPECT_EQ(tiny.substr(0, 12), "0.0000000000");
}

}
