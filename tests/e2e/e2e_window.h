// The main window as the scenarios find it in the program's screenshots:
// its buttons by their icons, the playlist's rows by the list's white
// interior, and the rows of a saved playlist file.
#pragma once

#include "e2e_media.h"
#include "e2e_rig.h"

#include <string>
#include <vector>

namespace kstr::test {

struct MainWindowMap {
   Point add, newpl, prev, play, pause, stop, next, quit, menu;
   int list_x = -1, list_top = -1, row_h = 0;

   bool complete() const;
   // The centre of the playlist's row i (its text side).
   Point row(int i) const { return Point{list_x, list_top + i * row_h + row_h / 2}; }
};

// Takes a screenshot of the window with an empty playlist and finds it all.
bool map_main_window(Rig &rig, MainWindowMap &map);

bool take_picture(Rig &rig, Picture &picture);

// The names stored in a playlist file, or nothing when it does not load.
std::vector<std::string> playlist_file_rows(const std::string &path);

// Adds a song through the add button's file selector, typing its path.
void add_song(Rig &rig, const MainWindowMap &map, const std::string &path);
// Saves the playlist with Ctrl+S under `path`.
void save_playlist_as(Rig &rig, const std::string &path);

std::string e2e_file(const std::string &name);

}
