// Idle cost of the toolkit's event loop: one call that re-queues itself with
// no delay (as the playback poll does) and no input, for a number of seconds
// (default 10). Prints the CPU time the whole process used as a share of one
// core and how often the call ran. Targets: under 1% of a core, at least 500
// runs a second. Needs an X server (DISPLAY), like the program.
//
// For comparison it first measures, for the same time each, an idle Allegro
// window (with the toolkit's background thread, as the program runs it) and
// the started toolkit with nothing queued; last, the floor this
// machine sets: a bare thread that only sleeps and wakes as often as the loop
// ran the call, with nothing of ours or Allegro's in it.
#include "toolkit/events.h"
#include "toolkit/toolkit.h"

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
};

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
                Seconds(thread.ru_utime) + Seconds(thread.ru_stime), thread.ru_nvcsw, std::chrono::steady_clock::now()};
}

double WallSeconds(const Usage &before, const Usage &after)
{
   return std::chrono::duration<double>(after.wall - before.wall).count();
}

double Share(const Usage &before, const Usage &after, double Usage::*cpu)
{
   return 100.0 * (after.*cpu - before.*cpu) / WallSeconds(before, after);
}

double ProcessShareSleeping(int seconds)
{
   const Usage start = Measure();
   std::this_thread::sleep_for(std::chrono::seconds(seconds));
   return Share(start, Measure(), &Usage::process_cpu_s);
}

// CPU share of a thread that does nothing but wake `per_second` times a second
// on absolute deadlines for `seconds`.
double BareWakeShare(double per_second, int seconds)
{
   double share = 0;
   std::thread sleeper([&] {
      const Usage start = Measure();
      const auto period = std::chrono::duration_cast<std::chrono::steady_clock::duration>(
         std::chrono::duration<double>(1.0 / per_second));
      auto next = std::chrono::steady_clock::now();
      const auto end = next + std::chrono::seconds(seconds);
      while ((next += period) < end)
         std::this_thread::sleep_until(next);
      share = Share(start, Measure(), &Usage::loop_thread_cpu_s);
   });
   sleeper.join();
   return share;
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
   UseToolkitBackgroundThread();
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
   const double allegro_alone = ProcessShareSleeping(seconds);

   StartToolkit(0, 0, 0, nullptr, nullptr);
   const double toolkit_idle = ProcessShareSleeping(seconds);

   QueueCall(Poll, nullptr, 0, 0);
   QueueCall(Stop, nullptr, seconds * 1000, 0);
   const Usage before = Measure();
   RunEventLoop();
   const Usage after = Measure();
   StopToolkit();

   const double process_share = Share(before, after, &Usage::process_cpu_s);
   const double loop_share = Share(before, after, &Usage::loop_thread_cpu_s);
   const double wall = WallSeconds(before, after);
   const double runs_per_s = static_cast<double>(poll_runs) / wall;
   std::printf("wall time                 %.2f s\n", wall);
   std::printf("self-re-queuing call      %.0f runs/s (target >= 500)\n", runs_per_s);
   std::printf("process CPU, share of one core:\n");
   std::printf("  Allegro window alone    %.3f %%\n", allegro_alone);
   std::printf("  toolkit started, idle   %.3f %%\n", toolkit_idle);
   std::printf("  + the loop              %.3f %% (target < 1%%)\n", process_share);
   std::printf("loop thread itself        %.3f %%\n", loop_share);
   std::printf("loop thread wake-ups      %.0f /s\n",
               static_cast<double>(after.loop_wakeups - before.loop_wakeups) / wall);
   std::printf("floor: a bare thread waking %.0f times a second costs %.3f %% of a core here\n", runs_per_s,
               BareWakeShare(runs_per_s, seconds));
   const bool met = process_share < 1.0 && runs_per_s >= 500;
   std::printf("%s\n", met ? "targets met" : "targets MISSED");
   return 0;
}
