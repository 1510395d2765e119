// Failed starts inside the running toolkit: Play tells the user in a
// requester; the end of a song, run by the poll's own loop, skips unplayable
// entries without one.
#include "dialog_test_support.h"
#include "player_test_support.h"

#include "toolkit/cursors.h"
#include "toolkit/windows.h"
#include "windows/mouse_cursors.h"

namespace kstr::test {
namespace {

class EngineDialogTest : public DialogTest {
 protected:
   void SetUp() override
   {
      DialogTest::SetUp();
      start_player();
   }
   void TearDown() override { stop_player(); }
};

using State = std::pair<int, int>;  // song_playing or entry, backend_kind

struct Shown {
   std::string title, message;
   State state;
};

// Every kind of failure: the requester names the file and the reason, and
// nothing plays behind it, also when a song played before.
TEST_F(EngineDialogTest, PlayOnAnEntryThatFailsTellsTheUser)
{
   const std::vector<std::pair<std::string, std::string>> cases = {
      {song_path("tune.umx"), "does not know this kind of file"},
      {song_path("missing.mp3"), "missing or cannot be read"},
      {song_path("folder.ogg"), "missing or cannot be read"},
      {song_path("empty.mp3"), "the file is empty"},
      {song_path("garbage.mp3"), "damaged or not in the format"},
      {song_path("text.ogg"), "damaged or not in the format"},
      {song_path("text.wav"), "damaged or not in the format"},
      {song_path("text.mid"), "damaged or not in the format"},
   };
   playlist_insert(main_playlist, 0, song_path("song.ogg").c_str(), 0);
   for (const auto &c : cases)
      playlist_insert(main_playlist, main_playlist->count, c.first.c_str(), 0);
   std::vector<Shown> shown;
   std::vector<State> after;
   // The watcher records each requester once (the case it belongs to has not
   // returned yet) and presses OK until it closes.
   // Static: a call still queued when the loop ends runs in the toolkit's
   // shut-down flush, after this function has returned.
   static Step watch;
   watch.fn = [&] {
      if (EventSystemFlushing())
         return;
      if (!RequesterMessage().empty()) {
         if (shown.size() == after.size())
            shown.push_back({TopWindow()->title, RequesterMessage(), {song_playing, backend_kind}});
         ClickControl(LabelledControl("OK"));
      }
      watch.Queue(30);
   };
   watch.Queue(30);
   Script none;
   RunDialog(
      [&] {
         for (size_t i = 0; i < cases.size(); ++i) {
            main_playlist->current = 0;
            play_current_song();
            EXPECT_EQ(backend_kind, BACKEND_OGG);
            main_playlist->current = static_cast<int32_t>(i + 1);
            play_current_song();
            after.emplace_back(song_playing, backend_kind);
         }
      },
      none);
   ASSERT_EQ(shown.size(), cases.size());
   for (size_t i = 0; i < cases.size(); ++i) {
      SCOPED_TRACE(cases[i].first);
      EXPECT_EQ(shown[i].title, "Cannot play");
      EXPECT_NE(shown[i].message.find(cases[i].first), std::string::npos) << shown[i].message;
      EXPECT_NE(shown[i].message.find(cases[i].second), std::string::npos) << shown[i].message;
      EXPECT_EQ(shown[i].state, State(0, BACKEND_NONE));
      EXPECT_EQ(after[i], State(0, BACKEND_NONE));
   }
   EXPECT_EQ(CurrentMouseCursor(), CURSOR_ARROW);
}

// The poll queued once runs the playlist on its own: each song moves the
// bar and ends, the next plays; broken entries go by without a requester;
// the player stops after one pass with the last song played current, the
// bar at 0 and the pointer the arrow again.
TEST_F(EngineDialogTest, TheAdvanceSkipsUnplayableEntriesSilently)
{
   for (const char *name : {"short.wav", "garbage.mp3", "short.mp3", "missing.ogg", "text.mid", "short.ogg",
                            "folder.ogg", "empty.mp3", "tune.umx"})
      playlist_insert(main_playlist, main_playlist->count, song_path(name).c_str(), 0);
   ASSERT_GT(MakeWindow(0, AUTO, "Player", WINDOW_NOT_MODAL), 0);
   progress_bar = PlaceProgressBar(PLACE_FIRST, AUTO, 200, 8);
   PresentWindow();
   auto bar_value = [] {
      Control *c = LookupControl(progress_bar);
      return c ? c->cls->get_value(c) : -1;
   };
   main_playlist->current = 0;
   play_current_song();
   ASSERT_EQ(backend_kind, BACKEND_SAMPLE);
   std::vector<std::string> requesters;
   std::vector<int> shown;
   std::vector<State> played;
   static Step watch;  // see above
   watch.fn = [&] {
      if (EventSystemFlushing())
         return;
      capture_pull(kCaptureBlockFrames);  // the mixer at about its real pace
      shown.push_back(bar_value());
      if (backend_kind && (played.empty() || played.back().first != main_playlist->current))
         played.emplace_back(main_playlist->current, backend_kind);
      if (!RequesterMessage().empty()) {
         requesters.push_back(RequesterMessage());
         ClickControl(LabelledControl("OK"));
      }
      if (!song_playing && backend_kind == BACKEND_NONE)
         StopEventLoop();
      else
         watch.Queue(5);
   };
   start_player_poll();
   watch.Queue(5);
   LoopDeadline deadline(4000);
   RunEventLoop();
   EXPECT_FALSE(deadline.fired) << "the player never stopped";
   EXPECT_TRUE(requesters.empty()) << requesters.front();
   ASSERT_FALSE(shown.empty());
   EXPECT_GE(*std::min_element(shown.begin(), shown.end()), 0);
   EXPECT_LE(*std::max_element(shown.begin(), shown.end()), 100);
   EXPECT_GE(*std::max_element(shown.begin(), shown.end()), 50);
   EXPECT_EQ(bar_value(), 0);
   progress_bar = -1;
   EXPECT_EQ(played, (std::vector<State>{{0, BACKEND_SAMPLE}, {2, BACKEND_MP3}, {5, BACKEND_OGG}}));
   EXPECT_EQ(main_playlist->current, 5);
   EXPECT_EQ(CurrentMouseCursor(), CURSOR_ARROW);
}

// Stop is carried out on the loop's next pass, not when the poll's next run
// was due (up to 40 ms later); a song played meanwhile is served as before.
TEST_F(EngineDialogTest, StopActsOnTheNextPassOfTheLoop)
{
   playlist_insert(main_playlist, 0, song_path("short.mp3").c_str(), 0);
   main_playlist->current = 0;
   play_current_song();
   ASSERT_EQ(backend_kind, BACKEND_MP3);
   int kind_after_stop = -1, kind_after_play = -1;
   Step stop{[] { stop_song(); }};
   Step look{[&] { kind_after_stop = backend_kind; }};
   Step play{[] { play_current_song(); }};
   Step end{[&] {
      kind_after_play = backend_kind;
      StopEventLoop();
   }};
   start_player_poll();
   start_player_poll();  // replaces the chain queued just before
   stop.Queue(15);       // the poll ran at 0 ms; its next run is 40 ms away
   look.Queue(20);
   play.Queue(30);
   end.Queue(200);
   LoopDeadline deadline(2000);
   RunEventLoop();
   EXPECT_FALSE(deadline.fired);
   EXPECT_EQ(kind_after_stop, BACKEND_NONE) << "the stop step waited for the poll's next run";
   EXPECT_EQ(kind_after_play, BACKEND_MP3);
   EXPECT_EQ(song_playing, 1);
}

}
}
