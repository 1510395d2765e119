// The headings above the file selector's list: one per shown column, the
// sorting column marked; a click on a heading sorts by that column, a
// second click reverses the order.
#include "controls/list_view_parts.h"
#include "core/control.h"
#include "core/pointer_event.h"
#include "draw/draw.h"
#include "file_selector/file_listing.h"
#include "file_selector/file_selector_state.h"
#include "toolkit/colours.h"
#include "toolkit/placement.h"
#include "windows/control_class.h"

#include <algorithm>

namespace {

// Heading texts by sorting column (0 is the type, shown by no column).
constexpr int kHeading[] = {FB_COLUMN_NAMES + 7, FB_COLUMN_NAMES, FB_COLUMN_NAMES + 1, FB_COLUMN_NAMES + 2,
                            FB_COLUMN_NAMES + 3};

// The headings' record: the selector is the file selector's own.
struct HeadingsRecord {
   Selector *selector;
};

Selector &Of(const Control *c)
{
   return *RecordOf<HeadingsRecord>(c)->selector;
}

// Left edge of shown column `i` within the strip, and its right edge.
void ColumnSpan(const Selector &s, const Control *c, std::size_t i, int *left, int *right)
{
   int x = LIST_FRAME;
   for (std::size_t k = 0; k < i; ++k)
      x += s.widths[k];
   *left = x;
   const bool last = i + 1 == s.columns.size();
   *right = last ? ControlWidth(c) - LIST_FRAME - LIST_SCROLL_WIDTH : x + s.widths[i] - 1;
}

// As wide as the list below, which is measured after the headings.
void MeasureHeadings(Control *c)
{
   int width = 0;
   if (Control *list = LookupControl(Of(c).list)) {
      list->cls->measure(list);
      width = ControlWidth(list);
   }
   c->x2 = c->x1 + width + c->dw;
   c->y2 = c->y1 + text_height(c->font) + 4 + c->dh;
}

void DrawHeadings(Control *c)
{
   WindowRecord *w = c->surface;
   if (!w || !w->bitmap)
      return;
   const Selector &s = Of(c);
   BITMAP *b = w->bitmap.get();
   int x, y;
   ControlWindowPos(c, &x, &y);
   const int bottom = y + ControlHeight(c);
   rectfill(b, x, y, x + ControlWidth(c), bottom, InterfaceColour[COLOUR_FACE]);
   int cx1, cy1, cx2, cy2;
   get_clip_rect(b, &cx1, &cy1, &cx2, &cy2);
   for (std::size_t i = 0; i < s.columns.size(); ++i) {
      int left, right;
      ColumnSpan(s, c, i, &left, &right);
      if (right < left)
         continue;
      DrawBevel(b, x + left, y, x + right, bottom, true);
      set_clip_rect(b, std::max(cx1, x + left + 1), cy1, std::min(cx2, x + right - 1), cy2);
      const int column = s.columns[i];
      textout_ex(b, c->font, s.texts[static_cast<std::size_t>(kHeading[column])].c_str(), x + left + 3, y + 2,
                 InterfaceColour[COLOUR_TEXT], -1);
      if (column == s.settings.sorting_column) {
         // A small triangle: pointing up for ascending, down for descending.
         const int mx = x + right - 7, my = y + ControlHeight(c) / 2;
         const int d = s.settings.sorting_descending ? 2 : -2;
         triangle(b, mx - 3, my - d, mx + 3, my - d, mx, my + d, InterfaceColour[COLOUR_SHADOW]);
      }
      set_clip_rect(b, cx1, cy1, cx2, cy2);
   }
}

int HeadingsMouse(Control *c, const PointerEvent &ev, int x, int)
{
   if (ev.code != POINTER_RELEASE || ev.dragging || !(ev.press_buttons & 1))
      return ev.code == POINTER_PRESS || ev.code == POINTER_RELEASE;
   Selector &s = Of(c);
   for (std::size_t i = 0; i < s.columns.size(); ++i) {
      int left, right;
      ColumnSpan(s, c, i, &left, &right);
      if (x < left || x > right)
         continue;
      if (s.settings.sorting_column == s.columns[i])
         s.settings.sorting_descending = !s.settings.sorting_descending;
      else
         s.settings.sorting_column = s.columns[i];
      s.settings.sorting_descending = s.settings.sorting_descending ? 1 : 0;
      c->cls->redraw(c);
      EnterFolder(s, s.folder);
      break;
   }
   return 1;
}

const InputClass kHeadingsInput = {HeadingsMouse, nullptr};

}

int PlaceHeadings(Selector &s)
{
   static ClassSlot slot;
   const ControlClass *cls = ClassOnce(slot, [](ControlClass &k) {
      k.measure = MeasureHeadings;
      k.draw = DrawHeadings;
   });
   Control *c = CreateControl(cls, PLACE_NEW_ROW, AUTO, nullptr);
   if (!c)
      return -1;
   MakeRecord<HeadingsRecord>(c, &s);
   c->event_cls = &kHeadingsInput;
   return c->id;
}
