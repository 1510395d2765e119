#include "controls/text_wrap.h"

#include <algorithm>

namespace {

int Width(FONT *f, const std::string &s)
{
   return text_length(f, s.c_str());
}

// One paragraph (no '\n') into lines.
void WrapParagraph(FONT *f, const std::string &para, int width, bool at_spaces, std::vector<std::string> &out)
{
   std::string line;
   std::size_t last_space = std::string::npos;  // in `line`
   for (char ch : para) {
      line.push_back(ch);
      if (ch == ' ')
         last_space = line.size() - 1;
      // Too wide: cut after the last space, or before the last character.
      while (line.size() > 1 && Width(f, line) > width) {
         std::string rest;
         if (at_spaces && last_space != std::string::npos && last_space > 0) {
            rest = line.substr(last_space + 1);
            line.erase(last_space);
         } else {
            rest = line.substr(line.size() - 1);
            line.pop_back();
         }
         out.push_back(line);
         line = rest;
         last_space = line.find_last_of(' ');
      }
   }
   out.push_back(line);
}

}

std::vector<std::string> WrapText(FONT *f, const char *text, int width, int tab, bool at_spaces)
{
   std::vector<std::string> lines;
   std::string para;
   const std::size_t stop = static_cast<std::size_t>(std::max(tab, 1));
   for (const char *p = text ? text : "";; ++p) {
      if (*p == '\n' || *p == '\0') {
         // The line end that closes the text starts no empty line.
         if (*p || !para.empty() || lines.empty())
            WrapParagraph(f, para, width, at_spaces, lines);
         para.clear();
         if (!*p)
            break;
      } else if (*p == '\t') {
         para.append(stop - para.size() % stop, ' ');
      } else if (*p != '\r') {
         para.push_back(*p);
      }
   }
   return lines;
}
