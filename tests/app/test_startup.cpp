// Start-up of the real program: the fatal paths with their messages and exit
// statuses, and the window set from the shipped settings.
#include "program_run.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

using kstr::test::ProgramRun;
using kstr::test::TempDir;

namespace {

std::string source_file(const std::string &rel)
{
   return std::string(std::getenv("KSTR_SOURCE_DIR")) + "/" + rel;
}

// A run folder with the English catalogue and the given settings.
void stage(const TempDir &dir, const std::string &ini, bool catalogue = true)
{
   dir.write("kstr.ini", ini);
   if (catalogue)
      dir.write("lang/en.tra", kstr::test::read_file(source_file("assets/lang/en.tra")));
}

std::string shell(const std::string &command)
{
   std::string out;
   if (FILE *p = popen(command.c_str(), "r")) {
      char buf[256];
      while (fgets(buf, sizeof buf, p))
         out += buf;
      pclose(p);
   }
   return out;
}

}

TEST(Startup, FatalStartsShowTheirMessageAndExitNonZero)
{
   struct Case {
      const char *ini;
      const char *extra_file;   // "path=contents", or null
      bool catalogue;
      bool display;
      int status;
      const char *message;
   };
   const Case cases[] = {
      {"[gui]\nfullscreen = 0\n", nullptr, false, true, 255,
       "Error reading translation file:\nError opening file"},
      {"[system]\nlanguage = xx\n", "lang/xx.tra=# comment\nlang_name=X\n\nno equals sign here\n", false, true, 255,
       "Error reading translation file:\nSyntax error: expected '=' after item name at line 4"},
      {"[system]\nlanguage = english\n", "lang/eng.tra=lang_name=E\n", true, true, 255,
       "Error reading translation file:\nError opening file"},
      {"[gui]\nfullscreen = 1\nresx = 30000\nresy = 30000\n", nullptr, true, true, 1,
       "FULLSCREEN Graphics mode initializing error - exitting. try to alter or remove kstr.ini file"},
      {"[gui]\nfullscreen = 0\n", nullptr, true, false, 2, "Kestrune cannot start"},
   };
   const std::string display = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
   for (const Case &c : cases) {
      TempDir dir;
      stage(dir, c.ini, c.catalogue);
      if (c.extra_file) {
         std::string file = c.extra_file;
         size_t eq = file.find('=');
         dir.write(file.substr(0, eq), file.substr(eq + 1));
      }
      if (!c.display)
         unsetenv("DISPLAY");
      ProgramRun run(KSTR_PROGRAM, dir.path());
      setenv("DISPLAY", display.c_str(), 1);
      ASSERT_TRUE(run.wait(20)) << c.ini;
      EXPECT_EQ(run.status(), c.status) << c.ini;
      EXPECT_NE(run.output().find(c.message), std::string::npos) << c.ini << run.output();
   }
}

TEST(Startup, VerbosePausesBeforeTheCatalogueUntilAKey)
{
   TempDir dir;
   stage(dir, "[dos]\nverbose = 2\n", false);
   ProgramRun run(KSTR_PROGRAM, dir.path());
   EXPECT_FALSE(run.wait(1.5)) << "did not wait: " << run.output();
   EXPECT_EQ(run.output().find("Error reading translation file"), std::string::npos);
   run.write_stdin("\n");
   ASSERT_TRUE(run.wait(20));
   EXPECT_EQ(run.status(), 255);
   EXPECT_NE(run.output().find("Error opening file"), std::string::npos);
}

TEST(Startup, ShippedSettingsOpenThe640By580WindowAndEscapeLeaves)
{
   TempDir dir;
   stage(dir, kstr::test::read_file(source_file("assets/kstr.ini")));
   ProgramRun run(KSTR_PROGRAM, dir.path());

   std::string window;
   for (int i = 0; i < 100 && window.empty() && run.running(); ++i) {
      run.wait(0.2);
      window = shell("xdotool search --onlyvisible --name '^Kestrune$' 2>/dev/null | head -n1");
      if (!window.empty() && window.back() == '\n')
         window.pop_back();
   }
   ASSERT_FALSE(window.empty()) << run.output();
   std::string geometry = shell("xdotool getwindowgeometry " + window);
   EXPECT_NE(geometry.find("Geometry: 640x580"), std::string::npos) << geometry;

   for (int i = 0; i < 20 && run.running(); ++i) {
      shell("xdotool windowfocus --sync " + window + " 2>/dev/null; xdotool key --window " + window + " Escape");
      run.wait(0.5);
   }
   ASSERT_FALSE(run.running());
   EXPECT_EQ(run.status(), 0) << run.output();
}
