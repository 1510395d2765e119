// The transport row, the seek bar and the keys on the real engine, with the
// capture sound driver standing in for the sound card: the mark follows
// what plays, also through the automatic advance, a removed or moved
// playing entry, and the pause state shows on its button.
#include "main_window_test_support.h"

#include "toolkit/controls/progress_bar.h"

#include <filesystem>

namespace kstr::test {
namespace {

using Names = std::vector<std::string>;

void Fill(const Names &names)
{
   for (const std::string &n : names)
      playlist_insert(main_playlist, main_playlist->count, n.c_str(), 0);
   redraw_playlist();
}

std::vector<int> MarkedRows()
{
   std::vector<int> rows;
   for (uint32_t i = 0; i < main_playlist->count; ++i)
      if (RowMarked(static_cast<int>(i)))
         rows.push_back(static_cast<int>(i));
   return rows;
}

// The pixel just inside a control's top-left corner: a button's face is
// light there when raised and dark when pushed in.
Rgb Corner(int id)
{
   const Rect r = screen_rect_of(id);
   return screen_pixel(r.x1 + 1, r.y1 + 1);
}

struct Seen {
   int playing = -1, paused = -1;
   int32_t current = -9;
   std::vector<int> marked;
};

Seen Now()
{
   return Seen{song_playing, song_paused, main_playlist->current, MarkedRows()};
}

TEST_F(MainWindowTest, TransportButtonsDriveTheEngineAndTheMarkFollowsTheAdvance)
{
   const Names songs{ui_file("short.wav"), ui_file("second.wav"), ui_file("tone.mp3")};
   Seen started, advanced, paused, resumed, next, previous, stopped;
   int shown_after_advance = -9;
   Rgb raised{}, latched{}, released{};
   RunWindow({
      [&] {
         show_mouse(nullptr);
         Fill(songs);
         raised = Corner(IconControl("pauseicon"));
         ClickRow(0);
         ClickRow(0);  // a double click plays the row
      },
      [&] {
         started = Now();
         capture_pull(capture_rate() / 2);  // the 0.2 s song plays out
      },
      [] {},
      [&] {
         advanced = Now();
         shown_after_advance = main_window_state().shown_current;
         ClickControl(IconControl("pauseicon"));
      },
      [&] {
         paused = Now();
         latched = Corner(IconControl("pauseicon"));
         ClickControl(IconControl("pauseicon"));
      },
      [&] {
         resumed = Now();
         released = Corner(IconControl("pauseicon"));
         ClickControl(IconControl("nexticon"));
      },
      [&] {
         next = Now();
         ClickControl(IconControl("previcon"));
      },
      [&] {
         previous = Now();
         ClickControl(IconControl("stopicon"));
      },
      [&] { stopped = Now(); },
   }, 150);

   EXPECT_EQ(started.playing, 1);
   EXPECT_EQ(started.current, 0);
   EXPECT_EQ(started.marked, (std::vector<int>{0}));
   EXPECT_EQ(advanced.playing, 1) << "the next song started by itself";
   EXPECT_EQ(advanced.current, 1);
   EXPECT_EQ(advanced.marked, (std::vector<int>{1}));
   EXPECT_EQ(shown_after_advance, 1) << "the list was redrawn after the advance";
   EXPECT_EQ(paused.paused, 1);
   EXPECT_NE(latched, raised) << "the pause button looks pushed in while paused";
   EXPECT_EQ(resumed.paused, 0);
   EXPECT_EQ(released, raised);
   EXPECT_EQ(next.current, 2);
   EXPECT_EQ(next.marked, (std::vector<int>{2}));
   EXPECT_EQ(previous.current, 1);
   EXPECT_EQ(previous.playing, 1);
   EXPECT_EQ(stopped.playing, 0);
   EXPECT_EQ(stopped.marked, (std::vector<int>{1})) << "the current row stays marked when stopped";
}

// The playing entry dragged elsewhere keeps its mark; removed, it leaves no
// mark while it still plays; once stopped the current row is marked again.
TEST_F(MainWindowTest, MovingOrRemovingThePlayingEntryKeepsTheMarkOnWhatPlays)
{
   const Names songs{ui_file("second.wav"), ui_file("tone.wav"), ui_file("tone.mp3")};
   Seen moved, removed, stopped;
   Names order;
   RunWindow({
      [&] {
         Fill(songs);
         ClickRow(1);
         ClickRow(1);
      },
      [] {
         int x, y, tx, ty;
         centre_of(RowId(1), &x, &y);
         centre_of(RowId(0), &tx, &ty);
         InjectPointer(x, y, 0);
         InjectPointer(x, y, 1);
         InjectPointer(x, y - 6, 1);
         InjectPointer(x, ty, 1);
         InjectPointer(x, ty, 0);
      },
      [&] {
         moved = Now();
         order = PlaylistNames();
         ClickRow(0, 2);
      },
      [] { ClickControl(LabelledControl("Remove")); },
      [&] {
         removed = Now();
         ClickControl(IconControl("stopicon"));
      },
      [] {},
      [&] { stopped = Now(); },
   }, 150);

   EXPECT_EQ(order, (Names{songs[1], songs[0], songs[2]}));
   EXPECT_EQ(moved.playing, 1);
   EXPECT_EQ(moved.current, 0);
   EXPECT_EQ(moved.marked, (std::vector<int>{0})) << "the mark moved with the playing song";
   EXPECT_EQ(removed.playing, 1) << "removing the playing entry stops nothing";
   EXPECT_TRUE(removed.marked.empty()) << "no other row is marked as playing";
   EXPECT_EQ(stopped.playing, 0);
   EXPECT_EQ(stopped.marked, (std::vector<int>{stopped.current}));
}

// A click on the progress bar seeks the playing song to that point.
TEST_F(MainWindowTest, AClickOnTheProgressBarSeeks)
{
   int before = -1, after = -1;
   RunWindow({
      [&] {
         Fill({ui_file("tone.mp3")});
         ClickControl(IconControl("playicon"));
      },
      [&] {
         before = song_progress();
         const Rect r = screen_rect_of(progress_bar);
         inject_click(r.x1 + 1 + (r.x2 - r.x1 - 1) * 3 / 4, (r.y1 + r.y2) / 2);
      },
      [&] { after = song_progress(); },
   });
   EXPECT_LT(before, 10);
   EXPECT_GE(after, 70);
   EXPECT_LE(after, 80);
}

// The keys do what the buttons do, wherever the focus is (here on the list
// after a click on a row); the paths typed into the file selector pass
// through letters that are shortcuts in the main window.
TEST_F(MainWindowTest, KeysPlayPauseSkipStopAndEditThePlaylist)
{
   const Names songs{ui_file("second.wav"), ui_file("tone.wav"), ui_file("tone.mp3")};
   std::filesystem::path saved = std::filesystem::temp_directory_path() / ("kstr_keys_" + std::to_string(getpid()) + ".kpl");
   Seen entered, spaced, unspaced, b_key, z_key, c_key, x_key, v_key;
   int volume_down = -1, volume_up = -1;
   Names after_delete, after_insert, after_new, after_load;
   const auto key = [](int character, int scancode, int shifts = 0) { InjectKey(character, scancode, shifts); };
   RunWindow({
      [&] {
         Fill(songs);
         ClickRow(1);
      },
      [&] { key('\r', KEY_ENTER); },
      [&] {
         entered = Now();
         key(' ', KEY_SPACE);
      },
      [&] {
         spaced = Now();
         key(' ', KEY_SPACE);
      },
      [&] {
         unspaced = Now();
         key('b', KEY_B);
      },
      [&] {
         b_key = Now();
         key('z', KEY_Z);
      },
      [&] {
         z_key = Now();
         key('c', KEY_C);
      },
      [&] {
         c_key = Now();
         key('x', KEY_X);
      },
      [&] {
         x_key = Now();
         key('v', KEY_V);
      },
      [&] {
         v_key = Now();
         volume = 100;
         key('-', KEY_MINUS);
      },
      [&] {
         volume_down = volume;
         key('+', KEY_EQUALS, KB_SHIFT_FLAG);
         key('+', KEY_PLUS_PAD);
      },
      [&] {
         volume_up = volume;
         key(0x7F, KEY_DEL);
      },
      [&] {
         after_delete = PlaylistNames();
         key(0, KEY_INSERT);
      },
      [&] { TypePathAndEnter(songs[1]); },
      [&] {
         after_insert = PlaylistNames();
         key(19, KEY_S, KB_CTRL_FLAG);
      },
      [&] { TypePathAndEnter(saved.string()); },
      [&] { key(14, KEY_N, KB_CTRL_FLAG); },
      [&] {
         after_new = PlaylistNames();
         key(12, KEY_L, KB_CTRL_FLAG);
      },
      [&] { TypePathAndEnter(saved.string()); },
      [&] { after_load = PlaylistNames(); },
   }, 120);
   std::filesystem::remove(saved);

   EXPECT_EQ(entered.current, 1) << "Enter plays the selected row";
   EXPECT_EQ(entered.playing, 1);
   EXPECT_EQ(spaced.paused, 1);
   EXPECT_EQ(unspaced.paused, 0);
   EXPECT_EQ(b_key.current, 2);
   EXPECT_EQ(z_key.current, 1);
   EXPECT_EQ(c_key.paused, 1);
   EXPECT_EQ(x_key.playing, 1);
   EXPECT_EQ(x_key.paused, 0) << "play starts the song again";
   EXPECT_EQ(v_key.playing, 0);
   EXPECT_EQ(volume_down, 100 - 16);
   EXPECT_EQ(volume_up, 100 + 16);
   EXPECT_EQ(after_delete, (Names{songs[0], songs[2]})) << "Delete removes the selected row";
   EXPECT_EQ(after_insert, (Names{songs[0], songs[2], songs[1]})) << "Insert adds after the selected row";
   EXPECT_TRUE(after_new.empty());
   EXPECT_EQ(after_load, after_insert);
}

}
}
