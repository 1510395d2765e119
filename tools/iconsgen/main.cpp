// kstr_iconsgen <bold font.ttf> <icon folder> <selector icon folder>
//
// Writes the main window's icons and the logo into the icon folder, and the
// file selector's icons, which go into the icon datafile, into the other.
#include "allegro_handles.h"
#include "icon_set.h"
#include "logo.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

namespace {

void write_all(const std::vector<kstr::tools::Icon> &icons, const std::filesystem::path &folder)
{
   std::filesystem::create_directories(folder);
   for (const kstr::tools::Icon &icon : icons)
      icon.image.save_bmp((folder / icon.file).string());
}

}

int main(int argc, char **argv)
{
   if (argc != 4) {
      std::fprintf(stderr, "usage: %s <bold font.ttf> <icon folder> <selector icon folder>\n", argv[0]);
      return 2;
   }
   try {
      const kstr::tools::AllegroSession allegro;
      write_all(kstr::tools::player_icons(), argv[2]);
      kstr::tools::draw_logo(argv[1]).save_bmp((std::filesystem::path(argv[2]) / "logo.bmp").string());
      write_all(kstr::tools::file_selector_icons(), argv[3]);
   } catch (const std::exception &error) {
      std::fprintf(stderr, "%s: %s\n", argv[0], error.what());
      return 1;
   }
   return 0;
}
