// Mouse input injected where Allegro's callback puts it: codes 6-10, clicks
// versus double clicks versus drags, and controls that go away meanwhile.
#include "input_test_support.h"

#include "input/pointer_tracker.h"
#include "windows/input_sink.h"

#include <array>
#include <chrono>
#include <thread>

#include <unistd.h>

namespace kstr::test {
namespace {

using Codes = std::vector<int>;
using Clicks = std::vector<std::array<int, 3>>;  // control, button, count

// The clicks so far; the log starts afresh.
Clicks TakeClicks()
{
   Clicks clicks;
   for (const ClickLogEntry &c : input_log().clicks)
      clicks.push_back({c.id, c.button, c.count});
   input_log() = InputLog{};
   return clicks;
}

// "a" awaits double clicks of the left button, "b" of none.
TEST_F(InputTest, ClicksComeAtOnceUnlessADoubleClickIsAwaited)
{
   inject_click(ax_, ay_);
   inject_click(ax_ + 1, ay_);
   run_loop_for(400);  // long past the double-click time
   EXPECT_EQ(input_log().CodesFor(a_),
             (Codes{POINTER_OVER, POINTER_PRESS, POINTER_RELEASE, POINTER_OVER, POINTER_PRESS, POINTER_RELEASE}));
   EXPECT_EQ(TakeClicks(), (Clicks{{a_, 1, 2}})) << "one double click and no single click";

   inject_click(ax_, ay_);
   const uint64_t released = event_signals::TickCount();
   run_loop_for(400);
   ASSERT_EQ(input_log().clicks.size(), 1u);
   EXPECT_GE(input_log().clicks[0].tick, released + DOUBLE_CLICK_MS) << "a lone click waits";
   EXPECT_EQ(TakeClicks(), (Clicks{{a_, 1, 1}}));

   inject_click(ax_, ay_);
   inject_click(bx_, by_);
   run_loop_for(20);
   std::vector<std::array<int, 2>> pointer;  // control, code
   for (const PointerLogEntry &e : input_log().pointer)
      pointer.push_back({e.id, e.code});
   EXPECT_EQ(pointer, (std::vector<std::array<int, 2>>{{a_, POINTER_PRESS},
                                                       {a_, POINTER_RELEASE},
                                                       {a_, POINTER_LEFT},
                                                       {b_, POINTER_OVER},
                                                       {b_, POINTER_PRESS},
                                                       {b_, POINTER_RELEASE}}))
      << "a is left before b is entered";
   EXPECT_EQ(TakeClicks(), (Clicks{{a_, 1, 1}, {b_, 1, 1}})) << "the press on b delivers a's waiting click first";

   inject_click(ax_, ay_, 2);
   inject_click(ax_, ay_, 4);
   run_loop_for(20);
   EXPECT_EQ(TakeClicks(), (Clicks{{a_, 2, 1}, {a_, 4, 1}})) << "other buttons click at once";
}

TEST_F(InputTest, MovingMoreThanFourPixelsMakesADragAndNoClick)
{
   InjectPointer(bx_, by_, 0);
   InjectPointer(bx_, by_, 1);
   InjectPointer(bx_ + 4, by_ - 4, 1);    // 4 pixels: not yet
   InjectPointer(bx_ + 4, by_ + 5, 1);    // 5 pixels down: a drag
   InjectPointer(bx_ + 300, by_ + 5, 1);  // far outside: still the pressed control's
   InjectPointer(bx_ + 300, by_ + 5, 0);
   run_loop_for(20);

   std::vector<int> dragging;
   for (const PointerLogEntry &e : input_log().pointer)
      if (e.id == b_ && e.code == POINTER_DRAG)
         dragging.push_back(e.dragging);
   EXPECT_EQ(dragging, (std::vector<int>{0, 1, 1}));
   EXPECT_EQ(input_log().CodesFor(b_), (Codes{POINTER_OVER, POINTER_PRESS, POINTER_DRAG, POINTER_DRAG, POINTER_DRAG,
                                              POINTER_RELEASE, POINTER_LEFT}));
   EXPECT_EQ(TakeClicks(), Clicks{});

   InjectPointer(bx_, by_, 0);
   InjectPointer(bx_, by_, 1);
   InjectPointer(bx_ - 4, by_ + 4, 1);
   InjectPointer(bx_ - 4, by_ + 4, 0);
   run_loop_for(20);
   EXPECT_EQ(TakeClicks(), (Clicks{{b_, 1, 1}})) << "a wobble of four pixels still clicks";
}

// Press on a window's background, move in two steps, let go: the window follows.
TEST_F(InputTest, DraggingTheBackgroundMovesTheWindow)
{
   ASSERT_GT(MakeWindow(120, 80, "drag me", WINDOW_NOT_MODAL), 0);
   PresentWindow();
   const int root = TopWindow()->root->self->id;
   const Rect before = rect_of(root);
   const int x = before.x1 + 60, y = before.y2 - 20;
   for (const auto &[dx, dy, buttons] : {std::array{0, 0, 0}, {0, 0, 1}, {20, 15, 1}, {40, 30, 1}, {40, 30, 0}}) {
      InjectPointer(x + dx, y + dy, buttons);
      run_loop_for(10);
   }
   EXPECT_EQ(rect_of(root), (Rect{before.x1 + 40, before.y1 + 30, before.x2 + 40, before.y2 + 30}));
}

// Far more samples than the input ring holds arrive before the loop runs: the
// newest state still wins, so the release is not lost and no button stays held.
TEST_F(InputTest, FloodOfSamplesKeepsTheFinalRelease)
{
   InjectPointer(bx_, by_, 0);
   InjectPointer(bx_, by_, 1);
   for (int i = 0; i < 1000; ++i)
      InjectPointer(bx_ + i % 3, by_, 1);
   InjectPointer(bx_, by_, 0);
   run_loop_for(20);

   const Codes codes = input_log().CodesFor(b_);
   ASSERT_GE(codes.size(), 3u);
   EXPECT_EQ(codes[1], POINTER_PRESS);
   EXPECT_EQ(codes.back(), POINTER_RELEASE);
   EXPECT_EQ(TakeClicks(), (Clicks{{b_, 1, 1}}));

   inject_click(ax_, ay_, 2);  // and the tracker takes new presses afterwards
   run_loop_for(20);
   EXPECT_EQ(TakeClicks(), (Clicks{{a_, 2, 1}}));
}

// A click handler that closes the window holding the clicked control: the
// control's record stays valid while the tracker still refers to it.
void CloseOnClick(int, void *, int, int clicks)
{
   input_log().clicks.push_back({0, 0, clicks, 0});
   CloseWindow();
}

TEST_F(InputTest, ClickHandlerMayCloseTheWindowOfItsControl)
{
   SetClickHandler(b_, CloseOnClick, nullptr, 0);
   inject_click(bx_, by_);
   inject_click(bx_ + 2, by_);  // again where the window was
   run_loop_for(20);

   ASSERT_EQ(input_log().clicks.size(), 1u);
   EXPECT_EQ(LookupControl(b_), nullptr);
   EXPECT_EQ(input_log().CodesFor(b_), (Codes{POINTER_OVER, POINTER_PRESS, POINTER_RELEASE}));
}

// A queued call that names a control holds it: the record lives while the
// call waits and runs, even when the window closes first.
struct HeldControl {
   Control *record;
   int refs_when_run = -1;
   bool live_when_run = true;
   static void Run(void *self)
   {
      auto *held = static_cast<HeldControl *>(self);
      held->refs_when_run = held->record->refs;
      held->live_when_run = ControlIsLive(held->record);
   }
};

TEST_F(InputTest, QueuedCallHoldsItsControlUntilItHasRun)
{
   Control *record = LookupControl(a_);
   ASSERT_NE(record, nullptr);
   const int refs_before = record->refs;
   HeldControl held{record};
   QueueCall(HeldControl::Run, &held, 30, a_);
   EXPECT_EQ(record->refs, refs_before + 1);

   CloseWindow();
   EXPECT_EQ(LookupControl(a_), nullptr);
   run_loop_for(60);

   EXPECT_FALSE(held.live_when_run);
   EXPECT_GE(held.refs_when_run, 1);
}

// With nothing queued or delayed the loop sleeps without waking on timer
// ticks; input from another thread (as Allegro's callbacks come) must wake it.
TEST_F(InputTest, SleepingLoopWakesForInputFromAnotherThread)
{
   SetClickHandler(
      b_, [](int, void *, int, int) { input_log().clicks.push_back({}), StopEventLoop(); }, nullptr, 0);
   std::thread input([this] {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      inject_click(bx_, by_);
   });
   alarm(5);  // a loop that never wakes would hang the test: SIGALRM ends it
   RunEventLoop();
   alarm(0);
   input.join();

   EXPECT_EQ(input_log().clicks.size(), 1u);
}

}
}
