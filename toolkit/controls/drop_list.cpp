// The list a choice list opens. It lives in a window of its own that covers
// the screen and shows the windows below as they were (the backdrop), so a
// click beside the list reaches the backdrop and closes it; the window is
// modal, so nothing below takes input while the list is open.
#include "controls/choice_list_parts.h"
#include "controls/scroll_strip.h"
#include "core/alloc.h"
#include "core/control.h"
#include "core/pointer_event.h"
#include "draw/draw.h"
#include "draw/selection_colours.h"
#include "toolkit/colours.h"
#include "toolkit/controls/choice_list.h"
#include "toolkit/keyboard_focus.h"
#include "toolkit/placement.h"
#include "toolkit/windows.h"
#include "windows/control_class.h"
#include "windows/focus.h"
#include "windows/window_parts.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int kTextPad = 4;

struct DropList {
   int field_id;  // the choice list that opened it
   int width;     // pixels, as the field
   int rows;      // visible rows
   int row_h;
   int first = 0;           // first visible item
   int hot = 0;             // highlighted item
   bool scrolling = false;  // the press was on the scroll strip
};

// The drop lists' state: which one is open.
struct DropState {
   int open_list = -1;  // id of the open list's control, -1 for none
};

DropState &Drops()
{
   static DropState state;
   return state;
}

// Closes the window that holds `c` (the backdrop or the list) when it is on
// top, as it is unless a window was opened over it meanwhile.
void CloseListWindow(Control *c)
{
   Drops().open_list = -1;
   if (WindowOf(c) == TopWindow())
      CloseWindow();
}

DropList *DropOf(Control *c)
{
   return RecordOf<DropList>(c);
}

ChoiceList *OwnerList(const DropList &d)
{
   Control *field = LookupControl(d.field_id);
   return field ? ChoiceOf(field) : nullptr;
}

int ItemCount(const DropList &d)
{
   const ChoiceList *list = OwnerList(d);
   return list ? static_cast<int>(list->items.size()) : 0;
}

bool HasStrip(const DropList &d)
{
   return ItemCount(d) > d.rows;
}

// --- backdrop ----------------------------------------------------------------

void MeasureBackdrop(Control *c)
{
   c->x2 = c->x1 + SCREEN_W;
   c->y2 = c->y1 + SCREEN_H;
}

// The picture of every other window, as the screen showed it.
void DrawBackdrop(Control *c)
{
   WindowRecord *own = c->surface;
   BITMAP *b = own ? own->bitmap.get() : nullptr;
   if (!b)
      return;
   clear_to_color(b, InterfaceColour[COLOUR_SHADOW]);
   for (WindowRecord *w : WindowsBottomToTop()) {
      if (w == own || !w->shown || !w->bitmap)
         continue;
      const Control *root = w->root->self;
      blit(w->bitmap.get(), b, 0, 0, root->x1, root->y1, w->bitmap->w, w->bitmap->h);
   }
}

int BackdropMouse(Control *c, const PointerEvent &ev, int, int)
{
   if (ev.code == POINTER_PRESS)
      CloseListWindow(c);
   return 1;
}

const InputClass kBackdropInput = {BackdropMouse, nullptr};

const ControlClass *BackdropClass()
{
   static ClassSlot slot;
   return ClassOnce(slot, [](ControlClass &k) {
      k.measure = MeasureBackdrop;
      k.draw = DrawBackdrop;
   });
}

// --- the list ----------------------------------------------------------------

void MeasureDrop(Control *c)
{
   const DropList &d = *DropOf(c);
   c->x2 = c->x1 + d.width - 1;
   c->y2 = c->y1 + d.rows * d.row_h + 1;
}

void DrawDrop(Control *c)
{
   BITMAP *b = c->surface ? c->surface->bitmap.get() : nullptr;
   const ChoiceList *list = OwnerList(*DropOf(c));
   if (!b || !list)
      return;
   const DropList &d = *DropOf(c);
   int x, y;
   ControlWindowPos(c, &x, &y);
   const int x2 = x + ControlWidth(c), y2 = y + ControlHeight(c);
   rectfill(b, x, y, x2, y2, InterfaceColour[COLOUR_LIGHT]);
   rect(b, x, y, x2, y2, InterfaceColour[COLOUR_TEXT]);
   const int count = static_cast<int>(list->items.size());
   const int text_right = HasStrip(d) ? x2 - SCROLL_STRIP_WIDTH : x2 - 1;
   for (int r = 0; r < d.rows && d.first + r < count; ++r) {
      const int item = d.first + r;
      const int ry = y + 1 + r * d.row_h;
      const bool hot = item == d.hot;
      if (hot)
         rectfill(b, x + 1, ry, text_right, ry + d.row_h - 1, SelectionBackground());
      set_clip_rect(b, x + 1, ry, text_right, ry + d.row_h - 1);
      textout_ex(b, c->font, list->items[static_cast<std::size_t>(item)].c_str(), x + kTextPad, ry + 1,
                 hot ? SelectionText() : InterfaceColour[COLOUR_TEXT], -1);
      set_clip_rect(b, 0, 0, b->w - 1, b->h - 1);
   }
   if (HasStrip(d))
      DrawScrollStrip(b, text_right + 1, y + 1, x2 - 1, y2 - 1, d.first, d.rows, count);
}

