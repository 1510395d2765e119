// The text field: measuring, drawing, scrolling and the file-name variant.
// A file that cannot be read is reported to the caller, which decides what
// the user is told.
#include "toolkit/controls/text_field.h"

#include "controls/list_view_parts.h"
#include "controls/scroll_strip.h"
#include "controls/text_wrap.h"
#include "core/alloc.h"
#include "core/control.h"
#include "core/pointer_event.h"
#include "draw/draw.h"
#include "toolkit/colours.h"
#include "windows/control_class.h"
#include "windows/focus.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kPad = 2;
constexpr int kDefaultTab = 8;

struct TextField {
   const char *text;      // the caller's text, or `contents`
   std::string contents;  // a file's text
   int width;
   int lines;  // 0: as high as the text
   int flags;
   int first = 0;           // first line shown
   bool scrolling = false;  // the press was on the strip
};

TextField *FieldOf(Control *c)
{
   return RecordOf<TextField>(c);
}

bool Scrolls(const TextField &t)
{
   return t.lines > 0;
}

int TabWidth(const TextField &t)
{
   const int tab = t.flags & 0xFFFF;
   return tab ? tab : kDefaultTab;
}

int TextWidth(const TextField &t)
{
   return std::max(1, t.width - 2 * kPad - (Scrolls(t) ? SCROLL_STRIP_WIDTH : 0));
}

std::vector<std::string> Lines(Control *c)
{
   const TextField &t = *FieldOf(c);
   return WrapText(c->font, t.text, TextWidth(t), TabWidth(t), !(t.flags & TEXT_FIELD_BREAK_ANYWHERE));
}

int LineHeight(const Control *c)
{
   return text_height(c->font);
}

// Rows that fit the field as laid out.
int VisibleRows(Control *c)
{
   return std::max(1, (ControlHeight(c) + 1 - 2 * kPad) / LineHeight(c));
}

// --- measuring -------------------------------------------------------------

void MeasureTextField(Control *c)
{
   const TextField &t = *FieldOf(c);
   const int rows = Scrolls(t) ? t.lines : static_cast<int>(Lines(c).size());
   c->x2 = c->x1 + t.width - 1 + c->dw;
   c->y2 = c->y1 + rows * LineHeight(c) + 2 * kPad - 1 + c->dh;
}

// --- drawing ---------------------------------------------------------------

void DrawTextField(Control *c)
{
   BITMAP *b = c->surface ? c->surface->bitmap.get() : nullptr;
   if (!b)
      return;
   TextField &t = *FieldOf(c);
   int x, y;
   ControlWindowPos(c, &x, &y);
   const int x2 = x + ControlWidth(c), y2 = y + ControlHeight(c);
   rectfill(b, x, y, x2, y2, InterfaceColour[(t.flags & TEXT_FIELD_LIGHT) ? COLOUR_LIGHT : COLOUR_FACE]);
   const std::vector<std::string> lines = Lines(c);
   const int total = static_cast<int>(lines.size()), rows = VisibleRows(c);
   int text_right = x2 - kPad;
   if (Scrolls(t)) {
      DrawBevel(b, x, y, x2, y2, false);
      text_right = x2 - SCROLL_STRIP_WIDTH;
      t.first = ClampScroll(t.first, total, rows);
      DrawScrollStrip(b, text_right + 1, y + 1, x2 - 1, y2 - 1, t.first, rows, total);
   } else {
      t.first = 0;
   }
   set_clip_rect(b, x + 1, y + 1, text_right - 1, y2 - 1);
   for (int r = 0; r < rows && t.first + r < total; ++r)
      textout_ex(b, c->font, lines[static_cast<std::size_t>(t.first + r)].c_str(), x + kPad,
                 y + kPad + r * LineHeight(c), InterfaceColour[COLOUR_TEXT], -1);
   set_clip_rect(b, 0, 0, b->w - 1, b->h - 1);
   if (HasFocus(c))
      DrawFocusMark(b, x + 1, y + 1, text_right - 1, y2 - 1);
}

