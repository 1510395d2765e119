// The end-to-end rig: the real program in a staged run folder on a private
// X server, its sound going through Allegro's ALSA driver into a private
// PulseAudio null sink whose monitor is recorded, driven with xdotool.
//
// Contract:
// - A Rig owns everything it starts (X server, sound server, recorder, the
//   program) and ends each of them by its process id when it goes.
// - ok() is false, with the reason reported through ADD_FAILURE, when a
//   piece could not be started.
// - Window coordinates are those of the program's screen (its 640 by 580
//   window), as in its own screenshots; `map` holds where start_program
//   found the main window's buttons and playlist rows.
#pragma once

#include "e2e_media.h"
#include "temp_dir.h"

#include <csignal>
#include <sys/types.h>

#include <string>
#include <vector>

namespace kstr::test {

// The main window's buttons and the playlist's rows, found in a screenshot.
struct MainWindowMap {
   Point add, newpl, play, pause, stop, quit, menu;
   int list_x = -1, list_top = -1, row_h = 0;

   // The centre of the playlist's row i (its text side).
   Point row(int i) const { return Point{list_x, list_top + i * row_h + row_h / 2}; }
};

class Rig {
 public:
   Rig();
   ~Rig();
   Rig(const Rig &) = delete;
   Rig &operator=(const Rig &) = delete;

   bool ok() const { return ok_; }
   const TempDir &dir() const { return dir_; }
   std::string run_folder() const { return dir_.file("run"); }

   // Starts the program, waits for its window and maps it (the playlist
   // still empty). False if it never shows or cannot be mapped.
   bool start_program();
   // Waits up to `ms` for the program to end: its exit status (0-255), -1
   // when it was killed, -2 when it is still running.
   int wait_program(int ms);
   // What the program wrote to standard output and to standard error.
   // Ends the private X server under the running program.
   void stop_x() { end(xvfb_); }
   std::string program_output() const { return read_file(dir_.file("program.out")); }
   std::string program_errors() const { return read_file(dir_.file("program.out.err")); }

   // xdotool with the rig's display; the output, trimmed.
   std::string xdo(const std::string &args);
   void key(const std::string &keys);  // e.g. "ctrl+n", "Return"
   void click(Point at, int button = 1, int times = 1);
   // Presses at `from`, moves to `to` in steps and releases there.
   void drag(Point from, Point to);
   // Opens a file selector with `keys` (or a click on `button`), types
   // `path` into it and presses Enter.
   void answer_file(const std::string &keys, const std::string &path, Point button = {});
   void add_song(const std::string &path) { answer_file("", path, map.add); }
   // The playlist's rows as the window saves them now (Ctrl+S to `name`.kpl).
   std::vector<std::string> saved_rows(const std::string &name);
   // Runs the program's own screenshot key (F12) and reads the picture.
   bool screenshot(Picture &picture);

   // Starts and stops the recording of the sink's monitor, returned as mono.
   bool start_recording();
   std::vector<float> stop_recording();

   MainWindowMap map;

 private:
   bool start_x();
   bool start_sound();
   bool stage();
   bool map_main_window();
   pid_t spawn(const std::vector<std::string> &argv, const std::string &out, std::vector<std::string> env,
               const std::string &cwd = "");
   std::vector<std::string> sound_env() const;
   void end(pid_t &pid, int signal = SIGTERM);  // then SIGKILL after 2 s
   void move(Point to);

   TempDir dir_;
   bool ok_ = false;
   std::string display_;
   std::string window_;
   pid_t xvfb_ = -1, pulse_ = -1, recorder_ = -1, program_ = -1;
   int program_status_ = -2;
};

// Milliseconds of sleep.
void pause_ms(int ms);

// The names stored in a playlist file, or nothing when it does not load.
std::vector<std::string> playlist_file_rows(const std::string &path);

std::string e2e_file(const std::string &name);

}
