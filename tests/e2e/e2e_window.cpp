#include "e2e_window.h"

#include "playlist/playlist_file.h"

#include <cstdlib>

namespace kstr::test {

namespace {

constexpr int kListRows = 20;

bool white(const Picture &p, int x, int y)
{
   const uint8_t *c = &p.rgb[(static_cast<std::size_t>(y) * p.w + x) * 3];
   return c[0] == 255 && c[1] == 255 && c[2] == 255;
}

}

bool MainWindowMap::complete() const
{
   for (const Point &p : {add, newpl, prev, play, pause, stop, next, quit, menu})
      if (!p.found())
         return false;
   return row_h > 0;
}

bool take_picture(Rig &rig, Picture &picture)
{
   return rig.screenshot(picture.rgb, picture.w, picture.h);
}

bool map_main_window(Rig &rig, MainWindowMap &map)
{
   Picture p;
   if (!take_picture(rig, p))
      return false;
   const std::string gfx = rig.run_folder() + "/gfx/";
   const struct {
      Point *at;
      const char *file;
   } icons[] = {{&map.add, "add"},  {&map.newpl, "newpl"}, {&map.prev, "prev"}, {&map.play, "play"}, {&map.pause, "pause"},
                {&map.stop, "stop"}, {&map.next, "next"},   {&map.quit, "x"},    {&map.menu, "menu"}};
   for (const auto &icon : icons)
      *icon.at = find_icon(p, gfx + icon.file + ".bmp");
   if (!map.play.found())
      return false;
   // The list's interior: the white run below the transport row.
   map.list_x = map.play.x;
   int y = map.play.y + 12;
   while (y < p.h && !white(p, map.list_x, y))
      ++y;
   const int top = y;
   while (y < p.h && white(p, map.list_x, y))
      ++y;
   map.list_top = top;
   map.row_h = (y - top + kListRows / 2) / kListRows;
   return map.complete();
}

std::vector<std::string> playlist_file_rows(const std::string &path)
{
   std::vector<std::string> rows;
   PLAYLIST *pl = playlist_create();
   if (pl && playlist_load(pl, path.c_str()) == 0)
      for (uint32_t i = 0; i < pl->count; ++i)
         rows.push_back(playlist_get_name(pl, i));
   playlist_destroy(pl);
   return rows;
}

void add_song(Rig &rig, const MainWindowMap &map, const std::string &path)
{
   rig.click(map.add.x, map.add.y);
   pause_ms(400);
   rig.type(path);
   rig.key("Return");
   pause_ms(200);
}

void save_playlist_as(Rig &rig, const std::string &path)
{
   rig.key("ctrl+s");
   pause_ms(400);
   rig.type(path);
   rig.key("Return");
   pause_ms(200);
}

std::string e2e_file(const std::string &name)
{
   return std::string(std::getenv("KSTR_TEST_DATA")) + "/e2e/" + name;
}

}
