#include "program_run.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace kstr::test {

ProgramRun::ProgramRun(const std::string &program, const std::string &folder)
{
   int in[2], out[2];
   if (pipe(in) != 0 || pipe(out) != 0)
      return;
   pid_ = fork();
   if (pid_ == 0) {
      dup2(in[0], 0);
      dup2(out[1], 1);
      dup2(out[1], 2);
      close(in[1]);
      close(out[0]);
      if (chdir(folder.c_str()) != 0)
         _exit(126);
      setenv("PATH", "/nonexistent", 1);
      execl(program.c_str(), program.c_str(), static_cast<char *>(nullptr));
      _exit(127);
   }
   close(in[0]);
   close(out[1]);
   in_ = in[1];
   out_ = out[0];
   fcntl(out_, F_SETFL, O_NONBLOCK);
}

ProgramRun::~ProgramRun()
{
   if (running()) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
   }
   if (in_ >= 0)
      close(in_);
   if (out_ >= 0)
      close(out_);
}

void ProgramRun::write_stdin(const std::string &text)
{
   if (in_ >= 0 && ::write(in_, text.data(), text.size()) < 0)
      return;
}

void ProgramRun::drain()
{
   char buf[4096];
   ssize_t n;
   while (out_ >= 0 && (n = read(out_, buf, sizeof buf)) > 0)
      output_.append(buf, static_cast<size_t>(n));
}

bool ProgramRun::running()
{
   if (pid_ <= 0 || status_ != -1)
      return false;
   int st;
   if (waitpid(pid_, &st, WNOHANG) == pid_) {
      status_ = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
      pid_ = -1;
      drain();
      return false;
   }
   return true;
}

bool ProgramRun::wait(double seconds)
{
   auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
   while (running()) {
      drain();
      if (std::chrono::steady_clock::now() > end)
         return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
   }
   return true;
}

std::string ProgramRun::output()
{
   drain();
   return output_;
}

}
