// Running out of memory: a child process takes an injected allocation
// failure and must show the white error screen, wait, and fail.
#include "core/alloc.h"
#include "toolkit_test_support.h"

#include <allegro.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

using kstr::test::Rgb;

// What the child saw on its screen just before it ended.
struct ScreenReport {
   int corners_white;
   int ink_left, ink_right, ink_top, ink_bottom;  // bounds of black pixels
   int width, height;
};

int g_report_fd = -1;

// Runs at exit, before Allegro's own handler takes the screen away.
void ReportScreen()
{
   ScreenReport r{1, 1 << 20, -1, 1 << 20, -1, SCREEN_W, SCREEN_H};
   for (int y = 0; y < SCREEN_H; ++y)
      for (int x = 0; x < SCREEN_W; ++x) {
         const Rgb c = kstr::test::screen_pixel(x, y);
         if ((x == 0 || x == SCREEN_W - 1) && (y == 0 || y == SCREEN_H - 1) && c != Rgb{255, 255, 255})
            r.corners_white = 0;
         if (c == Rgb{0, 0, 0}) {
            r.ink_left = std::min(r.ink_left, x);
            r.ink_right = std::max(r.ink_right, x);
            r.ink_top = std::min(r.ink_top, y);
            r.ink_bottom = std::max(r.ink_bottom, y);
         }
      }
   if (write(g_report_fd, &r, sizeof r) != static_cast<ssize_t>(sizeof r))
      _exit(90);
}

// Starts the toolkit in a child, makes its next allocation fail and runs
// `allocate`; checks how the child ended and what its screen showed.
void ExpectFatalScreenFrom(void (*allocate)())
{
   int fds[2];
   ASSERT_EQ(pipe(fds), 0) << std::strerror(errno);
   const auto start = std::chrono::steady_clock::now();
   const pid_t pid = fork();
   if (pid == 0) {
      close(fds[0]);
      g_report_fd = fds[1];
      if (!kstr::test::start_toolkit())
         _exit(91);
      std::atexit(ReportScreen);
      InjectAllocationFailure(1);
      allocate();
      _exit(92);  // the allocation came back: the failure path did not run
   }
   close(fds[1]);
   ScreenReport r{};
   const bool reported = read(fds[0], &r, sizeof r) == sizeof r;
   close(fds[0]);
   int wstatus = 0;
   waitpid(pid, &wstatus, 0);
   const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
   EXPECT_EQ(WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus), EXIT_FAILURE)
      << "out of memory must not end as success";
   EXPECT_GE(seconds, 1.9) << "the message stays for 2000 ms";
   ASSERT_TRUE(reported) << "the child ended before its screen could be read";
   EXPECT_TRUE(r.corners_white);
   // One line of the default 8x8 font, centred.
   const int text_w = static_cast<int>(std::strlen("Fatal error:Out of memory. The program will terminate")) * 8;
   EXPECT_NEAR(r.ink_left, (r.width - text_w) / 2, 8);
   EXPECT_NEAR(r.ink_right, (r.width + text_w) / 2, 8);
   EXPECT_NEAR((r.ink_top + r.ink_bottom) / 2, r.height / 2, 6);
   EXPECT_LE(r.ink_bottom - r.ink_top, 8);
}

TEST(CoreOutOfMemory, GuardedAllocationFailureShowsTheFatalScreenAndFails)
{
   ExpectFatalScreenFrom([] { GuardedMalloc(64); });
}

TEST(CoreOutOfMemory, MakingAWindowWhenMemoryRunsOut)
{
   ExpectFatalScreenFrom([] { MakeWindow(0, AUTO, "never", 0); });
}

TEST(CoreOutOfMemory, FailingNewInsideTheToolkitTakesTheSamePath)
{
   // While the toolkit runs, operator new calls the installed handler when
   // the heap refuses; calling that handler is what such a failure does.
   ExpectFatalScreenFrom([] {
      InjectAllocationFailure(0);
      if (std::new_handler handler = std::get_new_handler())
         handler();
   });
}

}
