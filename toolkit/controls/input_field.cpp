// The one-line input field: measuring, drawing, keys and the blinking cursor.
#include "toolkit/controls/input_field.h"

#include "controls/input_edit.h"
#include "controls/input_value.h"
#include "core/alloc.h"
#include "core/control.h"
#include "core/pointer_event.h"
#include "draw/display_names.h"
#include "draw/draw.h"
#include "draw/selection_colours.h"
#include "toolkit/colours.h"
#include "toolkit/control_calls.h"
#include "toolkit/events.h"
#include "toolkit/fonts.h"
#include "toolkit/keyboard_focus.h"
#include "windows/control_class.h"
#include "windows/focus.h"
#include "windows/input_sink.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

constexpr int kBlinkMs = 250;
constexpr int kLabelGap = 4;
constexpr int kInnerPad = 3;
constexpr int kDefaultWidth = 60;

InputField *FieldOf(Control *c)
{
   return RecordOf<InputField>(c);
}

int LabelWidth(const Control *c)
{
   const int w = LabelLinesWidth(c);
   return w > 0 ? w + kLabelGap : 0;
}

// --- measuring -------------------------------------------------------------

void MeasureField(Control *c)
{
   const int h = std::max(StandardControlHeight(), LabelLinesHeight(c));
   c->x2 = c->x1 + LabelWidth(c) + FieldOf(c)->width - 1 + c->dw;
   c->y2 = c->y1 + h - 1 + c->dh;
}

// --- drawing ---------------------------------------------------------------

int TextSpan(const InputField &field, FONT *f, const char *text, int from, int to)
{
   const std::string part(text + from, text + to);
   return field.utf8 ? DisplayTextWidth(f, part) : text_length(f, part.c_str());
}

// Keeps the cursor inside the box by moving the first shown character.
void ScrollToCursor(InputField &f, FONT *font, int inner_w)
{
   const char *text = FieldText(f);
   f.scroll = std::clamp(f.scroll, 0, f.cursor);
   while (f.scroll < f.cursor && TextSpan(f, font, text, f.scroll, f.cursor) > inner_w - 1)
      f.scroll = StepCharacter(f, text, f.scroll, 1);
}

// Focus arriving marks all of a replace-on-focus field; focus leaving ends
// the edit. Every focus change redraws both fields, so it is seen here.
void FollowFocus(Control *c, InputField &f)
{
   const bool focused = HasFocus(c);
   if (focused == f.had_focus)
      return;
   f.had_focus = focused;
   f.at_rest = !focused;
   if (!focused) {
      f.anchor = f.cursor;
   } else if (f.replace_on_focus) {
      f.mark_fresh = *FieldText(f) != '\0';
      SelectAllText(f);
   }
}

void DrawText(BITMAP *b, Control *c, const InputField &f, int x, int y)
{
   FONT *font = c->font;
   const char *text = FieldText(f);
   const int th = text_height(font);
   const auto draw = [&](const char *from, int at_x, int colour) {
      if (f.utf8)
         DrawDisplayText(b, font, from, at_x, y, colour, -1);
      else
         textout_ex(b, font, from, at_x, y, colour, -1);
   };
   draw(text + f.scroll, x, InterfaceColour[COLOUR_TEXT]);
   if (!HasFocus(c) || !HasSelection(f) || SelectionEnd(f) <= f.scroll)
      return;
   const int from = std::max(SelectionStart(f), f.scroll), to = SelectionEnd(f);
   const int sx = x + TextSpan(f, font, text, f.scroll, from);
   const std::string part(text + from, text + to);
   rectfill(b, sx, y - 1, sx + TextSpan(f, font, text, from, to) - 1, y + th - 1, SelectionBackground());
   draw(part.c_str(), sx, SelectionText());
}

