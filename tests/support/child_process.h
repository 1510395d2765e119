// A child program run by tests and benchmarks: started with execvp, its
// standard output optionally read through a pipe, ended (SIGTERM, then
// SIGKILL after a grace period) and reaped when the object goes, and killed
// with the thread that started it when that ends first (a crash).
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace kstr::test {

class ChildProcess {
 public:
   // Starts argv[0] found on PATH. With capture_stdout the child's standard
   // output is a pipe whose reading end is stdout_fd(); otherwise it inherits
   // ours. Standard error goes to /dev/null when quiet. pid() is -1 when the
   // program could not be started.
   ChildProcess(const std::vector<std::string> &argv, bool capture_stdout, bool quiet = true);
   ~ChildProcess();
   ChildProcess(const ChildProcess &) = delete;
   ChildProcess &operator=(const ChildProcess &) = delete;

   pid_t pid() const { return pid_; }
   int stdout_fd() const { return stdout_fd_; }
   bool running();
   // Sends `signal` and waits up to grace_ms for the child to end, then kills
   // it. Returns its wait status (-1 when it was not running).
   int stop(int signal, int grace_ms = 2000);
   // Waits for the child to end by itself; returns its wait status.
   int wait();

 private:
   pid_t pid_ = -1;
   int stdout_fd_ = -1;
   int status_ = -1;
};

// CPU time (user + system) the process has used so far, in seconds; -1 when
// it is gone. Read from /proc/<pid>/stat.
double process_cpu_seconds(pid_t pid);

}
