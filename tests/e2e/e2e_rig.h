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
//   window), as in its own screenshots.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

#include "temp_dir.h"

namespace kstr::test {

// A staged run folder and the servers around it.
class Rig {
public:
   Rig();
   ~Rig();
   Rig(const Rig &) = delete;
   Rig &operator=(const Rig &) = delete;

   bool ok() const { return ok_; }
   const TempDir &dir() const { return dir_; }
   std::string run_folder() const;

   // Starts the program and waits for its window. False if it never shows.
   bool start_program();
   // Waits up to `ms` for the program to end: its exit status (0-255), -1
   // when it was killed, -2 when it is still running.
   int wait_program(int ms);
   bool program_running();
   // What the program wrote to standard output so far.
   std::string program_output() const;

   // xdotool with the rig's display; the output, trimmed.
   std::string xdo(const std::string &args);
   void key(const std::string &keys);  // e.g. "ctrl+n", "Return"
   void type(const std::string &text);
   void click(int x, int y, int button = 1, int times = 1);
   // Presses at (x, y), moves to (tx, ty) in steps and releases there.
   void drag(int x, int y, int tx, int ty);
   // Runs the program's own screenshot key (F12) and reads the picture.
   bool screenshot(std::vector<uint8_t> &rgb, int &w, int &h);

   // Starts and stops the recording of the sink's monitor: 44100 Hz stereo
   // signed 16-bit, returned as mono (left and right averaged).
   bool start_recording();
   std::vector<float> stop_recording();

private:
   bool start_x();
   bool start_sound();
   bool stage();
   pid_t spawn(const std::vector<std::string> &argv, const std::string &cwd, const std::string &out,
               const std::vector<std::string> &env);
   void end(pid_t &pid);
   std::vector<std::string> program_env() const;

   TempDir dir_;
   bool ok_ = false;
   std::string display_;
   std::string window_;
   pid_t xvfb_ = -1, pulse_ = -1, recorder_ = -1, program_ = -1;
   int program_status_ = -2;
};

// Milliseconds of sleep.
void pause_ms(int ms);

}