void DrawField(Control *c)
{
   BITMAP *b = c->surface ? c->surface->bitmap.get() : nullptr;
   if (!b)
      return;
   InputField &f = *FieldOf(c);
   FollowVariable(f);
   FollowFocus(c, f);
   int x, y;
   ControlWindowPos(c, &x, &y);
   const int x2 = x + ControlWidth(c), y2 = y + ControlHeight(c);
   rectfill(b, x, y, x2, y2, InterfaceColour[COLOUR_FACE]);
   FONT *font = c->font;
   const int th = text_height(font);
   DrawLabelLines(b, c, x, y + (ControlHeight(c) + 1 - LabelLinesHeight(c)) / 2, InterfaceColour[COLOUR_TEXT]);

   const int bx = x + LabelWidth(c);
   rectfill(b, bx, y, x2, y2, InterfaceColour[COLOUR_LIGHT]);
   DrawBevel(b, bx, y, x2, y2, false);
   const int inner_x = bx + kInnerPad, inner_w = x2 - kInnerPad - inner_x;
   // An ended edit shows the text from its start.
   if (f.at_rest)
      f.scroll = 0;
   else
      ScrollToCursor(f, font, inner_w);
   const int ty = y + (ControlHeight(c) + 1 - th) / 2;
   set_clip_rect(b, bx + 1, y + 1, x2 - 1, y2 - 1);
   DrawText(b, c, f, inner_x, ty);
   if (HasFocus(c)) {
      if (f.blink_on && f.cursor >= f.scroll) {
         const int cx = inner_x + TextSpan(f, font, FieldText(f), f.scroll, f.cursor);
         vline(b, cx, ty - 1, ty + th, InterfaceColour[COLOUR_TEXT]);
      }
      DrawFocusMark(b, bx + 2, y + 2, x2 - 2, y2 - 2);
   }
   set_clip_rect(b, 0, 0, b->w - 1, b->h - 1);
}

void Blink(void *data)
{
   Control *c = static_cast<Control *>(data);
   if (!ControlIsLive(c))
      return;
   InputField &f = *FieldOf(c);
   f.blink_on = !f.blink_on;
   if (HasFocus(c))
      c->cls->redraw(c);
   QueueCall(Blink, c, kBlinkMs, c->id);
}

// --- input -----------------------------------------------------------------

int FieldKey(Control *c, int character, int scancode, int shifts)
{
   // Keys reach a field without the focus only as its label's hot key,
   // which moves the focus here; nothing is typed.
   if (!HasFocus(c)) {
      FocusControl(c->id);
      return 1;
   }
   InputField &f = *FieldOf(c);
   FollowVariable(f);
   if (scancode == KEY_ENTER || scancode == KEY_ENTER_PAD || character == '\r') {
      f.at_rest = true;  // the edit ends here
      f.anchor = f.cursor;
      c->cls->redraw(c);
      // The handler may close the window and with it this field.
      if (f.fn)
         f.fn(f.fn_data);
      return 1;
   }
   if (!EditFieldKey(f, character, scancode, shifts))
      return 0;
   f.mark_fresh = false;
   f.at_rest = false;
   f.blink_on = true;
   c->cls->redraw(c);
   return 1;
}

// The character boundary nearest to `x` (relative to the control). Left of
// the box it is the one before the first shown, so a drag scrolls back.
int CharacterAt(Control *c, const InputField &f, int x)
{
   const char *text = FieldText(f);
   const int length = static_cast<int>(std::strlen(text));
   const int at = x - LabelWidth(c) - kInnerPad;
   if (at < 0)
      return f.scroll > 0 ? StepCharacter(f, text, f.scroll, -1) : 0;
   for (int left_at = f.scroll; left_at < length;) {
      const int i = StepCharacter(f, text, left_at, 1);
      const int right = TextSpan(f, c->font, text, f.scroll, i);
      if (right > at) {
         const int left = TextSpan(f, c->font, text, f.scroll, left_at);
         return at - left < right - at ? left_at : i;
      }
      left_at = i;
   }
   return length;
}

