// The playlist through the window: adding through the file selector (a
// typed full path), the row menu, dragging rows, the load, merge and save
// buttons with their requesters, and long names.
#include "main_window_test_support.h"

#include "temp_dir.h"
#include "toolkit/requesters.h"
#include "ui/playlist_buttons.h"

#include <cstring>

namespace kstr::test {
namespace {

using Names = std::vector<std::string>;

// Steps that add `path` at the end with the add button.
void AddSteps(std::vector<std::function<void()>> &steps, const std::string &path)
{
   steps.push_back(ClickAdd);
   steps.push_back([path] { TypePathAndEnter(path); });
}

// Steps that right-click visible row `pos` and choose `item` from its menu.
void RowMenuSteps(std::vector<std::function<void()>> &steps, int pos, const std::string &item)
{
   steps.push_back([pos] { ClickRow(pos, 2); });
   steps.push_back([item] { ClickControl(LabelledControl(item)); });
}

// Presses row `from` and drags it onto the row at `to_y` on the screen.
void DragSteps(std::vector<std::function<void()>> &steps, int from, std::function<int()> to_y)
{
   steps.push_back([from, to_y] {
      int x, y;
      centre_of(RowId(from), &x, &y);
      InjectPointer(x, y, 0);
      InjectPointer(x, y, 1);
      InjectPointer(x, y + 8, 1);
      const int target = to_y();
      InjectPointer(x, target, 1);
      InjectPointer(x, target, 0);
   });
}

int RowCentreY(int pos)
{
   int x, y;
   centre_of(RowId(pos), &x, &y);
   return y;
}

TEST_F(MainWindowTest, SongsAreAddedInsertedRemovedAndDraggedThroughTheWindow)
{
   const std::string a = ui_file("tone.mp3"), b = ui_file("tone.ogg"), c = ui_file("tone.wav");
   const std::string d = ui_file("short.wav");
   Names added, inserted, removed, dragged, past_end, emptied;
   std::vector<std::function<void()>> steps;
   AddSteps(steps, a);
   AddSteps(steps, b);
   AddSteps(steps, c);
   steps.push_back([&] { added = PlaylistNames(); });
   RowMenuSteps(steps, 0, "Insert song");
   steps.push_back([d] { TypePathAndEnter(d); });
   steps.push_back([&] { inserted = PlaylistNames(); });
   RowMenuSteps(steps, 3, "Remove");
   steps.push_back([&] { removed = PlaylistNames(); });
   DragSteps(steps, 0, [] { return RowCentreY(2); });
   steps.push_back([&] { dragged = PlaylistNames(); });
   DragSteps(steps, 0, [] { return RowCentreY(10); });  // below the last row
   steps.push_back([&] {
      past_end = PlaylistNames();
      ClickControl(IconControl("plnewpl"));
   });
   steps.push_back([&] { emptied = PlaylistNames(); });
   RunWindow(steps);

   EXPECT_EQ(added, (Names{a, b, c}));
   EXPECT_EQ(inserted, (Names{d, a, b, c})) << "inserted before the row";
   EXPECT_EQ(removed, (Names{d, a, b})) << "the last row removed, the others in order";
   EXPECT_EQ(dragged, (Names{a, b, d})) << "moved to the row it was dropped on";
   EXPECT_EQ(past_end, (Names{a, b, d})) << "a drop below the last row moves nothing";
   EXPECT_TRUE(emptied.empty());
}

// Save, New, Load (the same rows and current entry), Merge (appended); a
// damaged file and a newer file each bring their requester and keep both the
// rows and the current entry.
TEST_F(MainWindowTest, PlaylistFilesLoadMergeAndSaveAndAFailedLoadKeepsThePlaylist)
{
   TempDir dir;
   const std::string saved = dir.file("saved.kpl");
   const std::string damaged = dir.write("damaged.kpl", std::string("KSTR PLAYLIST 01\x05\0\0\0\0\0\0\0\x03\0ab", 29));
   const std::string newer = dir.write("newer.kpl", std::string("KSTR PLAYLIST 02\0\0\0\0\xff\xff\xff\xff", 24));
   const std::string a = ui_file("tone.mp3"), b = ui_file("tone.ogg");
   Names after_new, loaded, merged, after_damaged, after_newer;
   int32_t loaded_current = -9, current_before_fail = -9, current_after_damaged = -9, current_after_newer = -9;
   std::string damaged_message, newer_message;

   std::vector<std::function<void()>> steps;
   AddSteps(steps, a);
   AddSteps(steps, b);
   steps.push_back([] {
      main_playlist->current = 1;
      ClickControl(LabelledControl("Save"));
   });
   steps.push_back([saved] { TypePathAndEnter(saved); });
   steps.push_back([] { ClickControl(IconControl("plnewpl")); });
   steps.push_back([&] {
      after_new = PlaylistNames();
      ClickControl(LabelledControl("Load"));
   });
   steps.push_back([saved] { TypePathAndEnter(saved); });
   steps.push_back([&] {
      loaded = PlaylistNames();
      loaded_current = main_playlist->current;
      main_playlist->current = 0;
      ClickControl(LabelledControl("Merge"));
   });
   steps.push_back([saved] { TypePathAndEnter(saved); });
   steps.push_back([&] {
      merged = PlaylistNames();
      current_before_fail = main_playlist->current;
      ClickControl(LabelledControl("Load"));
   });
   steps.push_back([damaged] { TypePathAndEnter(damaged); });
   steps.push_back([&] {
      damaged_message = RequesterMessage();
      InjectKey('\r', KEY_ENTER, 0);
   });
   steps.push_back([&] {
      after_damaged = PlaylistNames();
      current_after_damaged = main_playlist->current;
      ClickControl(LabelledControl("Load"));
   });
   steps.push_back([newer] { TypePathAndEnter(newer); });
   steps.push_back([&] {
      newer_message = RequesterMessage();
      InjectKey('\r', KEY_ENTER, 0);
   });
   steps.push_back([&] {
      after_newer = PlaylistNames();
      current_after_newer = main_playlist->current;
   });
   RunWindow(steps);

   EXPECT_TRUE(after_new.empty());
   EXPECT_EQ(loaded, (Names{a, b}));
   EXPECT_EQ(loaded_current, 1);
   EXPECT_EQ(merged, (Names{a, b, a, b}));
   EXPECT_EQ(damaged_message, "The playlist could not be loaded.\n" + damaged);
   EXPECT_EQ(newer_message, "This playlist was saved by a newer version of Kestrune and cannot be read.\n" + newer);
   EXPECT_EQ(after_damaged, merged);
   EXPECT_EQ(after_newer, merged);
   EXPECT_EQ(current_after_damaged, current_before_fail);
   EXPECT_EQ(current_after_newer, current_before_fail);
}

// A failed save tells the user and changes nothing.
TEST_F(MainWindowTest, ASaveThatCannotWriteShowsItsRequester)
{
   // A folder that exists but takes no files: the file selector refuses
   // names in a missing folder itself.
   const std::string nowhere = "/proc/list.kpl";
   std::string message;
   RunWindow({
      [] { ClickControl(LabelledControl("Save")); },
      [nowhere] { TypePathAndEnter(nowhere); },
      [&] {
         message = RequesterMessage();
         InjectKey('\r', KEY_ENTER, 0);
      },
   });
   EXPECT_EQ(message, "The playlist could not be saved.\n" + nowhere);
}

// A name longer than the view's row buffer is cut to it; nothing past the
// buffer is written, and the window draws such a row.
TEST_F(MainWindowTest, ARowNameLongerThanTheRowBufferIsCut)
{
   const std::string long_name(3 * LIST_TEXT_SIZE, 'n');
   std::string text;
   bool guard_intact = false;
   RunWindow({[&] {
      playlist_insert(main_playlist, 0, long_name.c_str(), 0);
      redraw_playlist();
      std::vector<char> buf(LIST_TEXT_SIZE + 64, '#');
      playlist_row_text(playlist_row_handle(nullptr, 0), buf.data(), 0);
      text = buf.data();
      guard_intact = std::all_of(buf.begin() + LIST_TEXT_SIZE, buf.end(), [](char ch) { return ch == '#'; });
   }});
   EXPECT_EQ(text, long_name.substr(0, LIST_TEXT_SIZE - 1));
   EXPECT_TRUE(guard_intact);
}

}
}
