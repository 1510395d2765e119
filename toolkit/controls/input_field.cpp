// The one-line input field: measuring, drawing, keys and the blinking cursor.
#include "toolkit/controls/input_field.h"

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

// The cursor position one character after (`step` 1) or before (-1) `at`.
int Step(const InputField &field, const char *text, int at, int step)
{
   const int length = static_cast<int>(std::strlen(text));
   if (!field.utf8)
      return std::clamp(at + step, 0, length);
   const auto from = static_cast<std::size_t>(at);
   return static_cast<int>(step > 0 ? NextCharacter(text, from) : PreviousCharacter(text, from));
}

// Whether `character` (a code point) can be typed into the field.
bool Typeable(const InputField &field, int character)
{
   const int limit = field.utf8 ? 0x110000 : 256;
   return character >= 32 && character < limit && character != 127 && (character < 0xD800 || character > 0xDFFF);
}

// Keeps the cursor inside the box by moving the first shown character.
void ScrollToCursor(InputField &f, FONT *font, int inner_w)
{
   const char *text = FieldText(f);
   f.scroll = std::clamp(f.scroll, 0, f.cursor);
   while (f.scroll < f.cursor && TextSpan(f, font, text, f.scroll, f.cursor) > inner_w - 1)
      f.scroll = Step(f, text, f.scroll, 1);
}

void DrawField(Control *c)
{
   BITMAP *b = c->surface ? c->surface->bitmap.get() : nullptr;
   if (!b)
      return;
   InputField &f = *FieldOf(c);
   FollowVariable(f);
   // Every focus change redraws both fields, so the focus arriving is seen here.
   if (f.replace_on_focus && HasFocus(c) != f.had_focus) {
      f.marked = f.mark_fresh = HasFocus(c) && *FieldText(f);
      if (f.marked)
         f.cursor = static_cast<int>(std::strlen(FieldText(f)));
   }
   f.had_focus = HasFocus(c);
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
   ScrollToCursor(f, font, inner_w);
   const int ty = y + (ControlHeight(c) + 1 - th) / 2;
   const char *text = FieldText(f);
   set_clip_rect(b, bx + 1, y + 1, x2 - 1, y2 - 1);
   if (f.marked) {
      const int end = inner_x + TextSpan(f, font, text, f.scroll, static_cast<int>(std::strlen(text)));
      rectfill(b, inner_x, ty - 1, end - 1, ty + th - 1, SelectionBackground());
   }
   const int ink = f.marked ? SelectionText() : InterfaceColour[COLOUR_TEXT];
   if (f.utf8)
      DrawDisplayText(b, font, text + f.scroll, inner_x, ty, ink, -1);
   else
      textout_ex(b, font, text + f.scroll, inner_x, ty, ink, -1);
   if (HasFocus(c)) {
      if (f.blink_on) {
         const int cx = inner_x + TextSpan(f, font, text, f.scroll, f.cursor);
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

// --- editing ---------------------------------------------------------------

// Applies an edited text; beeps when the kind refuses it.
bool Apply(Control *c, const std::string &candidate, int cursor)
{
   InputField &f = *FieldOf(c);
   if (!AcceptText(f, candidate)) {
      ToolkitBeep(1000, 1);
      return false;
   }
   f.cursor = cursor;
   return true;
}

bool InsertCharacter(Control *c, int character)
{
   InputField &f = *FieldOf(c);
   std::string text = FieldText(f);
   // A number shown as "?" is replaced by what is typed.
   if (!IsTextKind(f) && text == "?") {
      text.clear();
      f.cursor = 0;
   }
   std::string typed;
   if (f.utf8)
      AppendUtf8(static_cast<char32_t>(character), &typed);
   else
      typed.push_back(static_cast<char>(character));
   text.insert(static_cast<std::size_t>(f.cursor), typed);
   return Apply(c, text, f.cursor + static_cast<int>(typed.size()));
}

bool EditKey(Control *c, int scancode)
{
   InputField &f = *FieldOf(c);
   std::string text = FieldText(f);
   const int length = static_cast<int>(text.size());
   switch (scancode) {
   case KEY_LEFT: f.cursor = Step(f, text.c_str(), f.cursor, -1); return true;
   case KEY_RIGHT: f.cursor = Step(f, text.c_str(), f.cursor, 1); return true;
   case KEY_HOME: f.cursor = 0; return true;
   case KEY_END: f.cursor = length; return true;
   case KEY_BACKSPACE: {
      if (f.cursor == 0)
         return true;
      const int from = Step(f, text.c_str(), f.cursor, -1);
      text.erase(static_cast<std::size_t>(from), static_cast<std::size_t>(f.cursor - from));
      Apply(c, text, from);
      return true;
   }
   case KEY_DEL:
      if (f.cursor < length) {
         const int to = Step(f, text.c_str(), f.cursor, 1);
         text.erase(static_cast<std::size_t>(f.cursor), static_cast<std::size_t>(to - f.cursor));
         Apply(c, text, f.cursor);
      }
      return true;
   default: return false;
   }
}

int FieldKey(Control *c, int character, int scancode, int)
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
      // The handler may close the window and with it this field.
      if (f.fn)
         f.fn(f.fn_data);
      return 1;
   }
   f.mark_fresh = false;
   if (f.marked) {
      // Typing, Backspace and Delete replace the marked text.
      const bool typed = Typeable(f, character) && scancode != KEY_DEL;
      if (typed || scancode == KEY_BACKSPACE || scancode == KEY_DEL) {
         f.marked = false;
         Apply(c, "", 0);
         if (!typed) {
            c->cls->redraw(c);
            return 1;
         }
      }
   }
   bool used = EditKey(c, scancode);
   if (!used && Typeable(f, character)) {
      InsertCharacter(c, character);
      used = true;
   }
   if (!used)
      return 0;
   f.marked = false;
   f.blink_on = true;
   c->cls->redraw(c);
   return 1;
}

// A press puts the cursor at the nearest character boundary.
int FieldMouse(Control *c, const PointerEvent &ev, int x, int)
{
   if (ev.code != POINTER_PRESS)
      return ev.code == POINTER_DRAG || ev.code == POINTER_RELEASE;
   InputField &f = *FieldOf(c);
   FollowVariable(f);
   // The press that brought the focus keeps the mark; a later one ends it.
   if (f.mark_fresh) {
      f.mark_fresh = false;
      return 1;
   }
   f.marked = false;
   const char *text = FieldText(f);
   const int length = static_cast<int>(std::strlen(text));
   const int at = x - LabelWidth(c) - kInnerPad;
   int best = f.scroll;
   for (int i = f.scroll, previous = f.scroll; i <= length;
        previous = i, i = i < length ? Step(f, text, i, 1) : i + 1) {
      if (TextSpan(f, c->font, text, f.scroll, i) > at) {
         const int before = TextSpan(f, c->font, text, f.scroll, previous);
         best = (at - before < TextSpan(f, c->font, text, f.scroll, i) - at) ? previous : i;
         break;
      }
      best = i;
   }
   f.cursor = best;
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
   f.cursor = 0;
   bool all = true;
   // A UTF-8 text goes in whole characters, so a cut never splits one.
   const std::string_view all_text(text);
   for (std::size_t at = 0, end = 0; at < all_text.size(); at = end) {
      end = f.utf8 ? NextCharacter(all_text, at) : at + 1;
      std::string next = std::string(FieldText(f)) + std::string(all_text.substr(at, end - at));
      if (AcceptText(f, next))
         f.cursor = static_cast<int>(next.size());
      else
         all = false;
   }
   c->cls->redraw(c);
   return all ? 1 : 0;
}