// --- input -----------------------------------------------------------------

void ScrollTo(Control *c, int first)
{
   TextField &t = *FieldOf(c);
   const int clamped = ClampScroll(first, static_cast<int>(Lines(c).size()), VisibleRows(c));
   if (clamped == t.first)
      return;
   t.first = clamped;
   c->cls->redraw(c);
}

int TextFieldMouse(Control *c, const PointerEvent &ev, int x, int y)
{
   TextField &t = *FieldOf(c);
   if (!Scrolls(t))
      return 0;
   if (ev.code == POINTER_WHEEL) {
      ScrollTo(c, t.first - WHEEL_ROWS * ev.wheel);
      return 1;
   }
   if (ev.code == POINTER_PRESS)
      t.scrolling = (ev.buttons & 1) && x >= ControlWidth(c) - SCROLL_STRIP_WIDTH;
   if (t.scrolling && (ev.code == POINTER_PRESS || ev.code == POINTER_DRAG))
      ScrollTo(c, ScrollAtPoint(y - 1, ControlHeight(c) - 1, VisibleRows(c), static_cast<int>(Lines(c).size())));
   if (ev.code == POINTER_RELEASE)
      t.scrolling = false;
   return 1;
}

int TextFieldKey(Control *c, int, int scancode, int)
{
   const TextField &t = *FieldOf(c);
   const int rows = VisibleRows(c);
   switch (scancode) {
   case KEY_UP: ScrollTo(c, t.first - 1); return 1;
   case KEY_DOWN: ScrollTo(c, t.first + 1); return 1;
   case KEY_PGUP: ScrollTo(c, t.first - rows); return 1;
   case KEY_PGDN: ScrollTo(c, t.first + rows); return 1;
   case KEY_HOME: ScrollTo(c, 0); return 1;
   case KEY_END: ScrollTo(c, static_cast<int>(Lines(c).size())); return 1;
   default: return 0;
   }
}

const InputClass kTextFieldInput = {TextFieldMouse, TextFieldKey};

// --- class -----------------------------------------------------------------

const ControlClass *TextFieldClass()
{
   static ClassSlot slot;
   return ClassOnce(slot, [](ControlClass &k) {
      k.measure = MeasureTextField;
      k.draw = DrawTextField;
   });
}

// --- the file-name variant -------------------------------------------------

struct FileCloser {
   void operator()(std::FILE *f) const { std::fclose(f); }
};

bool ReadTextFile(const char *name, std::string &out)
{
   std::unique_ptr<std::FILE, FileCloser> f(name ? std::fopen(name, "rt") : nullptr);
   if (!f)
      return false;
   char buf[4096];
   std::size_t n;
   while ((n = std::fread(buf, 1, sizeof buf, f.get())) > 0)
      out.append(buf, n);
   return true;
}

}

int PlaceTextFieldChecked(int x, int y, char *text, int width, int lines, int flags, int *file_error)
{
   if (file_error)
      *file_error = 0;
   Control *c = CreateControl(TextFieldClass(), x, y, "");
   if (!c)
      return -1;
   TextField *t = MakeRecord<TextField>(c);
   t->width = std::max(width, 2 * kPad + (lines > 0 ? SCROLL_STRIP_WIDTH : 0) + 1);
   t->lines = std::max(lines, 0);
   t->flags = flags;
   t->text = text ? text : "";
   if (flags & TEXT_FIELD_FILE) {
      if (!ReadTextFile(text, t->contents) && file_error)
         *file_error = 1;
      t->text = t->contents.c_str();
   }
   if (flags & TEXT_FIELD_SECOND_FONT)
      c->font = ToolkitBoldFont();
   c->event_cls = &kTextFieldInput;
   if (t->lines > 0)
      MakeFocusable(c);
   return c->id;
}

int TextFieldFirstLine(int id)
{
   Control *c = LookupControl(id);
   if (!c || c->cls != TextFieldClass())
      return 0;
   return FieldOf(c)->first;
}
