#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

namespace kstr::test {

ChildProcess::ChildProcess(const std::vector<std::string> &argv, bool capture_stdout, bool quiet)
{
   int pipe_fds[2] = {-1, -1};
   if (capture_stdout && pipe2(pipe_fds, O_CLOEXEC) != 0)
      return;
   std::vector<char *> args;
   for (const std::string &arg : argv)
      args.push_back(const_cast<char *>(arg.c_str()));
   args.push_back(nullptr);
   pid_ = fork();
   if (pid_ == 0) {
      // A test that crashes leaves no sound server or recorder behind.
      prctl(PR_SET_PDEATHSIG, SIGKILL);
      if (capture_stdout)
         dup2(pipe_fds[1], STDOUT_FILENO);
      if (quiet) {
         const int null = open("/dev/null", O_WRONLY);
         dup2(null, STDERR_FILENO);
      }
      execvp(args[0], args.data());
      _exit(127);
   }
   if (capture_stdout) {
      close(pipe_fds[1]);
      stdout_fd_ = pipe_fds[0];
      if (pid_ < 0) {
         close(stdout_fd_);
         stdout_fd_ = -1;
      }
   }
}

ChildProcess::~ChildProcess()
{
   stop(SIGTERM);
   if (stdout_fd_ >= 0)
      close(stdout_fd_);
}

bool ChildProcess::running()
{
   if (pid_ <= 0)
      return false;
   if (waitpid(pid_, &status_, WNOHANG) == pid_) {
      pid_ = -1;
      return false;
   }
   return true;
}

int ChildProcess::stop(int signal, int grace_ms)
{
   if (!running())
      return status_;
   kill(pid_, signal);
   const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(grace_ms);
   while (running() && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
   if (running()) {
      kill(pid_, SIGKILL);
      return wait();
   }
   return status_;
}

int ChildProcess::wait()
{
   if (pid_ > 0 && waitpid(pid_, &status_, 0) == pid_)
      pid_ = -1;
   return status_;
}

double process_cpu_seconds(pid_t pid)
{
   std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
   std::string line;
   if (!std::getline(in, line))
      return -1;
   // The command name may hold spaces; the fields after it are plain.
   const auto close_paren = line.rfind(')');
   if (close_paren == std::string::npos)
      return -1;
   std::istringstream fields(line.substr(close_paren + 2));
   std::string field;
   unsigned long long utime = 0, stime = 0;
   // Field 3 (state) is the first here; utime and stime are fields 14 and 15.
   for (int index = 3; index <= 15 && fields >> field; ++index) {
      if (index == 14)
         utime = std::stoull(field);
      else if (index == 15)
         stime = std::stoull(field);
   }
   return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

}
