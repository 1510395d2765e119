// The playlist through the window: songs added through the file selector (a
// typed full path), the row menu, dragged rows, the load, merge and save
// buttons with their requesters, and names longer than a row.
#include "ui_test_support.h"

#include <algorithm>

namespace kstr::test {
namespace {

// Steps that click `button` and answer its file selector with `path`.
void file_steps(Steps &steps, std::function<int()> button, const std::string &path)
{
   steps.push_back([button] { ClickControl(button()); });
   steps.push_back([path] { type_path_and_enter(path); });
}

void file_steps(Steps &steps, const std::string &label, const std::string &path)
{
   file_steps(
      steps, [label] { return LabelledControl(label); }, path);
}

// Added, inserted before a row, removed, dragged onto a row and below the
// last one; saved, emptied, loaded (rows and current entry), merged
// (appended); a damaged and a newer file each bring their requester and keep
// the rows and the current entry; a save that cannot write says so.
TEST_F(PlayerTest, PlaylistIsEditedThroughTheWindowAndAFailedLoadKeepsIt)
{
   start();
   const std::string a = test_data("ui/tone.mp3"), b = test_data("ui/tone.ogg"), c = test_data("ui/tone.wav");
   const std::string d = test_data("ui/short.wav");
   const std::string saved = dir_.file("saved.kpl"), nowhere = "/proc/list.kpl";  // a folder that takes no files
   const std::string damaged = dir_.write("damaged.kpl", std::string("KSTR PLAYLIST 01\x05\0\0\0\0\0\0\0\x03\0ab", 29));
   const std::string newer = dir_.write("newer.kpl", std::string("KSTR PLAYLIST 02\0\0\0\0\xff\xff\xff\xff", 24));
   Names added, inserted, removed, dragged, past_end, emptied, loaded, merged, after_damaged, after_newer;
   int32_t loaded_current = -9, current_merged = -9, current_after_damaged = -9, current_after_newer = -9;
   std::string damaged_message, newer_message, save_message, long_text;
   const std::string long_name(3 * LIST_TEXT_SIZE, 'n');
   bool guard_intact = false;

   Steps steps;
   for (const std::string &song : {a, b, c})
      file_steps(
         steps, [] { return icon_control("pladdsong"); }, song);
   steps.push_back([&] {
      added = playlist_names();
      click_row(0, 2);
   });
   file_steps(steps, "Insert song", d);
   steps.push_back([&] {
      inserted = playlist_names();
      click_row(3, 2);
   });
   steps.push_back([] { ClickControl(LabelledControl("Remove")); });
   steps.push_back([&] {
      removed = playlist_names();
      drag_row(0, row_centre_y(2));
   });
   steps.push_back([&] {
      dragged = playlist_names();
      drag_row(0, row_centre_y(10));
   });
   steps.push_back([&] {
      past_end = playlist_names();
      main_playlist->current = 1;
   });
   file_steps(steps, "Save", saved);
   steps.push_back([] { ClickControl(icon_control("plnewpl")); });
   steps.push_back([&] { emptied = playlist_names(); });
   file_steps(steps, "Load", saved);
   steps.push_back([&] {
      loaded = playlist_names();
      loaded_current = main_playlist->current;
   });
   file_steps(steps, "Merge", saved);
   steps.push_back([&] {
      merged = playlist_names();
      current_merged = main_playlist->current;
   });
   file_steps(steps, "Load", damaged);
   steps.push_back(answer(damaged_message));
   steps.push_back([&] {
      after_damaged = playlist_names();
      current_after_damaged = main_playlist->current;
   });
   file_steps(steps, "Load", newer);
   steps.push_back(answer(newer_message));
   steps.push_back([&] {
      after_newer = playlist_names();
      current_after_newer = main_playlist->current;
   });
   file_steps(steps, "Save", nowhere);
   steps.push_back(answer(save_message));
   steps.push_back([&] {
      playlist_insert(main_playlist, 0, long_name.c_str(), 0);
      redraw_playlist();
      std::vector<char> buf(LIST_TEXT_SIZE + 64, '#');
      playlist_row_text(playlist_row_handle(nullptr, 0), buf.data(), 0);
      long_text = buf.data();
      guard_intact = std::all_of(buf.begin() + LIST_TEXT_SIZE, buf.end(), [](char ch) { return ch == '#'; });
   });
   run_steps(steps);

   EXPECT_EQ(added, (Names{a, b, c}));
   EXPECT_EQ(inserted, (Names{d, a, b, c})) << "inserted before the row";
   EXPECT_EQ(removed, (Names{d, a, b}));
   EXPECT_EQ(dragged, (Names{a, b, d})) << "moved to the row it was dropped on";
   EXPECT_EQ(past_end, dragged) << "a drop below the last row moves nothing";
   EXPECT_TRUE(emptied.empty());
   EXPECT_EQ(loaded, dragged);
   EXPECT_EQ(loaded_current, 1);
   EXPECT_EQ(merged, (Names{a, b, d, a, b, d}));
   EXPECT_EQ(damaged_message, "The playlist could not be loaded.\n" + damaged);
   EXPECT_EQ(newer_message, "This playlist was saved by a newer version of Kestrune and cannot be read.\n" + newer);
   EXPECT_EQ(after_damaged, merged);
   EXPECT_EQ(after_newer, merged);
   EXPECT_EQ(current_after_damaged, current_merged);
   EXPECT_EQ(current_after_newer, current_merged);
   EXPECT_EQ(save_message, "The playlist could not be saved.\n" + nowhere);
   EXPECT_EQ(long_text, long_name.substr(0, LIST_TEXT_SIZE - 1)) << "cut to the row buffer";
   EXPECT_TRUE(guard_intact) << "nothing written past it";
}

}
}
