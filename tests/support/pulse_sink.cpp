#include "pulse_sink.h"

#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace kstr::test {

namespace {

constexpr int kFrameBytes = 4;

bool can_connect(const std::string &socket_path)
{
   sockaddr_un address{};
   address.sun_family = AF_UNIX;
   if (socket_path.size() >= sizeof address.sun_path)
      return false;
   std::strcpy(address.sun_path, socket_path.c_str());
   const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
   const bool connected = connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
   close(fd);
   return connected;
}

int magnitude(int16_t value)
{
   return value < 0 ? -static_cast<int>(value) : value;
}

bool loud(const std::vector<int16_t> &frames, std::size_t frame, int threshold)
{
   return magnitude(frames[2 * frame]) > threshold || magnitude(frames[2 * frame + 1]) > threshold;
}

}

PulseNullSink::PulseNullSink()
{
   namespace fs = std::filesystem;
   const fs::path home = dir_.path() / "home";
   const fs::path runtime = dir_.path() / "run";
   const std::string socket_path = dir_.file("pulse.sock");
   fs::create_directories(home);
   fs::create_directories(runtime);
   fs::permissions(runtime, fs::perms::owner_all, fs::perm_options::replace);
   dir_.write("home/.asoundrc", "pcm.!default { type pulse }\nctl.!default { type pulse }\n");
   setenv("HOME", home.c_str(), 1);
   setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
   setenv("PULSE_SERVER", ("unix:" + socket_path).c_str(), 1);

   // Without DISPLAY the server does not try to start a session bus.
   server_ = std::make_unique<ChildProcess>(
      std::vector<std::string>{"env", "-u", "DISPLAY", "pulseaudio", "--daemonize=no", "-n", "--exit-idle-time=-1",
                               "--use-pid-file=no",
                               "--load=module-null-sink sink_name=kstr rate=44100 channels=2 format=s16le norewinds=1",
                               "--load=module-native-protocol-unix auth-anonymous=1 socket=" + socket_path},
      false);
   for (int tries = 0; tries < 500 && server_->running(); ++tries) {
      if (can_connect(socket_path)) {
         ok_ = true;
         return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
   }
   error_ = server_->running() ? "the sound server did not open its socket within 5 s"
                               : "the sound server did not start (is pulseaudio installed?)";
}

PulseNullSink::~PulseNullSink() = default;

void PulseNullSink::freeze_server(bool frozen)
{
   if (server_->running())
      kill(server_->pid(), frozen ? SIGSTOP : SIGCONT);
}

void PulseNullSink::stop_server()
{
   freeze_server(false);
   server_->stop(SIGTERM);
   ok_ = false;
}

const char *PulseNullSink::monitor_name()
{
   return "kstr.monitor";
}

SinkRecorder::SinkRecorder()
    : recorder_({"parec", "-d", PulseNullSink::monitor_name(), "--raw", "--format=s16le", "--channels=2",
                 "--rate=" + std::to_string(kSinkRate), "--latency-msec=10"},
                true),
      reader_([this] { read_loop(); })
{
}

SinkRecorder::~SinkRecorder()
{
   stop();
}

void SinkRecorder::read_loop()
{
   const int fd = recorder_.stdout_fd();
   if (fd < 0)
      return;
   std::vector<char> partial;
   std::size_t bytes_total = 0;
   char buffer[4096];
   for (;;) {
      const ssize_t got = read(fd, buffer, sizeof buffer);
      if (got <= 0)
         return;
      const Clock::time_point now = Clock::now();
      std::lock_guard lock(mutex_);
      partial.insert(partial.end(), buffer, buffer + got);
      const std::size_t whole = partial.size() / 2 * 2;
      const std::size_t at = samples_.size();
      samples_.resize(at + whole / 2);
      std::memcpy(samples_.data() + at, partial.data(), whole);
      partial.erase(partial.begin(), partial.begin() + static_cast<std::ptrdiff_t>(whole));
      bytes_total += static_cast<std::size_t>(got);
      // Every byte up to here had left the sink by now; the chunk that
      // arrives soonest after leaving gives the earliest (best) origin.
      const auto played = std::chrono::duration_cast<Clock::duration>(
         std::chrono::duration<double>(static_cast<double>(bytes_total / kFrameBytes) / kSinkRate));
      const Clock::time_point origin = now - played;
      if (!have_origin_ || origin < origin_) {
         origin_ = origin;
         have_origin_ = true;
      }
   }
}

bool SinkRecorder::wait_started()
{
   for (int tries = 0; tries < 500; ++tries) {
      {
         std::lock_guard lock(mutex_);
         if (have_origin_)
            return true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
   }
   return false;
}

void SinkRecorder::stop()
{
   recorder_.stop(SIGINT);
   if (reader_.joinable())
      reader_.join();
}

std::vector<int16_t> SinkRecorder::frames()
{
   std::lock_guard lock(mutex_);
   return samples_;
}

SinkRecorder::Clock::time_point SinkRecorder::frame_time(std::size_t index)
{
   std::lock_guard lock(mutex_);
   return origin_ + std::chrono::duration_cast<Clock::duration>(
                       std::chrono::duration<double>(static_cast<double>(index) / kSinkRate));
}

std::size_t last_loud_frame(const std::vector<int16_t> &frames, std::size_t from, int threshold)
{
   for (std::size_t frame = frames.size() / 2; frame > from; --frame)
      if (loud(frames, frame - 1, threshold))
         return frame - 1;
   return from;
}

std::size_t first_loud_frame(const std::vector<int16_t> &frames, std::size_t from, int threshold)
{
   const std::size_t count = frames.size() / 2;
   for (std::size_t frame = from; frame < count; ++frame)
      if (loud(frames, frame, threshold))
         return frame;
   return count;
}

}
