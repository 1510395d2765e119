// Modal dialogs under test: a script of steps that runs inside whatever loop
// is innermost (a dialog's nested loop included), and ways to find a
// dialog's controls and drive them with injected input.
#pragma once

#include "input_test_support.h"

#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

namespace kstr::test {

// Runs its steps one after the other, `gap_ms` apart, from queued calls.
struct Script {
   std::vector<std::function<void()>> steps;
   int gap_ms = 80;
   std::size_t next = 0;

   static void Run(void *self)
   {
      auto *s = static_cast<Script *>(self);
      if (EventSystemFlushing() || s->next >= s->steps.size())
         return;
      s->steps[s->next++]();
      QueueCall(Run, self, s->gap_ms, 0);
   }
   void Start() { QueueCall(Run, this, gap_ms, 0); }
};

inline Control *FindIn(Container *box, const std::function<bool(Control *)> &match)
{
   for (Control *c = box ? box->first : nullptr; c; c = c->next) {
      if (match(c))
         return c;
      if (c->container)
         if (Control *inner = FindIn(c->container, match))
            return inner;
   }
   return nullptr;
}

// The id of the top window's control whose label is `text` (one line), -1.
inline int LabelledControl(const std::string &text)
{
   WindowRecord *w = TopWindow();
   Control *c = FindIn(w ? w->client : nullptr,
                       [&](Control *candidate) { return candidate->text.size() == 1 && candidate->text[0] == text; });
   return c ? c->id : -1;
}

inline void ClickControl(int id)
{
   int x, y;
   centre_of(id, &x, &y);
   inject_click(x, y);
}

inline void TypeText(const std::string &text)
{
   for (char ch : text)
      InjectKey(static_cast<unsigned char>(ch), 0, 0);
}

// A dialog test: a running toolkit fed by injected input only.
class DialogTest : public ::testing::Test {
 protected:
   void SetUp() override
   {
      ASSERT_TRUE(session_.ok);
      mouse_callback = nullptr;
      keyboard_ucallback = nullptr;
   }
   // Runs `open` from a call queued in the top-level loop, `script` inside
   // the dialog it opens; the loop ends when `open` returns.
   void RunDialog(const std::function<void()> &open, Script &script)
   {
      Step opener{[&] {
         open();
         StopEventLoop();
      }};
      opener.Queue();
      script.Start();
      alarm(8);  // a dialog that never closes holds a loop StopEventLoop cannot end
      RunEventLoop();
      alarm(0);
      EXPECT_EQ(script.next, script.steps.size()) << "steps left undone";
   }

   ToolkitSession session_;
};

}
