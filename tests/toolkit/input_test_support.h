// Input tests: a running toolkit with one window of probe controls that log
// every mouse event, click and action they receive, and a way to run the loop
// for a while.
#pragma once

#include "event_test_support.h"
#include "toolkit_test_support.h"

#include "input/input_seam.h"
#include "windows/control_class.h"

#include <allegro.h>

#include <cstdint>
#include <cstdio>

namespace kstr::test {

struct PointerLogEntry {
   int id, code, dragging;
};

struct ClickLogEntry {
   int id, button, count;
   uint64_t tick;
};

struct InputLog {
   std::vector<PointerLogEntry> pointer;
   std::vector<ClickLogEntry> clicks;
   std::vector<int> actions;

   std::vector<int> CodesFor(int id) const
   {
      std::vector<int> codes;
      for (const PointerLogEntry &e : pointer)
         if (e.id == id)
            codes.push_back(e.code);
      return codes;
   }
};

inline InputLog &input_log()
{
   static InputLog log;
   return log;
}

inline int ProbeMouse(Control *c, const PointerEvent &event, int, int)
{
   input_log().pointer.push_back({c->id, event.code, event.dragging});
   return 1;
}

inline void ProbeClick(int id, void *, int buttons, int clicks)
{
   input_log().clicks.push_back({id, buttons, clicks, event_signals::TickCount()});
}

inline void ProbeAction(void *data)
{
   input_log().actions.push_back(static_cast<int>(reinterpret_cast<intptr_t>(data)));
}

inline const InputClass probe_input = {ProbeMouse, nullptr};

inline void MeasureProbe(Control *c)
{
   c->x2 = c->x1 + 59 + c->dw;
   c->y2 = c->y1 + 29 + c->dh;
}

// A 60 by 30 control that logs its input; `click_mask` is its double-click mask.
inline int PlaceProbe(int x, int y, const char *label, int click_mask)
{
   static ClassSlot slot;
   const ControlClass *cls = ClassOnce(slot, [](ControlClass &k) { k.measure = MeasureProbe; });
   Control *c = CreateControl(cls, x, y, label);
   if (!c)
      return -1;
   c->event_cls = &probe_input;
   c->on_action = ProbeAction;
   c->action_data = reinterpret_cast<void *>(intptr_t{c->id});
   SetClickHandler(c->id, ProbeClick, nullptr, click_mask);
   return c->id;
}

inline void centre_of(int id, int *x, int *y)
{
   const Rect r = screen_rect_of(id);
   *x = (r.x1 + r.x2) / 2;
   *y = (r.y1 + r.y2) / 2;
}

// Injects a move to (x, y), a press of `buttons` there and the release.
inline void inject_click(int x, int y, int buttons = 1)
{
   InjectPointer(x, y, 0);
   InjectPointer(x, y, buttons);
   InjectPointer(x, y, 0);
}

inline void run_loop_for(int ms)
{
   QueueCall(StopTopLoop, nullptr, ms, 0);
   RunEventLoop();
}

// A plain list view's callbacks: row i's handle is i, shown as "Row i".
inline int NumberedRowText(void *item, char *buf, int)
{
   std::snprintf(buf, 32, "Row %d", static_cast<int>(reinterpret_cast<intptr_t>(item)));
   return 0;
}

inline void *RowIndexHandle(void *, int i)
{
   return reinterpret_cast<void *>(intptr_t{i});
}

inline void NoRowMenu(int, void *) {}

inline void press_key(int scancode, int character = 0, int shifts = 0)
{
   InjectKey(character, scancode, shifts);
   run_loop_for(10);
}

// A window with probes "a" and "b" side by side; "a" awaits double clicks of
// the left button, "b" of none. Only injected input reaches the probes: the X
// pointer and keyboard are shared with every other test on the display, so
// Allegro's own callbacks are unhooked.
class InputTest : public ::testing::Test {
 protected:
   void SetUp() override
   {
      ASSERT_TRUE(session_.ok);
      mouse_callback = nullptr;
      keyboard_ucallback = nullptr;
      MakeWindow(0, AUTO, "probes", WINDOW_NO_DRAG);
      a_ = PlaceProbe(PLACE_FIRST, AUTO, "~a", 1);
      b_ = PlaceProbe(PLACE_RIGHT, AUTO, "~b", 0);
      ASSERT_GE(a_, 0);
      ASSERT_GE(b_, 0);
      PresentWindow();
      run_loop_for(20);  // whatever the real pointer reported is handled now
      input_log() = InputLog{};
      centre_of(a_, &ax_, &ay_);
      centre_of(b_, &bx_, &by_);
   }

   ToolkitSession session_;
   int a_ = -1, b_ = -1;
   int ax_ = 0, ay_ = 0, bx_ = 0, by_ = 0;
};

}
