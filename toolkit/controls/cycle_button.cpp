// Two-state choice: measuring, drawing and input.
#include "toolkit/controls/cycle_button.h"

#include "controls/control_paint.h"
#include "controls/press_tracker.h"
#include "core/alloc.h"
#include "core/control.h"
#include "core/pointer_event.h"
#include "draw/draw.h"
#include "toolkit/colours.h"
#include "toolkit/controls/check_box.h"
#include "toolkit/fonts.h"
#include "windows/control_class.h"
#include "windows/focus.h"

#include <algorithm>
#include <array>
#include <string>

namespace {

constexpr int kItemCount = 2;
constexpr std::size_t kMaxItemText = 100;
constexpr int kLabelGap = 4;   // between the label and the field
constexpr int kPadding = 4;    // inside the field, left and right of the text
constexpr int kMarkWidth = 9;  // the cycle mark at the field's right end

struct CycleButton {
   ChangeFn fn = nullptr;
   void *handler_data = nullptr;
   int count = kItemCount;
   int *sel = nullptr;
   std::array<std::string, kItemCount> items;
   Control *self = nullptr;
   int own_value = 0;   // used when the caller gave no int
   PressTracker press;  // pressed looks the same inside and out
};

int LabelWidth(const Control *c)
{
   return c->text.empty() ? 0 : LabelLinesWidth(c) + kLabelGap;
}

int FieldWidth(const Control *c)
{
   const CycleButton *r = RecordOf<CycleButton>(c);
   int w = 0;
   for (const std::string &item : r->items)
      w = std::max(w, text_length(c->font, item.c_str()));
   return w + 2 * kPadding + kMarkWidth + 4;
}

const std::string &ShownItem(const CycleButton *r)
{
   return r->items[*r->sel > 0 ? 1 : 0];
}

// --- measuring -------------------------------------------------------------

void MeasureCycle(Control *c)
{
   const int w = LabelWidth(c) + FieldWidth(c);
   const int h = std::max(StandardControlHeight(), LabelLinesHeight(c));
   c->x2 = c->x1 + std::max(0, w + c->dw);
   c->y2 = c->y1 + std::max(0, h + c->dh);
}

// --- drawing ---------------------------------------------------------------

// Two small arrows, up over down: "press to change".
void DrawCycleMark(BITMAP *b, int x, int yc, int colour)
{
   triangle(b, x, yc - 1, x + 6, yc - 1, x + 3, yc - 4, colour);
   triangle(b, x, yc + 1, x + 6, yc + 1, x + 3, yc + 4, colour);
}

void DrawCycle(Control *c)
{
   PaintArea a;
   if (!AreaOf(c, &a))
      return;
   const CycleButton *r = RecordOf<CycleButton>(c);
   rectfill(a.b, a.x1, a.y1, a.x2, a.y2, InterfaceColour[COLOUR_FACE]);
   const int fx = a.x1 + LabelWidth(c);
   if (!c->text.empty())
      DrawLabelLines(a.b, c, a.x1, a.y1 + (a.Height() + 1 - LabelLinesHeight(c)) / 2, InterfaceColour[COLOUR_TEXT]);
   const bool down = r->press.pressed;
   DrawFace(a.b, fx, a.y1, a.x2, a.y2, !down);
   const int shift = down ? 1 : 0;
   const int th = text_height(c->font);
   set_clip_rect(a.b, fx + 2, a.y1 + 2, a.x2 - kMarkWidth - 2, a.y2 - 2);
   textout_ex(a.b, c->font, ShownItem(r).c_str(), fx + kPadding + shift, a.y1 + (a.Height() + 1 - th) / 2 + shift,
              InterfaceColour[COLOUR_TEXT], -1);
   set_clip_rect(a.b, 0, 0, a.b->w - 1, a.b->h - 1);
   DrawCycleMark(a.b, a.x2 - kMarkWidth - 1 + shift, a.y1 + a.Height() / 2 + shift, InterfaceColour[COLOUR_TEXT]);
   if (HasFocus(c))
      DrawFocusMark(a.b, fx + 2, a.y1 + 2, a.x2 - 2, a.y2 - 2);
}

// --- input -----------------------------------------------------------------

void Cycle(Control *c)
{
   CycleButton *r = RecordOf<CycleButton>(c);
   *r->sel = ToggledValue(*r->sel);
   c->cls->redraw(c);
   if (r->fn)
      r->fn(r->handler_data);  // may close the window
}

bool OnField(const Control *c, int x, int y)
{
   return x >= LabelWidth(c) && PointInside(c, x, y);
}

int CycleMouse(Control *c, const PointerEvent &ev, int x, int y)
{
   HandlePress(c, RecordOf<CycleButton>(c)->press, ev, OnField(c, x, y), Cycle);
   return 1;
}

int CycleKey(Control *c, int character, int scancode, int)
{
   return HandleActivateKey(c, character, scancode, Cycle);
}

int SetCycleHandler(Control *c, ChangeFn fn, void *data)
{
   CycleButton *r = RecordOf<CycleButton>(c);
   r->fn = fn;
   r->handler_data = data;
   return 1;
}

int CycleValue(Control *c)
{
   return *RecordOf<CycleButton>(c)->sel;
}

const InputClass kCycleInput = {CycleMouse, CycleKey};

const ControlClass *CycleClass()
{
   static ClassSlot slot;
   return ClassOnce(slot, [](ControlClass &k) {
      k.measure = MeasureCycle;
      k.draw = DrawCycle;
      k.set_change_handler = SetCycleHandler;
      k.get_value = CycleValue;
   });
}

}

int PlaceCycleButton(int x, int y, const char *label, char **texts, int *value)
{
   Control *c = CreateControl(CycleClass(), x, y, label);
   if (!c)
      return -1;
   CycleButton *r = MakeRecord<CycleButton>(c);
   r->self = c;
   r->sel = value ? value : &r->own_value;
   for (int i = 0; i < kItemCount; ++i) {
      const char *text = texts && texts[i] ? texts[i] : "";
      r->items[i].assign(text, std::min(std::char_traits<char>::length(text), kMaxItemText));
   }
   c->event_cls = &kCycleInput;
   c->on_action = [](void *control) { Cycle(static_cast<Control *>(control)); };  // its hot keys
   c->action_data = c;
   MakeFocusable(c);
   return c->id;
}
