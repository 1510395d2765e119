// Reading the toolkit's text collection.
#include "requesters/toolkit_texts.h"

#include "toolkit/requesters.h"
#include "toolkit/start.h"

#include <string_view>

namespace {

// The lines of a text, without their ends.
std::vector<std::string_view> SplitLines(std::string_view text)
{
   std::vector<std::string_view> lines;
   std::size_t start = 0;
   for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] != '\r' && text[i] != '\n')
         continue;
      lines.push_back(text.substr(start, i - start));
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
         ++i;
      start = i + 1;
   }
   if (start < text.size())
      lines.push_back(text.substr(start));
   return lines;
}

// "<xx>" gives "xx"; anything else an empty view.
std::string_view LanguageCode(std::string_view line)
{
   if (line.size() < 3 || line.front() != '<' || line.back() != '>')
      return {};
   return line.substr(1, line.size() - 2);
}

// "[name" or "[name]" gives "name"; anything else an empty view.
std::string_view SectionName(std::string_view line)
{
   if (line.size() < 2 || line.front() != '[')
      return {};
   line.remove_prefix(1);
   if (line.back() == ']')
      line.remove_suffix(1);
   return line;
}

// Index of the line that starts the language block, or npos.
std::size_t FindLanguage(const std::vector<std::string_view> &lines, std::string_view code)
{
   for (std::size_t i = 0; i < lines.size(); ++i)
      if (!LanguageCode(lines[i]).empty() && (code.empty() || LanguageCode(lines[i]) == code))
         return i;
   return std::string_view::npos;
}

// Letters of the Polish and Hungarian texts that the toolkit's 8-bit text
// (Windows-1252) lacks, as the nearest letter it has.
constexpr struct {
   char32_t from;
   char to;
} kNearest[] = {
   {U'ą', 'a'}, {U'ć', 'c'}, {U'ę', 'e'},    {U'ł', 'l'},    {U'ń', 'n'},    {U'ś', 's'},    {U'ź', 'z'},
   {U'ż', 'z'}, {U'Ą', 'A'}, {U'Ć', 'C'},    {U'Ę', 'E'},    {U'Ł', 'L'},    {U'Ń', 'N'},    {U'Ś', 'S'},
   {U'Ź', 'Z'}, {U'Ż', 'Z'}, {U'ő', '\xF6'}, {U'ű', '\xFC'}, {U'Ő', '\xD6'}, {U'Ű', '\xDC'},
};

// The source holds the texts in UTF-8; the toolkit draws 8-bit text.
std::string ToEightBit(std::string_view utf8)
{
   std::string out;
   out.reserve(utf8.size());
   for (std::size_t i = 0; i < utf8.size();) {
      const auto lead = static_cast<unsigned char>(utf8[i]);
      const int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
      char32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
      for (int k = 1; k <= extra && i + k < utf8.size(); ++k)
         cp = cp << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
      i += 1 + extra;
      char byte = '?';
      if (cp <= 0xFF)
         byte = static_cast<char>(cp);
      for (const auto &n : kNearest)
         if (n.from == cp)
            byte = n.to;
      out.push_back(byte);
   }
   return out;
}

}

TextError ReadTextSection(const char *collection, const char *language, const char *section,
                          std::vector<std::string> &texts)
{
   texts.clear();
   if (!collection || !*collection)
      return TextError::no_text;
   const std::vector<std::string_view> lines = SplitLines(collection);
   std::size_t block = FindLanguage(lines, language ? language : "");
   if (block == std::string_view::npos)
      block = FindLanguage(lines, "en");
   if (block == std::string_view::npos)
      block = FindLanguage(lines, {});
   if (block == std::string_view::npos)
      return TextError::no_language;

   const std::string_view wanted = section ? section : "";
   bool inside = false;
   for (std::size_t i = block + 1; i < lines.size(); ++i) {
      const std::string_view line = lines[i];
      if (!LanguageCode(line).empty())
         break;
      if (!SectionName(line).empty()) {
         if (inside)
            break;
         inside = SectionName(line) == wanted;
      } else if (inside && !line.empty() && line.front() == '"') {
         texts.emplace_back(line.substr(1));
      }
   }
   return inside ? TextError::none : TextError::no_section;
}

const std::string &BuiltInToolkitText(void)
{
   static const std::string text = ToEightBit(std::string(kToolkitTextsWest) + kToolkitTextsEast);
   return text;
}

std::vector<std::string> ToolkitTexts(const char *section)
{
   std::vector<std::string> texts;
   switch (ReadTextSection(BuiltInToolkitText().c_str(), ToolkitLanguage(), section, texts)) {
   case TextError::none: break;
   case TextError::no_text: ReportMessage("No textfile found", ""); break;
   case TextError::no_language: ReportMessage("Requested textfile contains no language", ""); break;
   case TextError::no_section: {
      const std::string message = std::string("Section '") + (section ? section : "") + "' was not found in textfile";
      ReportMessage(message.c_str(), "");
      break;
   }
   }
   return texts;
}

std::vector<std::string> FileBrowserTexts(void)
{
   std::vector<std::string> texts = ToolkitTexts("filebrow");
   if (texts.size() < FILEBROW_TEXTS)
      texts.assign(FILEBROW_TEXTS, "??");
   return texts;
}
