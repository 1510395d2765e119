// Check box: measuring, drawing and input.
#include "toolkit/controls/check_box.h"

#include "controls/control_paint.h"
#include "controls/press_tracker.h"
#include "core/alloc.h"
#include "core/control.h"
#include "core/pointer_event.h"
#include "draw/draw.h"
#include "toolkit/colours.h"
#include "toolkit/events.h"
#include "toolkit/fonts.h"
#include "windows/control_class.h"
#include "windows/focus.h"

#include <algorithm>

namespace {

constexpr int kTextGap = 5;   // between the box and the label
constexpr int kPadding = 2;   // around the label, room for the focus mark
constexpr int kBoxInset = 2;  // left of the box, room for the focus mark

struct CheckBox {
   ChangeFn fn = nullptr;
   void *handler_data = nullptr;
   int *state = nullptr;
   Control *self = nullptr;
   int own_state = 0;   // used when the caller gave no int
   PressTracker press;  // pressed looks the same inside and out
};

int BoxSize(const Control *c)
{
   return std::min(text_height(c->font) + 1, StandardControlHeight() - 2);
}

// --- measuring -------------------------------------------------------------

void MeasureCheckBox(Control *c)
{
   const int text_w = c->text.empty() ? 0 : LabelLinesWidth(c) + 2 * kPadding;
   const int w = kBoxInset + BoxSize(c) + kTextGap + text_w;
   const int h = std::max(StandardControlHeight(), LabelLinesHeight(c) + 2 * kPadding);
   c->x2 = c->x1 + std::max(0, w + c->dw);
   c->y2 = c->y1 + std::max(0, h + c->dh);
}

// --- drawing ---------------------------------------------------------------

void DrawTick(BITMAP *b, int x1, int y1, int size, int colour)
{
   // A tick from the lower left up to the upper right, three pixels thick.
   const int m = size / 4;
   const int lx = x1 + m, ly = y1 + size / 2;
   const int bx = x1 + size / 2 - 1, by = y1 + size - 1 - m;
   const int rx = x1 + size - 1 - m, ry = y1 + m;
   for (int t = 0; t < 3; ++t) {
      line(b, lx, ly + t - 1, bx, by + t - 1, colour);
      line(b, bx, by + t - 1, rx, ry + t - 1, colour);
   }
}

void DrawCheckBox(Control *c)
{
   PaintArea a;
   if (!AreaOf(c, &a))
      return;
   const CheckBox *r = RecordOf<CheckBox>(c);
   rectfill(a.b, a.x1, a.y1, a.x2, a.y2, InterfaceColour[COLOUR_FACE]);
   const int size = BoxSize(c);
   const int bx = a.x1 + kBoxInset;
   const int by = a.y1 + (a.Height() + 1 - size) / 2;
   rectfill(a.b, bx, by, bx + size - 1, by + size - 1, InterfaceColour[r->press.pressed ? COLOUR_FACE : COLOUR_LIGHT]);
   DrawBevel(a.b, bx, by, bx + size - 1, by + size - 1, false);
   if (*r->state > 0)
      DrawTick(a.b, bx + 1, by + 1, size - 2, InterfaceColour[COLOUR_TEXT]);
   if (c->text.empty()) {
      if (HasFocus(c))
         DrawFocusMark(a.b, a.x1, std::max(a.y1, by - 2), std::min(a.x2, bx + size + 1), std::min(a.y2, by + size + 1));
      return;
   }
   const int tx = bx + size + kTextGap;
   const int ty = a.y1 + (a.Height() + 1 - LabelLinesHeight(c)) / 2;
   set_clip_rect(a.b, tx, a.y1, a.x2, a.y2);
   DrawLabelLines(a.b, c, tx + kPadding, ty, InterfaceColour[COLOUR_TEXT]);
   set_clip_rect(a.b, 0, 0, a.b->w - 1, a.b->h - 1);
   if (HasFocus(c))
      DrawFocusMark(a.b, tx, ty - 1, std::min(a.x2, tx + LabelLinesWidth(c) + 2 * kPadding - 1),
                    ty + LabelLinesHeight(c));
}

// --- input -----------------------------------------------------------------

void Toggle(Control *c)
{
   CheckBox *r = RecordOf<CheckBox>(c);
   *r->state = ToggledValue(*r->state);
   c->cls->redraw(c);
   if (r->fn)
      QueueCall(r->fn, r->handler_data, 0, c->id);
}

int CheckBoxMouse(Control *c, const PointerEvent &ev, int x, int y)
{
   HandlePress(c, RecordOf<CheckBox>(c)->press, ev, PointInside(c, x, y), Toggle);
   return 1;
}

int CheckBoxKey(Control *c, int character, int scancode, int)
{
   return HandleActivateKey(c, character, scancode, Toggle);
}

int SetCheckBoxHandler(Control *c, ChangeFn fn, void *data)
{
   CheckBox *r = RecordOf<CheckBox>(c);
   r->fn = fn;
   r->handler_data = data;
   return 1;
}

int CheckBoxValue(Control *c)
{
   return *RecordOf<CheckBox>(c)->state;
}

const InputClass kCheckBoxInput = {CheckBoxMouse, CheckBoxKey};

const ControlClass *CheckBoxClass()
{
   static ClassSlot slot;
   return ClassOnce(slot, [](ControlClass &k) {
      k.measure = MeasureCheckBox;
      k.draw = DrawCheckBox;
      k.set_change_handler = SetCheckBoxHandler;
      k.get_value = CheckBoxValue;
   });
}

}

int PlaceCheckBox(int x, int y, const char *label, int *state)
{
   Control *c = CreateControl(CheckBoxClass(), x, y, label);
   if (!c)
      return -1;
   CheckBox *r = MakeRecord<CheckBox>(c);
   r->self = c;
   r->state = state ? state : &r->own_state;
   c->event_cls = &kCheckBoxInput;
   c->on_action = [](void *control) { Toggle(static_cast<Control *>(control)); };  // its hot keys
   c->action_data = c;
   MakeFocusable(c);
   return c->id;
}
