// The real sound path for tests and benchmarks: a private sound server with
// one null sink, ALSA routed into it, and a recorder of what the sink plays.
//
// Contract:
// - PulseNullSink starts its own server (no user configuration, never exits
//   while idle) in a temporary folder, with a private HOME holding an
//   .asoundrc that sends ALSA's default device to that server, and points
//   this process at it: HOME, XDG_RUNTIME_DIR and PULSE_SERVER are set for
//   the process and so for every child started afterwards. Do this before
//   anything in the process opens ALSA: ALSA reads .asoundrc once. ok() is
//   false (with `error()` saying why) when the server did not come up.
//   The server is ended when the object goes; the environment stays.
// - The sink runs at kSinkRate Hz, 16-bit stereo, at unity volume, so one
//   stream at that format reaches the monitor unchanged. It never rewinds:
//   a rewind re-renders audio the monitor has already passed on, and the
//   recording then loses the start of a stream (measured: 426 frames).
// - Keep a SinkRecorder running while anything plays into the sink. It asks
//   the sink for 10 ms latency; with no client at all the null sink renders
//   2 s ahead, and a stream that connects then waits up to 2 s to be played.
// - SinkRecorder records the sink's monitor from its construction to stop()
//   (or its destruction) as signed 16-bit stereo frames. It keeps the time
//   each chunk arrived, so that a frame of the recording can be placed on
//   the steady clock: the recording is a clock of its own (the sink plays
//   silence while nothing plays), and the earliest-arriving chunk fixes its
//   offset. That offset errs late by the recorder's own latency (10 ms
//   asked), so latencies read with frame_time() err long, never short.
#pragma once

#include "child_process.h"
#include "temp_dir.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kstr::test {

inline constexpr int kSinkRate = 44100;

class PulseNullSink {
 public:
   PulseNullSink();
   ~PulseNullSink();
   PulseNullSink(const PulseNullSink &) = delete;
   PulseNullSink &operator=(const PulseNullSink &) = delete;

   bool ok() const { return ok_; }
   const std::string &error() const { return error_; }
   // Ends the server now, as when the sound server goes away under a player.
   void stop_server();
   // Stops (SIGSTOP) or resumes the server, as when it stops answering.
   void freeze_server(bool frozen);
   // "kstr.monitor"
   static const char *monitor_name();

 private:
   TempDir dir_;
   std::unique_ptr<ChildProcess> server_;
   bool ok_ = false;
   std::string error_;
};

class SinkRecorder {
 public:
   using Clock = std::chrono::steady_clock;

   SinkRecorder();
   ~SinkRecorder();
   SinkRecorder(const SinkRecorder &) = delete;
   SinkRecorder &operator=(const SinkRecorder &) = delete;

   // True once the first chunk has arrived (waits up to 5 s).
   bool wait_started();
   // Ends the recording; the frames stay readable.
   void stop();
   // Interleaved stereo frames recorded so far (a copy).
   std::vector<int16_t> frames();
   // When frame `index` left the sink, on the steady clock.
   Clock::time_point frame_time(std::size_t index);

 private:
   void read_loop();

   ChildProcess recorder_;
   std::mutex mutex_;
   std::vector<int16_t> samples_;
   bool have_origin_ = false;
   Clock::time_point origin_;
   std::thread reader_;
};

// Index of the last frame after `from` with a channel's magnitude above
// `threshold`, or `from` when there is none.
std::size_t last_loud_frame(const std::vector<int16_t> &frames, std::size_t from, int threshold);
// Index of the first such frame at or after `from`, or the frame count.
std::size_t first_loud_frame(const std::vector<int16_t> &frames, std::size_t from, int threshold);

}
