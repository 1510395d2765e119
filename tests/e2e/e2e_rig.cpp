#include "e2e_rig.h"

#include "playlist/playlist_file.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace fs = std::filesystem;

namespace kstr::test {

namespace {

std::string env_or(const char *name, const char *fallback)
{
   const char *v = std::getenv(name);
   return v ? v : fallback;
}

// Runs a shell command; its standard output, trimmed.
std::string shell(const std::string &command)
{
   std::string out;
   FILE *p = popen(command.c_str(), "r");
   if (!p)
      return out;
   char buf[512];
   while (std::fgets(buf, sizeof buf, p))
      out += buf;
   pclose(p);
   while (!out.empty() && (out.back() == '\n' || out.back() == ' '))
      out.pop_back();
   return out;
}

template <class Done>
bool wait_until(int ms, Done done)
{
   for (int waited = 0; waited <= ms; waited += 20) {
      if (done())
         return true;
      pause_ms(20);
   }
   return false;
}

}

void pause_ms(int ms)
{
   std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

Rig::Rig()
{
   ok_ = start_x() && start_sound() && stage();
}

Rig::~Rig()
{
   end(program_);
   end(recorder_);
   end(pulse_);
   end(xvfb_);
}

pid_t Rig::spawn(const std::vector<std::string> &argv, const std::string &out, std::vector<std::string> env,
                 const std::string &cwd)
{
   posix_spawn_file_actions_t actions;
   posix_spawn_file_actions_init(&actions);
   if (!cwd.empty())
      posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str());
   posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
   posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
   posix_spawn_file_actions_addopen(&actions, 2, (out + ".err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
   std::vector<char *> args, envp;
   for (const std::string &a : argv)
      args.push_back(const_cast<char *>(a.c_str()));
   args.push_back(nullptr);
   for (std::string &e : env)
      envp.push_back(e.data());
   envp.push_back(nullptr);
   pid_t pid = -1;
   if (posix_spawnp(&pid, argv[0].c_str(), &actions, nullptr, args.data(), envp.data()) != 0)
      pid = -1;
   posix_spawn_file_actions_destroy(&actions);
   return pid;
}

// The private HOME (its .asoundrc) and the sound server's socket.
std::vector<std::string> Rig::sound_env() const
{
   const std::string home = dir_.path().string();
   return {"HOME=" + home, "XDG_RUNTIME_DIR=" + home + "/xdg", "PULSE_SERVER=unix:" + dir_.file("pulse.sock"),
           "PATH=" + env_or("PATH", "/usr/bin:/bin")};
}

void Rig::end(pid_t &pid, int signal)
{
   if (pid <= 0)
      return;
   kill(pid, signal);
   int status;
   if (!wait_until(2000, [&] { return waitpid(pid, &status, WNOHANG) == pid; })) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
   }
   pid = -1;
}

bool Rig::start_x()
{
   for (int n = 140; n < 200; ++n) {
      if (fs::exists("/tmp/.X" + std::to_string(n) + "-lock"))
         continue;
      display_ = ":" + std::to_string(n);
      xvfb_ = spawn({"Xvfb", display_, "-screen", "0", "1024x768x24", "-nolisten", "tcp"}, dir_.file("xvfb.log"),
                    {"PATH=" + env_or("PATH", "/usr/bin:/bin")});
      if (wait_until(5000,
                     [&] { return shell("DISPLAY=" + display_ + " xdpyinfo >/dev/null 2>&1 && echo up") == "up"; }))
         return true;
      end(xvfb_);
   }
   ADD_FAILURE() << "no private X server could be started";
   return false;
}

bool Rig::start_sound()
{
   fs::create_directories(dir_.path() / "xdg");
   fs::permissions(dir_.path() / "xdg", fs::perms::owner_all);
   const std::string socket = dir_.file("pulse.sock");
   dir_.write(".asoundrc", "pcm.!default { type pulse server \"unix:" + socket +
                              "\" }\n"
                              "ctl.!default { type pulse server \"unix:" +
                              socket + "\" }\n");
   pulse_ = spawn({"pulseaudio", "--daemonize=no", "-n", "--exit-idle-time=-1", "--disallow-exit",
                   "--load=module-null-sink sink_name=kstr rate=44100 channels=2",
                   "--load=module-native-protocol-unix auth-anonymous=1 socket=" + socket},
                  dir_.file("pulse.log"), sound_env());
   const std::string probe =
      "PULSE_SERVER=unix:" + socket + " HOME=" + dir_.path().string() + " pactl list short sinks 2>/dev/null";
   if (pulse_ > 0 && wait_until(5000, [&] { return shell(probe).find("kstr") != std::string::npos; }))
      return true;
   ADD_FAILURE() << "the private sound server did not start: " << read_file(dir_.file("pulse.log.err"));
   return false;
}

bool Rig::stage()
{
   const fs::path from = env_or("KSTR_RUN_DIR", "");
   std::error_code ec;
   fs::create_directories(run_folder(), ec);
   for (const char *item : {"kestrune", "kesicons.dat", "kstr.ini", "lang", "gfx"})
      fs::copy(from / item, fs::path(run_folder()) / item, fs::copy_options::recursive, ec);
   if (ec || !fs::exists(fs::path(run_folder()) / "kestrune")) {
      ADD_FAILURE() << "cannot stage the run folder from " << from;
      return false;
   }
   return true;
}

bool Rig::start_program()
{
   // No message-box helper on the path: the final message goes to the
   // console instead of a window nobody closes. A sanitised build's program
   // reports with the options the tests run with.
   std::vector<std::string> env = sound_env();
   env.back() = "PATH=/nonexistent";
   env.push_back("DISPLAY=" + display_);
   for (const char *name : {"ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"})
      if (const char *value = std::getenv(name))
         env.push_back(std::string(name) + "=" + value);
   program_ = spawn({run_folder() + "/kestrune"}, dir_.file("program.out"), env, run_folder());
   const bool shown = program_ > 0 && wait_until(10000, [&] {
                         window_ = xdo("search --onlyvisible --name '^Kestrune$' 2>/dev/null | head -n1");
                         return !window_.empty();
                      });
   if (!shown) {
      ADD_FAILURE() << "the program's window never showed: " << program_errors();
      return false;
   }
   xdo("windowfocus --sync " + window_);
   pause_ms(300);  // the first frame and the poll
   if (map_main_window())
      return true;
   ADD_FAILURE() << "the main window's buttons and list were not found in its screenshot";
   return false;
}

bool Rig::map_main_window()
{
   constexpr int kListRows = 20;
   Picture p;
   if (!screenshot(p))
      return false;
   const struct {
      Point *at;
      const char *file;
   } icons[] = {{&map.add, "add"},   {&map.newpl, "newpl"}, {&map.play, "play"}, {&map.pause, "pause"},
                {&map.stop, "stop"}, {&map.quit, "x"},      {&map.menu, "menu"}};
   for (const auto &icon : icons)
      if (!(*icon.at = find_icon(p, run_folder() + "/gfx/" + icon.file + ".bmp")).found())
         return false;
   // The list's interior: the white run below the transport row.
   const auto white = [&](int y) {
      const uint8_t *c = &p.rgb[(static_cast<std::size_t>(y) * p.w + map.play.x) * 3];
      return c[0] == 255 && c[1] == 255 && c[2] == 255;
   };
   int y = map.play.y + 12;
   while (y < p.h && !white(y))
      ++y;
   map.list_x = map.play.x;
   map.list_top = y;
   while (y < p.h && white(y))
      ++y;
   map.row_h = (y - map.list_top + kListRows / 2) / kListRows;
   return map.row_h > 0;
}

int Rig::wait_program(int ms)
{
   if (program_ <= 0)
      return program_status_;
   int status = 0;
   if (!wait_until(ms, [&] { return waitpid(program_, &status, WNOHANG) == program_; }))
      return -2;
   program_ = -1;
   program_status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
   return program_status_;
}

std::string Rig::xdo(const std::string &args)
{
   return shell("DISPLAY=" + display_ + " xdotool " + args);
}

void Rig::key(const std::string &keys)
{
   xdo("key --delay 40 " + keys);
   pause_ms(150);
}

void Rig::move(Point to)
{
   xdo("mousemove --window " + window_ + " " + std::to_string(to.x) + " " + std::to_string(to.y));
   pause_ms(60);
}

void Rig::click(Point at, int button, int times)
{
   move(at);
   xdo("click --repeat " + std::to_string(times) + " --delay 90 " + std::to_string(button));
   pause_ms(200);
}

void Rig::drag(Point from, Point to)
{
   move(from);
   xdo("mousedown 1");
   pause_ms(60);
   for (int step = 1; step <= 4; ++step)
      move(Point{from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4});
   xdo("mouseup 1");
   pause_ms(200);
}

void Rig::answer_file(const std::string &keys, const std::string &path, Point button)
{
   if (button.found())
      click(button);
   else
      key(keys);
   pause_ms(400);
   xdo("type --delay 12 '" + path + "'");
   pause_ms(100);
   key("Return");
   pause_ms(300);
}

std::vector<std::string> Rig::saved_rows(const std::string &name)
{
   const std::string path = dir_.file(name + ".kpl");
   answer_file("ctrl+s", path);
   return playlist_file_rows(path);
}

bool Rig::screenshot(Picture &picture)
{
   const fs::path shot = fs::path(run_folder()) / "screnshot.bmp";
   const std::size_t size = 54 + std::size_t{640} * 580 * 3;
   std::error_code ec;
   fs::remove(shot, ec);
   xdo("keydown F12");
   pause_ms(150);
   xdo("keyup F12");
   if (!wait_until(3000, [&] { return fs::exists(shot) && fs::file_size(shot, ec) == size; }))
      return false;
   pause_ms(100);  // a write in progress while the key was still seen held
   picture = read_bmp(shot.string());
   return picture.w == 640 && picture.h == 580;
}

bool Rig::start_recording()
{
   recorder_ =
      spawn({"parec", "-d", "kstr.monitor", "--format=s16le", "--rate=44100", "--channels=2", "--latency-msec=20"},
            dir_.file("recording.raw"), sound_env());
   pause_ms(300);
   return recorder_ > 0;
}

std::vector<float> Rig::stop_recording()
{
   end(recorder_, SIGINT);  // parec writes out what it has
   return read_reference(dir_.file("recording.raw"));
}

std::vector<std::string> playlist_file_rows(const std::string &path)
{
   std::vector<std::string> rows;
   PLAYLIST *pl = playlist_create();
   if (pl && playlist_load(pl, path.c_str()) == 0)
      for (uint32_t i = 0; i < pl->count; ++i)
         rows.push_back(playlist_get_name(pl, i));
   playlist_destroy(pl);
   return rows;
}

std::string e2e_file(const std::string &name)
{
   return env_or("KSTR_TEST_DATA", "") + "/e2e/" + name;
}

}