void Show(Control *c, int hot)
{
   DropList &d = *DropOf(c);
   const int count = ItemCount(d);
   d.hot = std::clamp(hot, 0, std::max(count - 1, 0));
   if (d.hot < d.first)
      d.first = d.hot;
   if (d.hot >= d.first + d.rows)
      d.first = d.hot - d.rows + 1;
   d.first = ClampScroll(d.first, count, d.rows);
   c->cls->redraw(c);
}

// Closes the list, then hands the choice to the field below.
void ChooseAndClose(Control *c, int item)
{
   const int field_id = DropOf(c)->field_id;
   CloseListWindow(c);
   if (Control *field = LookupControl(field_id))
      Choose(field, item);
}

int RowAt(const DropList &d, int y)
{
   const int r = (y - 1) / d.row_h;
   if (y < 1 || r >= d.rows)
      return -1;
   const int item = d.first + r;
   return item < ItemCount(d) ? item : -1;
}

int DropMouse(Control *c, const PointerEvent &ev, int x, int y)
{
   DropList &d = *DropOf(c);
   if (ev.code == POINTER_WHEEL) {
      d.first = ClampScroll(d.first - WHEEL_ROWS * ev.wheel, ItemCount(d), d.rows);
      c->cls->redraw(c);
      return 1;
   }
   const bool on_strip = HasStrip(d) && x >= ControlWidth(c) - SCROLL_STRIP_WIDTH;
   if (ev.code == POINTER_PRESS)
      d.scrolling = on_strip;
   if (d.scrolling && (ev.code == POINTER_PRESS || ev.code == POINTER_DRAG)) {
      d.first = ScrollAtPoint(y, ControlHeight(c), d.rows, ItemCount(d));
      c->cls->redraw(c);
      return 1;
   }
   const int item = RowAt(d, y);
   if (ev.code == POINTER_RELEASE) {
      const bool was_scrolling = std::exchange(d.scrolling, false);
      if (!was_scrolling && item >= 0 && x >= 0 && x <= ControlWidth(c))
         ChooseAndClose(c, item);
      return 1;
   }
   if (!on_strip && item >= 0 && item != d.hot)
      Show(c, item);
   return 1;
}

int DropKey(Control *c, int character, int scancode, int)
{
   DropList &d = *DropOf(c);
   if (IsActivateKey(character, scancode)) {
      if (ItemCount(d) > 0)
         ChooseAndClose(c, d.hot);
      return 1;
   }
   switch (scancode) {
   case KEY_ESC: CloseListWindow(c); return 1;
   case KEY_UP: Show(c, d.hot - 1); return 1;
   case KEY_DOWN: Show(c, d.hot + 1); return 1;
   case KEY_PGUP: Show(c, d.hot - d.rows); return 1;
   case KEY_PGDN: Show(c, d.hot + d.rows); return 1;
   case KEY_HOME: Show(c, 0); return 1;
   case KEY_END: Show(c, ItemCount(d) - 1); return 1;
   default: return 1;  // the open list keeps every key
   }
}

const InputClass kDropInput = {DropMouse, DropKey};

const ControlClass *DropClass()
{
   static ClassSlot slot;
   return ClassOnce(slot, [](ControlClass &k) {
      k.measure = MeasureDrop;
      k.draw = DrawDrop;
   });
}

}

void OpenDropList(Control *field)
{
   ChoiceList &list = *ChoiceOf(field);
   const int count = static_cast<int>(list.items.size());
   if (count == 0 || !field->surface || WindowUnderConstruction())
      return;
   int fx, fy;
   ControlScreenPos(field, &fx, &fy);
   const int label_w = LabelLinesWidth(field) > 0 ? LabelLinesWidth(field) + 4 : 0;
   const int x1 = fx + label_w, x2 = fx + ControlWidth(field);
   const int row_h = ChoiceRowHeight(field);
   const int rows = std::max(1, std::min({count, CHOICE_VISIBLE_ROWS, (SCREEN_H - 2) / row_h}));
   const int h = rows * row_h + 2;
   int y = fy + ControlHeight(field) + 1;
   if (y + h > SCREEN_H)
      y = std::max(0, fy - h);

   if (MakeWindow(1, AUTO, "", WINDOW_NO_DRAG) <= 0)
      return;
   Control *backdrop = CreateControl(BackdropClass(), 0, 0, "");
   Control *drop = CreateControl(DropClass(), 0, 0, "");
   if (!backdrop || !drop) {
      PresentWindow();
      CloseWindow();
      return;
   }
   backdrop->x1 = backdrop->y1 = -WINDOW_BORDER;  // past the frame, over the whole screen
   backdrop->event_cls = &kBackdropInput;
   drop->x1 = x1 - WINDOW_BORDER;
   drop->y1 = y - WINDOW_BORDER;
   drop->font = field->font;
   const int shown = std::max(ShownChoice(list), 0);
   MakeRecord<DropList>(drop, field->id, x2 - x1 + 1, rows, row_h, ClampScroll(shown - rows / 2, count, rows), shown);
   drop->event_cls = &kDropInput;
   MakeFocusable(drop);
   FocusControl(drop->id);
   Drops().open_list = drop->id;
   PresentWindow();
}

int OpenChoiceDropList(void)
{
   return LookupControl(Drops().open_list) ? Drops().open_list : -1;
}
