// The transport row, the seek bar and the keys on the real engine, with the
// capture sound driver standing in for the sound card.
#include "ui_test_support.h"

#include "toolkit/controls/progress_bar.h"

namespace kstr::test {
namespace {

void fill(const Names &names)
{
   for (const std::string &n : names)
      playlist_insert(main_playlist, main_playlist->count, n.c_str(), 0);
   redraw_playlist();
}

// The pixel just inside a button's top-left corner: light when raised, dark
// when pushed in.
Rgb corner(int id)
{
   const Rect r = screen_rect_of(id);
   return screen_pixel(r.x1 + 1, r.y1 + 1);
}

// What the engine and the list show: playing, paused, the current entry and
// the rows marked.
struct Seen {
   int playing = -1, paused = -1;
   int32_t current = -9;
   std::vector<int> marked;
   friend bool operator==(const Seen &, const Seen &) = default;
   friend std::ostream &operator<<(std::ostream &os, const Seen &s)
   {
      os << "playing " << s.playing << " paused " << s.paused << " current " << s.current << " marked";
      for (int row : s.marked)
         os << " " << row;
      return os;
   }
};

Seen now()
{
   return Seen{song_playing, song_paused, main_playlist->current, marked_rows()};
}

// The mark follows what plays: through the automatic advance, Next and
// Previous, and the playing entry dragged elsewhere; removed, it leaves no
// mark while it still plays. Pause shows on its button; the bar seeks.
TEST_F(PlayerTest, TransportButtonsDriveTheEngineAndTheMarkFollowsThePlayingEntry)
{
   start();
   const Names songs{test_data("ui/short.wav"), test_data("ui/second.wav"), test_data("ui/tone.mp3")};
   Seen started, advanced, paused, resumed, next, previous, moved, removed, stopped;
   int shown_after_advance = -9, before_seek = -1, after_seek = -1;
   Rgb raised{}, latched{}, released{};
   Names order;
   const auto pause_button = [] { ClickControl(icon_control("pauseicon")); };
   run_steps({
                [&] {
                   show_mouse(nullptr);
                   fill(songs);
                   raised = corner(icon_control("pauseicon"));
                   click_row(0);
                   click_row(0);  // a double click plays the row
                },
                [&] {
                   started = now();
                   capture_pull(capture_rate() / 2);  // the 0.2 s song plays out
                },
                [] {},
                [&] {
                   advanced = now();
                   shown_after_advance = main_window_state().shown_current;
                   pause_button();
                },
                [&] {
                   paused = now();
                   latched = corner(icon_control("pauseicon"));
                   shot("main_window_paused");
                   pause_button();
                },
                [&] {
                   resumed = now();
                   released = corner(icon_control("pauseicon"));
                   ClickControl(icon_control("nexticon"));
                },
                [&] {
                   next = now();
                   before_seek = song_progress();
                   const Rect r = screen_rect_of(progress_bar);
                   inject_click(r.x1 + 1 + (r.x2 - r.x1 - 1) * 3 / 4, (r.y1 + r.y2) / 2);
                },
                [&] {
                   after_seek = song_progress();
                   ClickControl(icon_control("previcon"));
                },
                [&] {
                   previous = now();
                   drag_row(1, row_centre_y(0));
                },
                [&] {
                   moved = now();
                   order = playlist_names();
                   click_row(0, 2);
                },
                [] { ClickControl(LabelledControl("Remove")); },
                [&] {
                   removed = now();
                   ClickControl(icon_control("stopicon"));
                },
                [] {},
                [&] { stopped = now(); },
             },
             150);

   EXPECT_EQ(started, (Seen{1, 0, 0, {0}}));
   EXPECT_EQ(advanced, (Seen{1, 0, 1, {1}})) << "the next song started by itself";
   EXPECT_EQ(shown_after_advance, 1) << "the list was redrawn after the advance";
   EXPECT_EQ(paused, (Seen{1, 1, 1, {1}}));
   EXPECT_NE(latched, raised) << "the pause button looks pushed in while paused";
   EXPECT_EQ(resumed, (Seen{1, 0, 1, {1}}));
   EXPECT_EQ(released, raised);
   EXPECT_EQ(next, (Seen{1, 0, 2, {2}}));
   EXPECT_LT(before_seek, 10);
   EXPECT_GE(after_seek, 70) << "a click at three quarters of the bar";
   EXPECT_LE(after_seek, 80);
   EXPECT_EQ(previous, (Seen{1, 0, 1, {1}}));
   EXPECT_EQ(order, (Names{songs[1], songs[0], songs[2]}));
   EXPECT_EQ(moved, (Seen{1, 0, 0, {0}})) << "the mark moved with the playing song";
   EXPECT_EQ(removed.playing, 1) << "removing the playing entry stops nothing";
   EXPECT_TRUE(removed.marked.empty()) << "no other row is marked as playing";
   EXPECT_EQ(stopped.playing, 0);
   EXPECT_EQ(stopped.marked, (std::vector<int>{stopped.current})) << "the current row stays marked when stopped";
}

// The keys do what the buttons do with the focus on the list (after a click
// on a row); the paths typed into the file selector pass through letters
// that are shortcuts in the main window.
TEST_F(PlayerTest, KeysPlayPauseSkipStopAndEditThePlaylist)
{
   start();
   const Names songs{test_data("ui/second.wav"), test_data("ui/tone.wav"), test_data("ui/tone.mp3")};
   const std::string saved = dir_.file("keys.kpl");
   const struct {
      int scancode, character;
      Seen after;
   } transport[] = {
      {KEY_ENTER, '\r', {1, 0, 1, {1}}},  // plays the selected row
      {KEY_SPACE, ' ', {1, 1, 1, {1}}},  {KEY_SPACE, ' ', {1, 0, 1, {1}}}, {KEY_B, 'b', {1, 0, 2, {2}}},
      {KEY_Z, 'z', {1, 0, 1, {1}}},      {KEY_C, 'c', {1, 1, 1, {1}}},     {KEY_X, 'x', {1, 0, 1, {1}}},
      {KEY_V, 'v', {0, 0, 1, {1}}},
   };
   std::vector<Seen> seen;
   int volume_down = -1, volume_up = -1;
   Names after_delete, after_insert, after_new, after_load;
   Steps steps{[&] {
      fill(songs);
      click_row(1);
   }};
   for (const auto &k : transport)
      steps.push_back([&] {
         if (&k != transport)
            seen.push_back(now());
         press(k.scancode, k.character);
      });
   steps.push_back([&] {
      seen.push_back(now());
      volume = 100;
      press(KEY_MINUS, '-');
   });
   steps.push_back([&] {
      volume_down = volume;
      press(KEY_EQUALS, '+', KB_SHIFT_FLAG);
      press(KEY_PLUS_PAD, '+');
   });
   steps.push_back([&] {
      volume_up = volume;
      press(KEY_DEL, 0x7F);
   });
   steps.push_back([&] {
      after_delete = playlist_names();
      press(KEY_INSERT);
   });
   steps.push_back([&] { type_path_and_enter(songs[1]); });
   steps.push_back([&] {
      after_insert = playlist_names();
      press(KEY_S, 19, KB_CTRL_FLAG);
   });
   steps.push_back([&] { type_path_and_enter(saved); });
   steps.push_back([] { press(KEY_N, 14, KB_CTRL_FLAG); });
   steps.push_back([&] {
      after_new = playlist_names();
      press(KEY_L, 12, KB_CTRL_FLAG);
   });
   steps.push_back([&] { type_path_and_enter(saved); });
   steps.push_back([&] { after_load = playlist_names(); });
   run_steps(steps, 120);

   ASSERT_EQ(seen.size(), std::size(transport));
   for (std::size_t i = 0; i < seen.size(); ++i)
      EXPECT_EQ(seen[i], transport[i].after) << "after key " << i << ": " << static_cast<char>(transport[i].character);
   EXPECT_EQ(volume_down, 100 - 16);
   EXPECT_EQ(volume_up, 100 + 16);
   EXPECT_EQ(after_delete, (Names{songs[0], songs[2]})) << "Delete removes the selected row";
   EXPECT_EQ(after_insert, (Names{songs[0], songs[2], songs[1]})) << "Insert adds after the selected row";
   EXPECT_TRUE(after_new.empty());
   EXPECT_EQ(after_load, after_insert);
}

}
}
