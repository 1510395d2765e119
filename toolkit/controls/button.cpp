// Push button: measuring, drawing and input.
#include "toolkit/controls/button.h"

#include "controls/control_paint.h"
#include "controls/press_tracker.h"
#include "core/alloc.h"
#include "core/control.h"
#include "core/pointer_event.h"
#include "draw/draw.h"
#include "toolkit/colours.h"
#include "toolkit/control_calls.h"
#include "toolkit/fonts.h"
#include "windows/control_class.h"
#include "windows/focus.h"

#include <algorithm>

namespace {

// Style bits.
constexpr uint8_t STYLE_NO_TEXT = 1;
constexpr uint8_t STYLE_NO_ICON = 2;

constexpr int kExtraWidth = 9;
constexpr int kIconTextExtra = 3;
constexpr int kTextExtra = 2;

struct ButtonState {
   PressTracker press;
   bool latched = false;  // drawn pushed in whatever the pointer does
};

const ImageEntry *ShownIcon(const Control *c)
{
   return (c->style & STYLE_NO_ICON) ? nullptr : c->icon.get();
}

int ShownLines(const Control *c)
{
   return (c->style & STYLE_NO_TEXT) ? 0 : static_cast<int>(c->text.size());
}

int TextHeight(const Control *c)
{
   const int lines = ShownLines(c);
   return lines ? LabelLinesHeight(c) + kTextExtra : 0;
}

// --- measuring -------------------------------------------------------------

void MeasureButton(Control *c)
{
   const ImageEntry *icon = ShownIcon(c);
   const int text_w = ShownLines(c) ? LabelLinesWidth(c) : 0;
   const int w = std::max(icon ? icon->width : 0, text_w) + kExtraWidth;
   int h;
   if (!icon && ShownLines(c) <= 1)
      h = StandardControlHeight();
   else
      h = (icon ? icon->height : 0) + TextHeight(c) + kIconTextExtra;
   c->x2 = c->x1 + std::max(0, w + c->dw);
   c->y2 = c->y1 + std::max(0, h + c->dh);
}

// --- drawing ---------------------------------------------------------------

void DrawButton(Control *c)
{
   PaintArea a;
   if (!AreaOf(c, &a))
      return;
   const ButtonState *s = RecordOf<ButtonState>(c);
   const bool down = (s->press.pressed && s->press.inside) || s->latched;
   DrawFace(a.b, a.x1, a.y1, a.x2, a.y2, !down);
   const int shift = down ? 1 : 0;
   const ImageEntry *icon = ShownIcon(c);
   const int lines_h = ShownLines(c) ? LabelLinesHeight(c) : 0;
   const int gap = icon && lines_h ? kTextExtra : 0;
   const int content_h = (icon ? icon->height : 0) + gap + lines_h;
   int y = a.y1 + (a.Height() + 1 - content_h) / 2 + shift;
   set_clip_rect(a.b, a.x1 + 1, a.y1 + 1, a.x2 - 1, a.y2 - 1);
   if (icon) {
      DrawIcon(a.b, icon, a.x1 + (a.Width() + 1 - icon->width) / 2 + shift, y);
      y += icon->height + gap;
   }
   if (lines_h)
      DrawLabelLines(a.b, c, a.x1 + (a.Width() + 1 - LabelLinesWidth(c)) / 2 + shift, y, InterfaceColour[COLOUR_TEXT]);
   set_clip_rect(a.b, 0, 0, a.b->w - 1, a.b->h - 1);
   if (HasFocus(c))
      DrawFocusMark(a.b, a.x1 + 2, a.y1 + 2, a.x2 - 2, a.y2 - 2);
}

// --- input -----------------------------------------------------------------

void Act(Control *c)
{
   c->on_action(c->action_data);  // may destroy the button
}

void ShowReleasedAndAct(Control *c)
{
   c->cls->redraw(c);
   Act(c);
}

int ButtonMouse(Control *c, const PointerEvent &ev, int x, int y)
{
   HandlePress(c, RecordOf<ButtonState>(c)->press, ev, PointInside(c, x, y), ShowReleasedAndAct);
   return 1;
}

// Reached when the button has the focus or for one of its hot keys.
int ButtonKey(Control *c, int character, int scancode, int)
{
   return HandleActivateKey(c, character, scancode, Act);
}

const InputClass kButtonInput = {ButtonMouse, ButtonKey};

const ControlClass *ButtonClass()
{
   static ClassSlot slot;
   return ClassOnce(slot, [](ControlClass &k) {
      k.measure = MeasureButton;
      k.draw = DrawButton;
   });
}

}

int PlaceButton(int x, int y, const char *label, void (*cb)(void *), void *data)
{
   Control *c = CreateControl(ButtonClass(), x, y, label);
   if (!c)
      return -1;
   MakeRecord<ButtonState>(c);
   c->event_cls = &kButtonInput;
   c->on_action = cb ? cb : DoNothing;
   c->action_data = data;
   MakeFocusable(c);
   return c->id;
}

int SetButtonLatched(int id, int latched)
{
   Control *c = LookupControl(id);
   if (!c || c->cls != ButtonClass())
      return 0;
   ButtonState *s = RecordOf<ButtonState>(c);
   if (s->latched != (latched != 0)) {
      s->latched = latched != 0;
      RedrawControl(id);
   }
   return 1;
}
