// Start-up of the real program: the fatal paths with their messages and exit
// statuses, and the window set from the shipped settings.
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

using kstr::test::TempDir;

namespace {

std::string source_file(const std::string &rel)
{
   return std::string(std::getenv("KSTR_SOURCE_DIR")) + "/" + rel;
}

// A run folder with the given settings and, unless told not to, the English catalogue.
void stage(const TempDir &dir, const std::string &ini, bool catalogue = true)
{
   dir.write("kstr.ini", ini);
   if (catalogue)
      dir.write("lang/en.tra", kstr::test::read_file(source_file("assets/lang/en.tra")));
}

// The program started in `dir` with `feed`'s output (a shell command, which
// may also write to the console as fd 3) as its input, ended after 30 s. The
// platform's message box helper is kept off PATH so fatal messages go to the
// console, where the test reads them.
FILE *start(const TempDir &dir, const std::string &feed = "true", const std::string &env = "")
{
   const std::string command = "cd '" + dir.path().string() + "' && exec 3>&1 && (" + feed + ") | timeout 30 env " +
                               env + " PATH=/nonexistent '" KSTR_PROGRAM "' 2>&1";
   return popen(command.c_str(), "r");
}

// Reads the console to its end; the exit status (0-255), or -1 when killed.
int finish(FILE *run, std::string &output)
{
   char buf[256];
   while (std::fgets(buf, sizeof buf, run))
      output += buf;
   const int status = pclose(run);
   return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string shell(const std::string &command)
{
   std::string out;
   finish(popen(command.c_str(), "r"), out);
   if (!out.empty() && out.back() == '\n')
      out.pop_back();
   return out;
}

}

// In a verbose start the program waits for a key before it loads the
// catalogue: the feed marks on the console when it sends one, and the error
// must follow that mark.
TEST(Startup, FatalStartsShowTheirMessageAndExitNonZero)
{
   const struct {
      const char *ini, *extra_file, *extra_bytes;
      bool catalogue;
      int status;
      const char *message, *env = "", *feed = "true";
   } cases[] = {
      {"[gui]\nfullscreen = 0\n", nullptr, nullptr, false, 255, "Error reading translation file:\nError opening file"},
      {"[system]\nlanguage = xx\n", "lang/xx.tra", "# comment\nlang_name=X\n\nno equals sign here\n", false, 255,
       "Error reading translation file:\nSyntax error: expected '=' after item name at line 4"},
      {"[system]\nlanguage = english\n", "lang/eng.tra", "lang_name=E\n", true, 255,
       "Error reading translation file:\nError opening file"},
      {"[gui]\nfullscreen = 1\nresx = 30000\nresy = 30000\n", nullptr, nullptr, true, 1,
       "FULLSCREEN Graphics mode initializing error - exitting. try to alter or remove kstr.ini file"},
      {"[gui]\nfullscreen = 0\n", nullptr, nullptr, true, 2, "Kestrune cannot start", "-u DISPLAY"},
      {"[dos]\nverbose = 2\n", nullptr, nullptr, false, 255,
       "[key]\nError reading translation file:\nError opening file", "", "sleep 1.5; echo '[key]' >&3; echo"},
   };
   for (const auto &c : cases) {
      TempDir dir;
      stage(dir, c.ini, c.catalogue);
      if (c.extra_file)
         dir.write(c.extra_file, c.extra_bytes);
      std::string output;
      EXPECT_EQ(finish(start(dir, c.feed, c.env), output), c.status) << c.ini << output;
      EXPECT_NE(output.find(c.message), std::string::npos) << c.ini << output;
   }
}

// The shipped settings open the window; Ctrl+Q asks the quit question and
// Enter answers with its first button: exit status 0 and the banner on
// standard output.
TEST(Startup, ShippedSettingsOpenThe640By580WindowAndTheQuitQuestionLeaves)
{
   TempDir dir;
   stage(dir, kstr::test::read_file(source_file("assets/kstr.ini")));
   FILE *run = start(dir);
   const std::string search = "xdotool search --onlyvisible --name '^Kestrune$' 2>/dev/null | head -n1";
   std::string window;
   for (int i = 0; i < 100 && window.empty(); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      window = shell(search);
   }
   EXPECT_FALSE(window.empty());
   const std::string geometry = window.empty() ? "" : shell("xdotool getwindowgeometry " + window);
   EXPECT_NE(geometry.find("Geometry: 640x580"), std::string::npos) << geometry;
   if (!window.empty()) {
      shell("xdotool windowfocus --sync " + window + " 2>/dev/null");
      std::this_thread::sleep_for(std::chrono::milliseconds(500));
      shell("xdotool key --window " + window + " ctrl+q");
      std::this_thread::sleep_for(std::chrono::milliseconds(500));
      shell("xdotool key --window " + window + " Return");
   }
   std::string output;
   EXPECT_EQ(finish(run, output), 0) << output;
   EXPECT_NE(output.find("Kestrune v1.00b @ May 18 2003"), std::string::npos) << output;
}
