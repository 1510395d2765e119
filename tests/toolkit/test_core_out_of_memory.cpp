// Running out of memory: a child process takes an injected allocation
// failure and must show the white error screen, wait, and fail.
#include "toolkit_test_support.h"

#include <allegro.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// What the child saw on its screen just before it ended.
struct ScreenReport {
   int corner_white;     // all four corners white
   int ink_left, ink_right, ink_top, ink_bottom;  // bounds of black pixels
   int width, height;
};

int g_report_fd = -1;

bool IsWhite(int x, int y)
{
   const kstr::test::Rgb c = kstr::test::screen_pixel(x, y);
   return c.r == 255 && c.g == 255 && c.b == 255;
}

// Runs at exit, before Allegro's own handler takes the screen away.
void ReportScreen()
{
   ScreenReport r{};
   r.width = SCREEN_W;
   r.height = SCREEN_H;
   r.corner_white = IsWhite(0, 0) && IsWhite(SCREEN_W - 1, 0) && IsWhite(0, SCREEN_H - 1) &&
                    IsWhite(SCREEN_W - 1, SCREEN_H - 1);
   r.ink_left = r.ink_top = 1 << 20;
   r.ink_right = r.ink_bottom = -1;
   for (int y = 0; y < SCREEN_H; ++y)
      for (int x = 0; x < SCREEN_W; ++x) {
         const kstr::test::Rgb c = kstr::test::screen_pixel(x, y);
         if (c.r == 0 && c.g == 0 && c.b == 0) {
            r.ink_left = std::min(r.ink_left, x);
            r.ink_right = std::max(r.ink_right, x);
            r.ink_top = std::min(r.ink_top, y);
            r.ink_bottom = std::max(r.ink_bottom, y);
         }
      }
   if (write(g_report_fd, &r, sizeof r) != static_cast<ssize_t>(sizeof r))
      _exit(90);
}

[[noreturn]] void RunChild(int fd, void (*allocate)())
{
   g_report_fd = fd;
   if (!kstr::test::start_toolkit())
      _exit(91);
   std::atexit(ReportScreen);
   InjectAllocationFailure(1);
   allocate();
   _exit(92);  // the allocation came back: the failure path did not run
}

struct ChildResult {
   int status = -1;
   double seconds = 0;
   ScreenReport report{};
   bool reported = false;
};

ChildResult RunInChild(void (*allocate)())
{
   int fds[2];
   ChildResult result;
   if (pipe(fds) != 0) {
      ADD_FAILURE() << "pipe: " << std::strerror(errno);
      return result;
   }
   const auto start = std::chrono::steady_clock::now();
   const pid_t pid = fork();
   if (pid == 0) {
      close(fds[0]);
      RunChild(fds[1], allocate);
   }
   close(fds[1]);
   result.reported = read(fds[0], &result.report, sizeof result.report) == sizeof result.report;
   close(fds[0]);
   int wstatus = 0;
   waitpid(pid, &wstatus, 0);
   result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
   result.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
   return result;
}

void ExpectFatalScreen(const ChildResult &r)
{
   EXPECT_EQ(r.status, EXIT_FAILURE) << "out of memory must not end as success";
   ASSERT_TRUE(r.reported) << "the child ended before its screen could be read";
   EXPECT_TRUE(r.report.corner_white);
   // One line of the default 8x8 font, centred.
   const int text_w = static_cast<int>(std::strlen("Fatal error:Out of memory. The program will terminate")) * 8;
   EXPECT_NEAR(r.report.ink_left, (r.report.width - text_w) / 2, 8);
   EXPECT_NEAR(r.report.ink_right, (r.report.width + text_w) / 2, 8);
   EXPECT_NEAR((r.report.ink_top + r.report.ink_bottom) / 2, r.report.height / 2, 6);
   EXPECT_LE(r.report.ink_bottom - r.report.ink_top, 8);
   EXPECT_GE(r.seconds, 1.9) << "the message stays for 2000 ms";
}

TEST(CoreOutOfMemory, GuardedAllocationFailureShowsTheFatalScreenAndFails)
{
   ExpectFatalScreen(RunInChild([] { GuardedMalloc(64); }));
}

TEST(CoreOutOfMemory, MakingAWindowWhenMemoryRunsOut)
{
   ExpectFatalScreen(RunInChild([] { MakeWindow(0, AUTO, "never", 0); }));
}

TEST(CoreOutOfMemory, FailingNewInsideTheToolkitTakesTheSamePath)
{
   // While the toolkit runs, operator new calls the installed handler when
   // the heap refuses; calling that handler is what such a failure does.
   ExpectFatalScreen(RunInChild([] {
      InjectAllocationFailure(0);
      if (std::new_handler handler = std::get_new_handler())
         handler();
   }));
}

}
