#include "ui/exit_banner.h"

#include <allegro.h>

#include <cstdio>
#include <string>

namespace {

#define KSTR_CREDITS "(c) 2003-2026 the Kestrune crew"
#define KSTR_WEB "http://kestrune.example/"
#define KSTR_MAIL_1 "player@kestrune.example"
#define KSTR_MAIL_2 "bugs@kestrune.example"

// Five lines of 50 characters: the name in letters three rows high between
// two rows of dots and bars.
constexpr const char *kDrawing = ".-.-.-.-.-.-.-.-.-.-.-.-.-.-.-.-.-.-.-.-.-.-.-.-.-\n"
                                 "|     |/   .-.  .-   -+-  .-.  . .  .-.  .-.     |\n"
                                 "|     |<   |-'  '-.   |   |    | |  | |  |-'     |\n"
                                 "|     |\\   '-'  -'    '-  '    '-'  ' '  '-'     |\n"
                                 ".-.-.-.-.-.-.-.-.-.-.-.-.-.-.-.-.-.-.-.-.-.-.-.-.-\n";

constexpr const char *kFormats[] = {
   "\nMOD Protracker module (all)             WAV RIFF wave file (UNcompressed only)",
   "\nS3M Scream tracker 3 module             VOC Creative labs voice file (all)",
   "\nXM  Fast Tracker ][ module              MID Midi sequences",
   "\nMPG sometimes MP2 or MP3 is 'MPG'       MP3 MPEG layer 3",
   "\nUMX Unreal Mods (except IT!)            OGG Vorbis OGG (great compressor!)",
   "\nIT  Impulse Tracker Mod                 MP2 MPEG layer 2",
};

std::string build_text()
{
   std::string t = kDrawing;
   t += "   " + std::string(44, '.') + "  Kestrune v" + KESTRUNE_VERSION + " @ " + KESTRUNE_BUILD_DATE + "\n";
   t += std::string(23, ' ') + KSTR_CREDITS;
   t += "\n -> Supported formats    ";
   for (const char *line : kFormats)
      t += line;
   t += "\n" + std::string(40, ' ');
   t += "\n\nContact:\n" KSTR_WEB "\n\n" KSTR_MAIL_1 "\n" KSTR_MAIL_2 "\n";
   return t;
}

}

const char *exit_banner_text()
{
   static const std::string text = build_text();
   return text.c_str();
}

const char *exit_banner_message()
{
   return "Kestrune " KSTR_CREDITS "\n" KSTR_WEB "\n\t" KSTR_MAIL_1 "\n\t" KSTR_MAIL_2;
}

void exit_banner()
{
   std::printf("%s", exit_banner_text());
   std::fflush(stdout);
   remove_sound();
   allegro_message("%s", exit_banner_message());
}
