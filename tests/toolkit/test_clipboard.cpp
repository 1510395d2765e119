// Cut, copy and paste in input fields through the X clipboard: inside the
// program, with another X client (xclip) on the same server, and with owners
// that are gone or never answer. The X server has one CLIPBOARD for all
// tests: every test that uses it has "Clipboard" in its name, and
// scripts/test runs those one at a time.
#include "child_process.h"
#include "field_test_support.h"
#include "temp_dir.h"

#include "input/clipboard.h"
#include "toolkit/keyboard_focus.h"

#include <X11/Xlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

namespace kstr::test {
namespace {

using Clock = std::chrono::steady_clock;

struct PipeCloser {
   void operator()(std::FILE *f) const { pclose(f); }
};

// What `xclip -selection clipboard -o` (plus `options`) prints, as bytes.
std::string xclip_out(const std::string &options = "")
{
   std::unique_ptr<std::FILE, PipeCloser> pipe(
      popen(("xclip -selection clipboard -o " + options + " 2>/dev/null").c_str(), "r"));
   std::string bytes;
   char buf[256];
   std::size_t n;
   while (pipe && (n = std::fread(buf, 1, sizeof buf, pipe.get())) > 0)
      bytes.append(buf, n);
   return bytes;
}

long long ms_since(Clock::time_point start)
{
   return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// Selects all of the field's text and pastes over it; the time it took.
long long paste_over_all(int field)
{
   FocusControl(field);
   const Clock::time_point start = Clock::now();
   press_keys({kCtrlA, kCtrlV});
   return ms_since(start);
}

TEST_F(InputTest, ClipboardCutCopyAndPasteAmongFields)
{
   char *source = nullptr;
   char small[8] = "";
   int number = 5;
   MakeWindow(0, AUTO, "clipboard", WINDOW_NO_DRAG);
   const int from = PlaceInputField(PLACE_FIRST, AUTO, 150, "", 6, 0, &source);
   const int to = PlaceInputField(PLACE_NEW_ROW, AUTO, 60, "", 5, sizeof small, small);
   const int numeric = PlaceInputField(PLACE_NEW_ROW, AUTO, 60, "", 3, 0, &number);
   PresentWindow();

   // "this" copied from the middle of one field into another.
   SetInputFieldText(from, "copy this text");
   FocusControl(from);
   press_keys({{KEY_HOME},
               {KEY_RIGHT},
               {KEY_RIGHT},
               {KEY_RIGHT},
               {KEY_RIGHT},
               {KEY_RIGHT},
               kShiftRight,
               kShiftRight,
               kShiftRight,
               kShiftRight,
               kCtrlC});
   EXPECT_STREQ(source, "copy this text") << "copying leaves the text";
   FocusControl(to);
   press_keys({kCtrlV});
   EXPECT_STREQ(small, "this");
   // Ctrl+C without a selection keeps what the clipboard holds.
   press_keys({{KEY_END}, kCtrlC, {KEY_END}, kCtrlV});
   EXPECT_STREQ(small, "thisthi") << "pasted up to the buffer's 7 characters";

   // Cut: the selection goes to the clipboard and out of the field.
   FocusControl(from);
   press_keys({{KEY_END}, kShiftLeft, kShiftLeft, kShiftLeft, kShiftLeft, kCtrlX});
   EXPECT_STREQ(source, "copy this ");
   EXPECT_EQ(PasteFromClipboard(), "text");

   // Line breaks are left out of a one-line field; a number takes its digits.
   CopyToClipboard("two\nlines\r\n");
   paste_over_all(to);
   EXPECT_STREQ(small, "twoline");
   CopyToClipboard("12abc");
   paste_over_all(numeric);
   EXPECT_EQ(number, 12);
   CopyToClipboard("abc");
   paste_over_all(numeric);
   EXPECT_EQ(number, 12) << "nothing a number takes: the text stays";
   CloseWindow();
   std::free(source);
}

TEST_F(InputTest, ClipboardTravelsBothWaysWithAnotherXClient)
{
   // UTF-8 as file names hold it, and a byte that is not UTF-8 at all.
   const std::string ours = "/m\xc3\xbcsik/\xc3\x9cn\xc3\xaf"
                            "code \xe2\x98\x83 \xe9t\xe9.ogg";
   char text[128] = "";
   MakeWindow(0, AUTO, "xclip", WINDOW_NO_DRAG);
   const int field = PlaceInputField(PLACE_FIRST, AUTO, 200, "", 5, sizeof text, text);
   PresentWindow();
   SetInputFieldText(field, ours.c_str());
   FocusControl(field);
   press_keys({kCtrlA, kCtrlC});

   // The loop does not run while xclip asks: the clipboard's thread answers.
   EXPECT_EQ(xclip_out(), ours);
   EXPECT_EQ(xclip_out("-t STRING"), ours);
   const std::string targets = xclip_out("-t TARGETS");
   EXPECT_NE(targets.find("UTF8_STRING"), std::string::npos) << targets;
   EXPECT_NE(targets.find("\nSTRING\n"), std::string::npos) << targets;

   // Text another program owns pastes into the field, line break left out.
   TempDir dir;
   const std::string theirs = "from xclip: Gr\xc3\xbc\xc3\x9f"
                              "e \xe2\x82\xac";
   const std::string file = dir.write("clip.txt", theirs + "\n");
   auto owner = std::make_unique<ChildProcess>(
      std::vector<std::string>{"xclip", "-selection", "clipboard", "-i", "-quiet", file}, false);
   ASSERT_GT(owner->pid(), 0) << "xclip is not installed (scripts/setup.sh installs it)";
   const Clock::time_point start = Clock::now();
   while (xclip_out() != theirs + "\n" && ms_since(start) < 5000)
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
   paste_over_all(field);
   EXPECT_EQ(std::string(text), theirs);

   // The owner gone: nothing to paste, at once.
   owner->stop(SIGTERM);
   owner.reset();
   const long long took = paste_over_all(field);
   EXPECT_EQ(std::string(text), theirs);
   EXPECT_LT(took, 500) << "ms for a paste without an owner";
   CloseWindow();
}

TEST_F(InputTest, ClipboardOwnerThatNeverAnswersOrNoDisplayPastesNothing)
{
   char text[32] = "kept";
   MakeWindow(0, AUTO, "silent", WINDOW_NO_DRAG);
   const int field = PlaceInputField(PLACE_FIRST, AUTO, 100, "", 5, sizeof text, text);
   PresentWindow();

   // A client that takes the clipboard and then reads none of its events.
   std::unique_ptr<Display, int (*)(Display *)> silent(XOpenDisplay(nullptr), XCloseDisplay);
   ASSERT_TRUE(silent);
   const Window window = XCreateSimpleWindow(silent.get(), DefaultRootWindow(silent.get()), 0, 0, 1, 1, 0, 0, 0);
   const Atom clipboard = XInternAtom(silent.get(), "CLIPBOARD", False);
   XSetSelectionOwner(silent.get(), clipboard, window, CurrentTime);
   XSync(silent.get(), False);
   ASSERT_EQ(XGetSelectionOwner(silent.get(), clipboard), window);
   const long long took = paste_over_all(field);
   EXPECT_STREQ(text, "kept");
   EXPECT_GE(took, kClipboardWaitMs - 50) << "ms";
   EXPECT_LT(took, kClipboardWaitMs + 1500) << "ms: the wait has its limit";
   press_keys({{KEY_END}}, "!");
   EXPECT_STREQ(text, "kept!") << "the field goes on taking keys";

   // Without an X display: an empty clipboard, not a crash.
   CloseClipboard();
   const std::string display = std::getenv("DISPLAY");
   setenv("DISPLAY", ":0.99", 1);  // a screen no server has
   CopyToClipboard("lost");
   const std::string pasted = PasteFromClipboard();
   setenv("DISPLAY", display.c_str(), 1);
   EXPECT_EQ(pasted, "");
   CloseClipboard();
   CopyToClipboard("back");
   EXPECT_EQ(PasteFromClipboard(), "back") << "a display again: the clipboard works again";
   CloseWindow();
}

}
}
