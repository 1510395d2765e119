// Idle cost of the toolkit's event loop: one call that re-queues itself with
// no delay (as the playback poll does) and no input, for a number of seconds
// (default 10). Prints the CPU time the process used as a share of one core
// and how often the call ran. Targets: under 1% of a core, at least 500 runs
// a second. Needs an X server (DISPLAY), like the program.
//
// Allegro's own background thread wakes about 1000 times a second whenever a
// window is open, and its timer thread as often once the 1 ms timer runs. So
// the program first measures, for the same time each, Allegro alone (window,
// keyboard, mouse) and then with the toolkit's 1 ms timer ticking, and reports
// the loop's cost both as the loop thread's own CPU time and as the process's
// CPU time above the timer phase.
#include "toolkit/event_signals.h"
#include "toolkit/events.h"

#include <allegro.h>
#include <sys/resource.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

struct Usage {
   double process_cpu_s;
   double loop_thread_cpu_s;
   long loop_wakeups;  // voluntary context switches of the loop thread
   std::chrono::steady_clock::time_point wall;
   uint64_t ticks;
};

double Share(const Usage &before, const Usage &after, double Usage::*cpu)
{
   const double wall = std::chrono::duration<double>(after.wall - before.wall).count();
   return 100.0 * (after.*cpu - before.*cpu) / wall;
}

double Seconds(const timeval &tv)
{
   return static_cast<double>(tv.tv_sec) + static_cast<double>(tv.tv_usec) / 1e6;
}

Usage Measure()
{
   rusage process{}, thread{};
   getrusage(RUSAGE_SELF, &process);
   getrusage(RUSAGE_THREAD, &thread);
   return Usage{Seconds(process.ru_utime) + Seconds(process.ru_stime),
                Seconds(thread.ru_utime) + Seconds(thread.ru_stime), thread.ru_nvcsw,
                std::chrono::steady_clock::now(), event_signals::TickCount()};
}

long poll_runs = 0;

void Poll(void *)
{
   ++poll_runs;
   QueueCall(Poll, nullptr, 0, 0);
}

void Stop(void *)
{
   StopEventLoop();
}

}

int main(int argc, char **argv)
{
   const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
   if (seconds <= 0 || install_allegro(SYSTEM_AUTODETECT, &errno, atexit) != 0) {
      std::fprintf(stderr, "usage: %s [seconds > 0]; needs an X server\n", argv[0]);
      return 2;
   }
   set_color_depth(16);
   if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, 320, 200, 0, 0) != 0) {
      std::fprintf(stderr, "no window: %s\n", allegro_error);
      return 2;
   }
   install_keyboard();
   install_mouse();

   const auto measure_sleeping = [seconds](Usage &start, Usage &end) {
      start = Measure();
      std::this_thread::sleep_for(std::chrono::seconds(seconds));
      end = Measure();
   };
   Usage alone_start, alone_end, timer_start, timer_end;
   measure_sleeping(alone_start, alone_end);
   event_signals::StartTimer();
   measure_sleeping(timer_start, timer_end);
   event_signals::StopTimer();

   InstallToolkitInput();
   StartEventSystem();

   QueueCall(Poll, nullptr, 0, 0);
   QueueCall(Stop, nullptr, seconds * 1000, 0);
   const Usage before = Measure();
   RunEventLoop();
   const Usage after = Measure();
   StopEventSystem();
   RemoveToolkitInput();

   const double wall = std::chrono::duration<double>(after.wall - before.wall).count();
   const double alone = Share(alone_start, alone_end, &Usage::process_cpu_s);
   const double with_timer = Share(timer_start, timer_end, &Usage::process_cpu_s);
   const double process_share = Share(before, after, &Usage::process_cpu_s);
   const double loop_share = Share(before, after, &Usage::loop_thread_cpu_s);
   const double runs_per_s = static_cast<double>(poll_runs) / wall;
   std::printf("wall time                 %.2f s\n", wall);
   std::printf("timer ticks               %.0f /s\n", static_cast<double>(after.ticks - before.ticks) / wall);
   std::printf("self-re-queuing call      %.0f runs/s (target >= 500)\n", runs_per_s);
   std::printf("process CPU, share of one core:\n");
   std::printf("  Allegro window alone    %.3f %%\n", alone);
   std::printf("  + the 1 ms timer        %.3f %%\n", with_timer);
   std::printf("  + the loop              %.3f %%\n", process_share);
   std::printf("loop above the timer      %.3f %% (target < 1%%)\n", process_share - with_timer);
   std::printf("loop thread itself        %.3f %% (target < 1%%)\n", loop_share);
   std::printf("loop thread wake-ups      %.0f /s\n", static_cast<double>(after.loop_wakeups - before.loop_wakeups) / wall);
   const bool met = loop_share < 1.0 && process_share - with_timer < 1.0 && runs_per_s >= 500;
   std::printf("%s\n", met ? "targets met" : "targets MISSED");
   return 0;
}
