#include "ui/playlist_buttons.h"

#include "app/catalogue_items.h"
#include "player/engine.h"
#include "playlist/playlist.h"
#include "playlist/playlist_file.h"
#include "ui/main_window.h"

#include "toolkit/toolkit.h"

#include <cstring>
#include <memory>
#include <string>
#include <utility>

namespace {

constexpr const char *kAlertTitle = "KSTR";

struct PlaylistDeleter {
   void operator()(PLAYLIST *pl) const { playlist_destroy(pl); }
};
using PlaylistPtr = std::unique_ptr<PLAYLIST, PlaylistDeleter>;

// A catalogue text kept past the next lookup, cut to 99 characters as the
// selector's title is.
std::string title_text(int item)
{
   std::string t = tr_text(item);
   if (t.size() > 99)
      t.resize(99);
   return t;
}

// Asks for a file; empty when the user cancelled.
std::string choose(const char *masks, int flags, int title_item, int button_item)
{
   const std::string title = title_text(title_item);
   const std::string button = tr_text(button_item);
   return ChooseFile(masks, "", flags, title.c_str(), button.c_str());
}

// The catalogue message (text, then "|" and its buttons) with the file's name
// on a line of its own below the text.
void alert_about_file(int item, const std::string &path)
{
   std::string text = tr_text(item);
   const std::size_t bar = text.find('|');
   // A name holding "|" would split the message into buttons: leave it out.
   if (bar != std::string::npos && path.find('|') == std::string::npos)
      text.insert(bar, "\n" + path);
   AlertBox(kAlertTitle, text.c_str());
}

void report_load_failure(int result, const std::string &path)
{
   if (result == -2)
      alert_about_file(msg::error_playlist_saved_with_newer_version, path);
   else if (result != 0)
      alert_about_file(msg::error_loading_playlist, path);
}

void empty_playlist(PLAYLIST *pl)
{
   while (pl->count > 0)
      playlist_remove(pl, 0);
   pl->current = -1;
}

// Takes `from`'s songs into `into` and gives `into`'s old songs to `from`; the
// records stay where they are.
void swap_contents(PLAYLIST *into, PLAYLIST *from)
{
   std::swap(into->entries, from->entries);
   std::swap(into->count, from->count);
   std::swap(into->capacity, from->capacity);
   std::swap(into->current, from->current);
}

// Load and Merge: asks for a playlist file and hands it to `apply`.
void apply_chosen_playlist(PLAYLIST *pl, int (*apply)(PLAYLIST *, const char *))
{
   if (!pl)
      return;
   const std::string path = choose("*.kpl", 0, msg::load_playlist, msg::load);
   if (!path.empty())
      apply(pl, path.c_str());
}

}

void add_song_dialog(PLAYLIST *pl, uint32_t position)
{
   if (!pl)
      return;
   const std::string path =
      choose("*.*", SELECT_SHOW_SIZE | SELECT_MUST_EXIST | SELECT_SETTINGS_MENU, msg::add_song, msg::add);
   if (path.empty())
      return;
   if (position > pl->count)
      position = pl->count;
   playlist_insert(pl, position, path.c_str(), 0);
   redraw_playlist();
}

void add_song_button(void *playlist)
{
   auto *pl = static_cast<PLAYLIST *>(playlist);
   add_song_dialog(pl, pl ? pl->count : 0);
}

void new_playlist_button(void *playlist)
{
   auto *pl = static_cast<PLAYLIST *>(playlist);
   if (!pl)
      return;
   if (song_playing && pl->count > 0)
      detach_playing_mark();
   empty_playlist(pl);
   redraw_playlist();
}

int load_playlist_file(PLAYLIST *pl, const char *path)
{
   PlaylistPtr loaded(playlist_create());
   int result = loaded ? playlist_load(loaded.get(), path) : -1;
   if (result == 0) {
      if (song_playing)
         detach_playing_mark();
      swap_contents(pl, loaded.get());
   }
   report_load_failure(result, path);
   redraw_playlist();
   return result;
}

int merge_playlist_file(PLAYLIST *pl, const char *path)
{
   const int32_t before = pl->current;
   const int result = playlist_load(pl, path);
   // The file's current song becomes current; while a song plays the mark
   // must not move to a row that is not playing.
   if (result == 0 && song_playing && pl->current != before)
      detach_playing_mark();
   report_load_failure(result, path);
   redraw_playlist();
   return result;
}

void load_playlist_button(void *playlist)
{
   apply_chosen_playlist(static_cast<PLAYLIST *>(playlist), load_playlist_file);
}

void merge_playlist_button(void *playlist)
{
   apply_chosen_playlist(static_cast<PLAYLIST *>(playlist), merge_playlist_file);
}

void save_playlist_button(void *playlist)
{
   auto *pl = static_cast<PLAYLIST *>(playlist);
   if (!pl)
      return;
   const std::string path = choose("*.kpl", 0, msg::save_playlist, msg::save);
   if (!path.empty() && playlist_save(pl, path.c_str()) != 0)
      alert_about_file(msg::error_saving_playlist, path);
}
