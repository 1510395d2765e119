// Label and tooltip texts: lines, hot keys and image references.
#include "draw/labels.h"

#include "core/control.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct LabelReader {
   Control *c;
   std::vector<std::string> lines;
   std::string line;
   bool underlined = false;

   void EndLine()
   {
      lines.push_back(line);
      line.clear();
   }

   void AddHotKey(int scan, int key)
   {
      c->hotkeys.push_back(HotKey{static_cast<uint8_t>(scan), static_cast<uint8_t>(key)});
   }

   // `~c`: shown, underlined, the hot key.
   void MarkHotKey(char ch)
   {
      FONT *f = c->font ? c->font : font;
      line.push_back(ch);
      const char one[2] = {ch, '\0'};
      const int w = text_length(f, one);
      // The record keeps bytes; a letter further right than 255 pixels is
      // still the hot key but its underline stops at the byte's limit.
      c->hk_x = static_cast<uint8_t>(std::min(255, text_length(f, line.c_str()) - w));
      c->hk_w = static_cast<uint8_t>(std::min(255, w));
      c->hk_line = static_cast<uint8_t>(lines.size());
      underlined = true;
      AddHotKey(0, std::tolower(static_cast<unsigned char>(ch)));
   }

   // `#n;` or `#a,b;`. Returns the position after the reference.
   const char *ReadKeyReference(const char *p)
   {
      char *end;
      const long a = std::strtol(p, &end, 10);
      p = end;
      if (*p == ',') {
         const long b = std::strtol(p + 1, &end, 10);
         p = end;
         AddHotKey(static_cast<int>(a), static_cast<int>(b));
      } else {
         AddHotKey(0, static_cast<int>(a));
      }
      while (*p && *p != ';')
         ++p;
      return *p ? p + 1 : p;
   }

   // `#name;`: the image of that name.
   const char *ReadImageReference(const char *p)
   {
      while (*p == ' ')
         ++p;
      const char *end = std::strchr(p, ';');
      const std::size_t n = end ? static_cast<std::size_t>(end - p) : std::strlen(p);
      c->icon_name.assign(p, n);
      c->cls->resolve_icon(c);
      return end ? end + 1 : p + n;
   }
};

}

void ParseLabel(Control *c, const char *label)
{
   c->text.clear();
   c->icon = nullptr;
   c->icon_name.clear();
   if (!label)
      return;
   LabelReader r{c, {}, {}, false};
   const char *p = label;
   while (*p) {
      const unsigned char ch = static_cast<unsigned char>(*p);
      if (ch < 32) {
         r.AddHotKey(0, ch);
         ++p;
      } else if (ch == '_') {
         if (p[1] == '_') {
            r.line.push_back('_');
            p += 2;
         } else {
            r.EndLine();
            ++p;
         }
      } else if (ch == '~') {
         if (p[1] == '~') {
            r.line.push_back('~');
            p += 2;
         } else if (p[1]) {
            r.MarkHotKey(p[1]);
            p += 2;
         } else {
            ++p;
         }
      } else if (ch == '#') {
         if (p[1] == '#') {
            r.line.push_back('#');
            p += 2;
         } else if (std::isdigit(static_cast<unsigned char>(p[1]))) {
            p = r.ReadKeyReference(p + 1);
         } else {
            p = r.ReadImageReference(p + 1);
         }
      } else {
         r.line.push_back(*p++);
      }
   }
   if (!r.line.empty())
      r.EndLine();
   c->text = std::move(r.lines);
   if (!r.underlined)
      c->hk_line = NO_HOTKEY_LINE;
}

std::vector<std::string> ParseTooltip(const char *text)
{
   std::vector<std::string> lines;
   std::string line;
   for (const char *p = text ? text : ""; *p; ++p) {
      if (*p != '_') {
         line.push_back(*p);
      } else if (p[1] == '_') {
         line.push_back('_');
         ++p;
      } else {
         lines.push_back(line);
         line.clear();
      }
   }
   if (!line.empty())
      lines.push_back(line);
   return lines;
}
