// The drop-down choice list's field: measuring, drawing and input. The list
// it opens lives in drop_list.cpp.
#include "toolkit/controls/choice_list.h"

#include "controls/choice_list_parts.h"
#include "core/alloc.h"
#include "core/control.h"
#include "core/pointer_event.h"
#include "draw/draw.h"
#include "toolkit/colours.h"
#include "toolkit/fonts.h"
#include "toolkit/keyboard_focus.h"
#include "windows/control_class.h"
#include "windows/focus.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kLabelGap = 4;
constexpr int kTextPad = 4;

int LabelWidth(const Control *c)
{
   const int w = LabelLinesWidth(c);
   return w > 0 ? w + kLabelGap : 0;
}

int ArrowWidth()
{
   return StandardControlHeight() - 2;
}

int FieldWidth(Control *c)
{
   const ChoiceList &list = *ChoiceOf(c);
   if (list.width > 0)
      return list.width;
   int widest = 0;
   for (const std::string &item : list.items)
      widest = std::max(widest, text_length(c->font, item.c_str()));
   return widest + 2 * kTextPad + ArrowWidth();
}

// --- measuring -------------------------------------------------------------

void MeasureChoice(Control *c)
{
   const int h = std::max(StandardControlHeight(), LabelLinesHeight(c));
   c->x2 = c->x1 + LabelWidth(c) + FieldWidth(c) - 1 + c->dw;
   c->y2 = c->y1 + h - 1 + c->dh;
}

// --- drawing ---------------------------------------------------------------

void DrawArrow(BITMAP *b, int x1, int y1, int x2, int y2)
{
   rectfill(b, x1, y1, x2, y2, InterfaceColour[COLOUR_FACE]);
   DrawBevel(b, x1, y1, x2, y2, true);
   const int cx = (x1 + x2) / 2, cy = (y1 + y2) / 2;
   triangle(b, cx - 3, cy - 1, cx + 3, cy - 1, cx, cy + 2, InterfaceColour[COLOUR_TEXT]);
}

void DrawChoice(Control *c)
{
   BITMAP *b = c->surface ? c->surface->bitmap.get() : nullptr;
   if (!b)
      return;
   const ChoiceList &list = *ChoiceOf(c);
   int x, y;
   ControlWindowPos(c, &x, &y);
   const int x2 = x + ControlWidth(c), y2 = y + ControlHeight(c);
   rectfill(b, x, y, x2, y2, InterfaceColour[COLOUR_FACE]);
   DrawLabelLines(b, c, x, y + (ControlHeight(c) + 1 - LabelLinesHeight(c)) / 2, InterfaceColour[COLOUR_TEXT]);

   const int bx = x + LabelWidth(c);
   const int ax = x2 - 1 - ArrowWidth();
   rectfill(b, bx, y, x2, y2, InterfaceColour[COLOUR_LIGHT]);
   DrawBevel(b, bx, y, x2, y2, false);
   DrawArrow(b, ax + 1, y + 1, x2 - 1, y2 - 1);
   const int shown = ShownChoice(list);
   if (shown >= 0) {
      set_clip_rect(b, bx + 1, y + 1, ax - 1, y2 - 1);
      textout_ex(b, c->font, list.items[static_cast<std::size_t>(shown)].c_str(), bx + kTextPad,
                 y + (ControlHeight(c) + 1 - text_height(c->font)) / 2, InterfaceColour[COLOUR_TEXT], -1);
      set_clip_rect(b, 0, 0, b->w - 1, b->h - 1);
   }
   if (HasFocus(c))
      DrawFocusMark(b, bx + 2, y + 2, ax - 1, y2 - 2);
}

// --- input -----------------------------------------------------------------

int ChoiceMouse(Control *c, const PointerEvent &ev, int, int)
{
   if (ev.code == POINTER_WHEEL) {
      // Up goes to the previous item, as the Up key does.
      const ChoiceList &list = *ChoiceOf(c);
      const int last = static_cast<int>(list.items.size()) - 1;
      const int to = std::clamp(ShownChoice(list) - ev.wheel, 0, std::max(last, 0));
      if (last >= 0 && to != ShownChoice(list))
         Choose(c, to);
      return 1;
   }
   if (ev.code == POINTER_PRESS && (ev.buttons & 1) && !ChoiceOf(c)->items.empty())
      OpenDropList(c);
   return 1;
}

int ChoiceKey(Control *c, int character, int scancode, int)
{
   const ChoiceList &list = *ChoiceOf(c);
   const int count = static_cast<int>(list.items.size());
   if (count == 0)
      return 0;
   // Without the focus, a key is the label's hot key: it focuses the list and opens it.
   if (!HasFocus(c) || IsActivateKey(character, scancode)) {
      FocusControl(c->id);
      OpenDropList(c);
      return 1;
   }
   const int shown = ShownChoice(list);
   if (scancode == KEY_UP) {
      if (shown > 0)
         Choose(c, shown - 1);
      return 1;
   }
   if (scancode == KEY_DOWN) {
      if (shown < count - 1)
         Choose(c, shown + 1);
      return 1;
   }
   return 0;
}

const InputClass kChoiceInput = {ChoiceMouse, ChoiceKey};

// --- class -----------------------------------------------------------------

int SetChoiceHandler(Control *c, ChangeFn fn, void *data)
{
   ChoiceList &list = *ChoiceOf(c);
   list.fn = fn;
   list.fn_data = data;
   return 1;
}

int ChoiceValue(Control *c)
{
   return ShownChoice(*ChoiceOf(c));
}

const ControlClass *ChoiceClass()
{
   static ClassSlot slot;
   return ClassOnce(slot, [](ControlClass &k) {
      k.measure = MeasureChoice;
      k.draw = DrawChoice;
      k.set_change_handler = SetChoiceHandler;
      k.get_value = ChoiceValue;
   });
}

}

ChoiceList *ChoiceOf(Control *c)
{
   return RecordOf<ChoiceList>(c);
}

int ShownChoice(const ChoiceList &list)
{
   const int count = static_cast<int>(list.items.size());
   if (!list.sel || count == 0 || *list.sel < 0)
      return -1;
   return std::min(*list.sel, count - 1);
}

void Choose(Control *field, int index)
{
   ChoiceList &list = *ChoiceOf(field);
   if (list.sel)
      *list.sel = index;
   field->cls->redraw(field);
   // The handler may close the window and with it this field.
   if (list.fn)
      list.fn(list.fn_data);
}

int ChoiceRowHeight(const Control *field)
{
   return text_height(field->font) + 3;
}

int PlaceChoiceList(int x, int y, int width, const char *label, int *sel, char **items, int count)
{
   Control *c = CreateControl(ChoiceClass(), x, y, label);
   if (!c)
      return -1;
   ChoiceList *list = MakeRecord<ChoiceList>(c);
   list->sel = sel;
   list->width = std::max(width, 0);
   for (int i = 0; items && i < count; ++i) {
      const char *text = items[i] ? items[i] : "";
      list->items.emplace_back(text, strnlen(text, CHOICE_ITEM_LIMIT));
   }
   c->event_cls = &kChoiceInput;
   MakeFocusable(c);
   return c->id;
}
