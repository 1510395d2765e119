// The toolkit's background thread in place of Allegro's: rare rounds while
// only X input is waited for, Allegro's 10-ms cadence while one of its sound
// drivers is registered, interrupts disabled holding rounds back, drawings
// reaching the server from the event loop, and X input read as it arrives.
#include "core/background_thread.h"
#include "input_test_support.h"

#include <X11/Xlib.h>
#include <allegro/platform/aintunix.h>
#include <xalleg.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

namespace kstr::test {
namespace {

std::atomic<int> driver_calls{0};

void CountingDriver(int)
{
   driver_calls.fetch_add(1);
}

int CallsOver(std::chrono::milliseconds span)
{
   const int before = driver_calls.load();
   std::this_thread::sleep_for(span);
   return driver_calls.load() - before;
}

// Rounds not woken by X input (other tests' windows on the same server
// bring events of their own).
long QuietRoundsOver(std::chrono::milliseconds span)
{
   const long before = BackgroundRounds() - BackgroundInputRounds();
   std::this_thread::sleep_for(span);
   return BackgroundRounds() - BackgroundInputRounds() - before;
}

TEST(BackgroundThread, RoundsAreRareUnlessADriverIsFedAndWaitWhileInterruptsAreOff)
{
   ToolkitSession session;
   ASSERT_TRUE(session.ok);
   ASSERT_EQ(_unix_bg_man, &_bg_man_pthreads);
   ASSERT_EQ(_bg_man_pthreads.register_func(CountingDriver), 0);
   EXPECT_GE(CallsOver(std::chrono::milliseconds(500)), 500 / DRIVER_ROUND_MS / 2) << "a driver is fed every 10 ms";

   _unix_bg_man->disable_interrupts();
   _unix_bg_man->disable_interrupts();
   EXPECT_EQ(_unix_bg_man->interrupts_disabled(), 2);
   EXPECT_EQ(CallsOver(std::chrono::milliseconds(60)), 0);
   _unix_bg_man->enable_interrupts();
   EXPECT_EQ(CallsOver(std::chrono::milliseconds(60)), 0) << "still disabled once";
   _unix_bg_man->enable_interrupts();
   EXPECT_GT(CallsOver(std::chrono::milliseconds(60)), 0);

   ASSERT_EQ(_bg_man_pthreads.unregister_func(CountingDriver), 0);
   std::this_thread::sleep_for(std::chrono::milliseconds(2 * DRIVER_ROUND_MS));
   EXPECT_EQ(CallsOver(std::chrono::milliseconds(50)), 0);
   EXPECT_LE(QuietRoundsOver(std::chrono::milliseconds(500)), 500 / BACKGROUND_ROUND_MS + 3)
      << "without input, only the slow round wakes the thread";
}

// A second client reads the window's pixels from the server while the
// background thread is held back: only the event loop can have sent them.
// Runs alone: another test's window over this one would hide its pixels.
TEST(BackgroundThreadOwnScreen, TheEventLoopSendsWhatWasDrawnToTheServer)
{
   ToolkitSession session;
   ASSERT_TRUE(session.ok);
   std::unique_ptr<Display, int (*)(Display *)> peer(XOpenDisplay(nullptr), XCloseDisplay);
   ASSERT_TRUE(peer);
   run_loop_for(20);
   _unix_bg_man->disable_interrupts();
   for (int colour : {makecol(255, 0, 0), makecol(0, 0, 255)}) {
      rectfill(screen, 10, 10, 40, 40, colour);
      run_loop_for(5);
      XImage *image = XGetImage(peer.get(), _xwin.window, 20, 20, 1, 1, AllPlanes, ZPixmap);
      ASSERT_NE(image, nullptr);
      const unsigned long pixel = XGetPixel(image, 0, 0);
      const unsigned long red_mask = image->red_mask, blue_mask = image->blue_mask;
      XDestroyImage(image);
      const bool red = colour == makecol(255, 0, 0);
      EXPECT_EQ((pixel & red_mask) != 0, red) << std::hex << pixel;
      EXPECT_EQ((pixel & blue_mask) != 0, !red) << std::hex << pixel;
   }
   _unix_bg_man->enable_interrupts();
}

// Moves the display's one pointer: runs alone, with the other real-X tests.
// Allegro may follow the pointer by its relative motion, so the test waits
// for any change of Allegro's position.
TEST(BackgroundThreadXdotool, PointerMotionIsReadAsItArrives)
{
   ToolkitSession session;
   ASSERT_TRUE(session.ok);
   std::unique_ptr<Display, int (*)(Display *)> peer(XOpenDisplay(nullptr), XCloseDisplay);
   ASSERT_TRUE(peer);
   XRaiseWindow(peer.get(), _xwin.window);
   // Entering the window from outside moves nothing in Allegro.
   XWarpPointer(peer.get(), None, _xwin.window, 0, 0, 0, 0, 320, 50);
   XSync(peer.get(), False);
   std::this_thread::sleep_for(std::chrono::milliseconds(2 * BACKGROUND_ROUND_MS));
   for (int step : {1, 2, 3}) {
      Window root, child;
      int root_x, root_y, x, y;
      unsigned buttons;
      XQueryPointer(peer.get(), _xwin.window, &root, &child, &root_x, &root_y, &x, &y, &buttons);
      const long input_rounds = BackgroundInputRounds();
      const int before = mouse_pos;
      XWarpPointer(peer.get(), None, _xwin.window, 0, 0, 0, 0, x < 300 ? 400 : 100, 100 + 50 * step);
      XSync(peer.get(), False);
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
      while (mouse_pos == before && std::chrono::steady_clock::now() < deadline)
         std::this_thread::sleep_for(std::chrono::milliseconds(1));
      EXPECT_NE(mouse_pos, before) << step;
      EXPECT_GT(BackgroundInputRounds(), input_rounds) << "the motion woke the thread";
   }
}

}
}