// A press puts the cursor at the nearest character boundary; dragging
// selects from there.
int FieldMouse(Control *c, const PointerEvent &ev, int x, int)
{
   InputField &f = *FieldOf(c);
   FollowVariable(f);
   if (ev.code == POINTER_RELEASE)
      f.press_at = -1;
   if (ev.code == POINTER_DRAG && f.press_at >= 0 && (ev.press_buttons & 1)) {
      const int to = CharacterAt(c, f, x);
      if (to != f.cursor || f.anchor != f.press_at) {
         f.anchor = f.press_at;
         f.cursor = to;
         c->cls->redraw(c);
      }
   }
   if (ev.code != POINTER_PRESS)
      return ev.code == POINTER_DRAG || ev.code == POINTER_RELEASE;
   f.at_rest = false;
   f.press_at = CharacterAt(c, f, x);
   // The press that brought the focus keeps the mark; a later one ends it.
   if (f.mark_fresh) {
      f.mark_fresh = false;
      return 1;
   }
   f.cursor = f.anchor = f.press_at;
   f.blink_on = true;
   c->cls->redraw(c);
   return 1;
}

const InputClass kFieldInput = {FieldMouse, FieldKey};

// --- class -----------------------------------------------------------------

int SetFieldHandler(Control *c, ChangeFn fn, void *data)
{
   InputField &f = *FieldOf(c);
   f.fn = fn;
   f.fn_data = data;
   return 1;
}

int FieldValue(Control *c)
{
   return static_cast<int>(FieldNumber(*FieldOf(c)));
}

const ControlClass *FieldClass()
{
   static ClassSlot slot;
   return ClassOnce(slot, [](ControlClass &k) {
      k.measure = MeasureField;
      k.draw = DrawField;
      k.set_change_handler = SetFieldHandler;
      k.get_value = FieldValue;
   });
}

int ModeOf(int kind)
{
   int mode = 1;
   if (kind & INPUT_FLAG_MODE9)
      mode |= 8;
   if (kind & (INPUT_FLAG_UNDEFINED | INPUT_FLAG_UNDEFINED_ALT))
      mode |= INPUT_MODE_UNDEFINED;
   if (kind & INPUT_FLAG_MODE16)
      mode |= 16;
   return mode;
}

}

int PlaceInputField(int x, int y, int width, const char *label, int kind, int param, void *value)
{
   const int k = kind & 0x0F;
   if (k < 1 || k > 8 || !value)
      return -1;
   Control *c = CreateControl(FieldClass(), x, y, label);
   if (!c)
      return -1;
   InputField *f = MakeRecord<InputField>(c);
   f->kind = k;
   f->mode = ModeOf(kind);
   f->value = value;
   f->param = param;
   f->width = width > 0 ? width : kDefaultWidth;
   f->replace_on_focus = (kind & INPUT_FLAG_REPLACE) != 0;
   f->utf8 = (kind & INPUT_FLAG_UTF8) != 0;
   PrepareField(*f);
   c->event_cls = &kFieldInput;
   MakeFocusable(c);
   QueueCall(Blink, c, kBlinkMs, c->id);
   return c->id;
}

int SetInputFieldText(int id, const char *text)
{
   Control *c = LookupControl(id);
   if (!c || c->cls != FieldClass() || !text)
      return 0;
   InputField &f = *FieldOf(c);
   // Character by character, as typing would: what does not fit is left out.
   AcceptText(f, "");
   f.cursor = f.anchor = 0;
   bool all = true;
   // A UTF-8 text goes in whole characters, so a cut never splits one.
   const std::string_view all_text(text);
   for (std::size_t at = 0, end = 0; at < all_text.size(); at = end) {
      end = f.utf8 ? NextCharacter(all_text, at) : at + 1;
      std::string next = std::string(FieldText(f)) + std::string(all_text.substr(at, end - at));
      if (AcceptText(f, next))
         f.cursor = f.anchor = static_cast<int>(next.size());
      else
         all = false;
   }
   c->cls->redraw(c);
   return all ? 1 : 0;
}
