#include "cdaudio/tmsf.h"

#include <cstdio>

namespace {

constexpr int32_t FRAMES_PER_MINUTE = 60 * CD_FRAMES_PER_SECOND;

// One field of up to three digits starting at `at`; moves `at` past it.
bool parse_field(const std::string &text, std::size_t &at, unsigned &value)
{
   std::size_t digits = 0;
   value = 0;
   while (at < text.size() && text[at] >= '0' && text[at] <= '9' && digits < 4) {
      value = value * 10 + static_cast<unsigned>(text[at] - '0');
      ++at;
      ++digits;
   }
   return digits >= 1 && digits <= 3;
}

}

bool parse_tmsf(const std::string &text, TMSF &out)
{
   unsigned parts[4] = {0, 0, 0, 0};
   std::size_t at = 0;
   int count = 0;
   for (;;) {
      if (count == 4 || !parse_field(text, at, parts[count]))
         return false;
      ++count;
      if (at == text.size())
         break;
      if (text[at] != ':')
         return false;
      ++at;
   }
   if (parts[2] >= 60 || parts[3] >= static_cast<unsigned>(CD_FRAMES_PER_SECOND))
      return false;
   out.track = parts[0];
   out.offset = static_cast<int32_t>(parts[1]) * FRAMES_PER_MINUTE +
                static_cast<int32_t>(parts[2]) * CD_FRAMES_PER_SECOND + static_cast<int32_t>(parts[3]);
   return true;
}

std::string format_msf(int32_t frames)
{
   char text[32];
   std::snprintf(text, sizeof text, "%02d:%02d:%02d", frames / FRAMES_PER_MINUTE, frames / CD_FRAMES_PER_SECOND % 60,
                 frames % CD_FRAMES_PER_SECOND);
   return text;
}

std::string format_tmsf(unsigned track, int32_t offset)
{
   char text[16];
   std::snprintf(text, sizeof text, "%02u:", track);
   return text + format_msf(offset);
}
