// Runs the built program as a child process in a folder of the test's, with
// the console captured. Used by the start-up tests.
#pragma once

#include <string>
#include <sys/types.h>

namespace kstr::test {

class ProgramRun {
public:
   // Starts `program` in `folder`. The platform's message box helper is kept
   // off PATH so fatal messages go to the console, where a test can read them.
   ProgramRun(const std::string &program, const std::string &folder);
   ~ProgramRun();
   ProgramRun(const ProgramRun &) = delete;
   ProgramRun &operator=(const ProgramRun &) = delete;

   void write_stdin(const std::string &text);
   // Waits up to `seconds`; true when the program has ended.
   bool wait(double seconds);
   bool running();
   // Exit status as the shell sees it (0-255), or -1 when killed or running.
   int status() const { return status_; }
   // Everything the program wrote to stdout and stderr so far.
   std::string output();

private:
   void drain();
   pid_t pid_ = -1;
   int in_ = -1;
   int out_ = -1;
   int status_ = -1;
   std::string output_;
};

}
