// Real X input on the editing controls: xdotool clicks an input field and
// types into it, opens a choice list and picks a row. Moves the display's one
// pointer, so it runs alone (RealInputTest).
#include "input_test_support.h"

#include "toolkit/keyboard_focus.h"

#include <cstdlib>
#include <string>

#include <unistd.h>

namespace kstr::test {
namespace {

const std::string &window_title()
{
   static const std::string title = "kstr xdotool controls " + std::to_string(getpid());
   return title;
}

bool xdotool(const std::string &args)
{
   const std::string command =
      "xdotool search --sync --name '^" + window_title() + "$' windowraise %1 " + args + " >/dev/null";
   return std::system(command.c_str()) == 0;
}

std::string click_at(int x, int y)
{
   return "mousemove --window %1 " + std::to_string(x) + " " + std::to_string(y) + " click 1";
}

// Each step is repeated every 100 ms (raising the window again) until its
// effect has arrived, as a fresh window may miss the first events.
struct Steps {
   int field, list;
   int *number, *sel;
   int step = 0, polls = 0;
   bool failed = false;

   void Repeat(bool done, const std::string &args)
   {
      if (done) {
         ++step;
         polls = 0;
      } else if (polls++ % 5 == 0) {
         failed |= !xdotool(args);
      }
   }

   static void Run(void *self)
   {
      auto *s = static_cast<Steps *>(self);
      if (EventSystemFlushing())
         return;
      int x, y;
      switch (s->step) {
      case 0:
         centre_of(s->field, &x, &y);
         s->Repeat(FocusedControlId() == s->field, click_at(x, y));
         break;
      case 1:
         s->Repeat(*s->number != 0, "windowfocus --sync %1 key End 7");
         break;
      case 2:
         centre_of(s->list, &x, &y);
         s->Repeat(OpenChoiceDropList() >= 0, click_at(x, y));
         break;
      case 3: {
         const Rect rows = screen_rect_of(OpenChoiceDropList());
         s->Repeat(*s->sel == 2, click_at(rows.x1 + 8, rows.y1 + 1 + (rows.y2 - rows.y1) * 5 / 6));
         break;
      }
      default:
         StopEventLoop();
         return;
      }
      QueueCall(Run, self, 20, 0);
   }
};

TEST_F(RealInputTest, RealClicksAndKeysEditAFieldAndChooseFromAList)
{
   int number = 0, sel = 0;
   char one[] = "one", two[] = "two", three[] = "three";
   char *items[] = {one, two, three};
   MakeWindow(0, AUTO, "controls", WINDOW_NO_DRAG);
   Steps steps{PlaceInputField(PLACE_FIRST, AUTO, 60, "Number", 3, 2, &number),
               PlaceChoiceList(PLACE_NEW_ROW, AUTO, 80, "Pick", &sel, items, 3), &number, &sel};
   PresentWindow();
   set_window_title(window_title().c_str());
   LoopDeadline deadline(10000);
   QueueCall(Steps::Run, &steps, 0, 0);
   RunEventLoop();

   ASSERT_FALSE(steps.failed) << "xdotool failed";
   EXPECT_FALSE(deadline.fired) << "stopped at step " << steps.step;
   EXPECT_EQ(number % 10, 7) << "the typed 7 was read back";
   EXPECT_EQ(sel, 2);
   EXPECT_EQ(OpenChoiceDropList(), -1);
}

}
}
