// The main window under a large playlist, and the program's start-up.
//
//   bench_main_window [entries]   (default 100000; needs DISPLAY)
//
// Start-up: the program's own start-up steps, in its order, in a process
// started the way the shell starts the program; each step's time from the
// exec and the time until the main window's first frame is on the screen
// (a call queued before the window is built runs on the loop's first pass,
// after the window was presented). Target: under 300 ms.
//
// Playlist: a playlist file of that many songs loaded into the window
// through the Load button's code (load, swap in, redraw), a page-down and
// the redraw of the list, and the heap each entry takes. Targets: load under
// 100 ms, redraw under 16 ms.
#include "app/catalogue.h"
#include "app/config.h"
#include "app/languages.h"
#include "app/startup.h"
#include "player/engine.h"
#include "playlist/playlist.h"
#include "playlist/playlist_file.h"
#include "ui/main_window.h"
#include "ui/playlist_buttons.h"

#include "toolkit/toolkit.h"

#include <allegro.h>
#include <malloc.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

double ms_since(Clock::time_point t)
{
   return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

long long now_ns()
{
   return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

struct Phases {
   long long exec_ns = 0;  // the parent's clock just before the exec
   std::vector<std::pair<const char *, long long>> marks;
   void mark(const char *what) { marks.emplace_back(what, now_ns()); }
   void print() const
   {
      long long last = exec_ns;
      for (const auto &[what, at] : marks) {
         std::printf("  %-34s %7.1f ms (+%.1f)\n", what, static_cast<double>(at - exec_ns) / 1e6,
                     static_cast<double>(at - last) / 1e6);
         last = at;
      }
   }
};

Phases phases;

void first_frame(void *)
{
   phases.mark("main window's first frame");
   StopEventLoop();
}

// The program's start-up, as main runs it, in this (exec'd) process.
int startup_child(long long exec_ns)
{
   phases.exec_ns = exec_ns;
   phases.mark("main entered");
   set_uformat(U_ASCII);
   UseToolkitBackgroundThread();
   if (install_allegro(SYSTEM_AUTODETECT, &errno, std::atexit) != 0)
      return 1;
   phases.mark("platform library");
   set_color_conversion(COLORCONV_TOTAL | COLORCONV_KEEP_TRANS);
   tr_init();
   scan_languages();
   set_window_title("Kestrune");
   install_keyboard();
   install_mouse();
   set_config_file(CONFIG_FILE);
   phases.mark("languages, keyboard, mouse");
   load_configured_catalogue();
   phases.mark("catalogue");
   player_init();
   phases.mark("sound (player_init)");
   graphics_init();
   phases.mark("graphics mode, toolkit, icons");
   QueueCall(first_frame, nullptr, 0, 0);
   main_window_build();
   phases.print();
   return 0;
}

void startup()
{
   char self[4096];
   const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
   if (n <= 0)
      return;
   self[n] = '\0';
   for (int run = 0; run < 3; ++run) {
      const std::string stamp = std::to_string(now_ns());
      char *args[] = {self, const_cast<char *>("--startup"), const_cast<char *>(stamp.c_str()), nullptr};
      pid_t pid;
      std::printf("start-up, run %d:\n", run + 1);
      std::fflush(stdout);
      if (posix_spawn(&pid, self, nullptr, nullptr, args, environ) == 0)
         waitpid(pid, nullptr, 0);
   }
}

struct PlaylistRun {
   int entries;
   std::string path;
};

void measure_playlist(void *data)
{
   const auto *run = static_cast<PlaylistRun *>(data);
   const size_t heap_before = mallinfo2().uordblks;
   auto t = Clock::now();
   const int result = load_playlist_file(main_playlist, run->path.c_str());
   const double load_ms = ms_since(t);
   const size_t heap_after = mallinfo2().uordblks;

   const int list = main_window_state().list;
   double worst = 0, total = 0;
   constexpr int kPages = 50;
   for (int page = 1; page <= kPages; ++page) {
      t = Clock::now();
      ScrollListTo(list, page * 20);
      RedrawControl(list);
      const double ms = ms_since(t);
      total += ms;
      worst = std::max(worst, ms);
   }
   std::printf("playlist of %d songs:\n", run->entries);
   std::printf("  load into the window (result %d)  %8.1f ms\n", result, load_ms);
   std::printf("  page down and redraw, mean       %8.2f ms (worst of %d: %.2f ms)\n", total / kPages, kPages, worst);
   std::printf("  heap per entry                   %8.1f bytes\n",
               static_cast<double>(heap_after - heap_before) / run->entries);
   StopEventLoop();
}

void playlist(int entries)
{
   char folder[] = "/tmp/kstr-bench-XXXXXX";
   if (!mkdtemp(folder))
      return;
   PlaylistRun run{entries, std::string(folder) + "/big.kpl"};
   {
      PLAYLIST *pl = playlist_create();
      char name[128];
      for (int i = 0; i < entries; ++i) {
         std::snprintf(name, sizeof name, "/home/listener/music/album %04d/track %05d - a song title.mp3", i / 12, i);
         playlist_insert(pl, pl->count, name, 0);
      }
      playlist_save(pl, run.path.c_str());
      playlist_destroy(pl);
   }
   set_uformat(U_ASCII);
   UseToolkitBackgroundThread();
   install_allegro(SYSTEM_AUTODETECT, &errno, std::atexit);
   tr_init();
   scan_languages();
   install_keyboard();
   install_mouse();
   set_config_file(CONFIG_FILE);
   load_configured_catalogue();
   player_init();
   graphics_init();
   QueueCall(measure_playlist, &run, 50, 0);
   main_window_build();
   std::remove(run.path.c_str());
   rmdir(folder);
}

}

int main(int argc, char **argv)
{
   const char *run_dir = std::getenv("KSTR_RUN_DIR");
   if (chdir(run_dir ? run_dir : KSTR_RUN_DIR_BUILT) != 0)
      return 1;
   if (argc == 3 && std::strcmp(argv[1], "--startup") == 0)
      return startup_child(std::atoll(argv[2]));
   const int entries = argc > 1 ? std::atoi(argv[1]) : 100000;
   startup();
   playlist(entries);
   return 0;
}
