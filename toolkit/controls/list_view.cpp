// The list view control: creation, geometry, scrolling and selection. Its
// own input (keys, the resizable corner), the rows, the scroll bar and
// dragging live beside it.
#include "toolkit/controls/list_view.h"

#include "controls/list_view_parts.h"
#include "core/alloc.h"
#include "core/control.h"
#include "draw/draw.h"
#include "toolkit/colours.h"
#include "toolkit/placement.h"
#include "windows/control_class.h"
#include "windows/focus.h"

#include <algorithm>

int ListNaturalHeight(const ListView *v, int rows)
{
   return rows * ListRowHeight(v) + 2 * LIST_FRAME - 1;
}

namespace {

// --- geometry --------------------------------------------------------------

int NaturalWidth(const ListView *v)
{
   return v->width + LIST_SCROLL_WIDTH + 2 * LIST_FRAME - 1;
}

void MeasureView(Control *c)
{
   ListView *v = ListOf(c);
   c->x2 = c->x1 + NaturalWidth(v) + c->dw;
   c->y2 = c->y1 + ListNaturalHeight(v, v->stretched ? 1 : v->rows) + c->dh;
}

// Puts the rows and the scroll bar inside the final rectangle, making or
// dropping row controls so that exactly the rows that fit exist.
void ArrangeParts(Control *c)
{
   ListView *v = ListOf(c);
   const int rh = ListRowHeight(v);
   const int width = std::max(1, ControlWidth(c) - LIST_SCROLL_WIDTH - 2 * LIST_FRAME + 1);
   int rows = std::max(1, (ControlHeight(c) - 2 * LIST_FRAME + 1) / rh);
   while (static_cast<int>(v->row_controls.size()) > rows) {
      DestroyControl(v->row_controls.back());
      v->row_controls.pop_back();
   }
   while (static_cast<int>(v->row_controls.size()) < rows) {
      Control *row = MakeListRow(v);
      if (!row) {
         rows = static_cast<int>(v->row_controls.size());
         break;
      }
      v->row_controls.push_back(row);
   }
   for (int i = 0; i < rows; ++i) {
      Control *row = v->row_controls[i];
      row->x1 = LIST_FRAME;
      row->y1 = LIST_FRAME + i * rh;
      row->x2 = row->x1 + width - 1;
      row->y2 = row->y1 + rh - 1;
   }
   Control *bar = v->scroll_bar;
   bar->x1 = LIST_FRAME + width;
   bar->x2 = bar->x1 + LIST_SCROLL_WIDTH - 1;
   bar->y1 = LIST_FRAME;
   // Short of the resizable corner, so the grip lies outside every part.
   bar->y2 = ControlHeight(c) - (v->resizable ? LIST_GRIP : LIST_FRAME + 1);
}

void DrawView(Control *c)
{
   WindowRecord *w = c->surface;
   if (!w || !w->bitmap)
      return;
   ListView *v = ListOf(c);
   v->first = std::clamp(v->first, 0, ListMaxFirst(v));
   BITMAP *b = w->bitmap.get();
   int x, y;
   ControlWindowPos(c, &x, &y);
   const int x2 = x + ControlWidth(c), y2 = y + ControlHeight(c);
   rectfill(b, x, y, x2, y2, InterfaceColour[COLOUR_FACE]);
   DrawBevel(b, x, y, x2, y2, false);
   rect(b, x + 1, y + 1, x2 - 1, y2 - 1, InterfaceColour[COLOUR_SHADOW]);
   rectfill(b, x + LIST_FRAME, y + LIST_FRAME, x2 - LIST_FRAME, y2 - LIST_FRAME, InterfaceColour[COLOUR_LIGHT]);
   if (v->resizable) {
      rectfill(b, x2 - LIST_GRIP + 1, y2 - LIST_GRIP + 1, x2 - 1, y2 - 1, InterfaceColour[COLOUR_FACE]);
      for (int k = 2; k < LIST_GRIP; k += 2)
         line(b, x2 - k, y2 - 1, x2 - 1, y2 - k, InterfaceColour[COLOUR_TEXT]);
   }
   for (Control *part = c->container->first; part; part = part->next)
      part->cls->draw(part);
}

void DestroyView(Control *c)
{
   ListView *v = ListOf(c);
   ForgetCorner(v);
   ForgetRowDrag(v);
   v->row_controls.clear();
   v->scroll_bar = nullptr;
   ContainerClass()->destroy(c);
}

int MakeViewResizable(Control *c, ChangeFn fn, void *data, int flags)
{
   ListView *v = ListOf(c);
   v->resizable = true;
   v->on_resize = fn;
   v->resize_data = data;
   v->resize_flags = flags;
   return c->id;
}

const ControlClass *ViewClass()
{
   static ClassSlot slot;
   return ClassOnce(slot, [](ControlClass &k) {
      k = *ContainerClass();
      k.measure = MeasureView;
      k.layout_children = [](Control *) {};
      k.fit_children = [](Control *) {};
      k.fill_children = ArrangeParts;
      k.draw = DrawView;
      k.destroy = DestroyView;
      k.make_resizable = MakeViewResizable;
   });
}

ListView *ViewById(int id)
{
   Control *c = LookupControl(id);
   return c && c->cls == ViewClass() ? RecordOf<ListView>(c) : nullptr;
}

}

// --- shared with the parts -------------------------------------------------

ListView *ListOf(Control *c)
{
   if (c->cls == ViewClass())
      return RecordOf<ListView>(c);
   return c->parent ? ListOf(c->parent->self) : nullptr;
}

int ListRowHeight(const ListView *v)
{
   return text_height(v->self->font) + LIST_ROW_SPACING + 1;
}

int ListCount(const ListView *v)
{
   return v->count ? std::max(0, *v->count) : 0;
}

int VisibleRows(const ListView *v)
{
   return static_cast<int>(v->row_controls.size());
}

int ListMaxFirst(const ListView *v)
{
   return std::max(0, ListCount(v) - VisibleRows(v));
}

void *ListItem(const ListView *v, int row)
{
   if (row < 0 || row >= ListCount(v))
      return nullptr;
   if (v->index)
      return v->index(v->list, row);
   return v->list ? static_cast<void **>(v->list)[row] : nullptr;
}

int RowPosition(const ListView *v, const Control *row)
{
   const auto it = std::find(v->row_controls.begin(), v->row_controls.end(), row);
   return it == v->row_controls.end() ? -1 : static_cast<int>(it - v->row_controls.begin());
}

Control *RowShowing(const ListView *v, int row)
{
   const int pos = row - v->first;
   return pos >= 0 && pos < static_cast<int>(v->row_controls.size()) ? v->row_controls[pos] : nullptr;
}

void RedrawList(ListView *v)
{
   v->self->cls->redraw(v->self);
}

void ScrollList(ListView *v, int first)
{
   v->first = std::clamp(first, 0, ListMaxFirst(v));
   RedrawList(v);
}

void SelectRow(ListView *v, int row, int shifts)
{
   if (shifts & KB_SHIFT_FLAG && v->anchor >= 0) {
      v->selected.clear();
      for (int i = std::min(v->anchor, row); i <= std::max(v->anchor, row); ++i)
         v->selected.insert(i);
   } else if (shifts & KB_CTRL_FLAG) {
      if (!v->selected.erase(row))
         v->selected.insert(row);
      v->anchor = row;
   } else {
      v->selected = {row};
      v->anchor = row;
   }
   v->lead = row;
   if (row < v->first)
      v->first = row;
   else if (row >= v->first + VisibleRows(v))
      v->first = row - VisibleRows(v) + 1;
   ScrollList(v, v->first);
}

void RunRowMenu(ListView *v)
{
   if (!v->row_menu)
      return;
   // A row action may change the list or close the window: work from a copy.
   const std::vector<int> rows(v->selected.begin(), v->selected.end());
   const int id = v->self->id;
   for (int row : rows) {
      ListView *live = ViewById(id);
      if (!live || row >= ListCount(live))
         return;
      const Control *shown = RowShowing(live, row);
      live->row_menu(shown ? shown->id : -1, ListItem(live, row));
   }
}

void ActivateRow(ListView *v, int row, int buttons)
{
   if (!v->activate || row < 0 || row >= ListCount(v))
      return;
   const Control *shown = RowShowing(v, row);
   v->activate(shown ? shown->id : -1, ListItem(v, row), buttons, ListCount(v));
}

// --- public ----------------------------------------------------------------

int PlaceListView(int x, int y, void *list, int *count, int width, int cols, int (*row_text)(void *, char *, int),
                  void (*row_menu)(int, void *), int rows)
{
   if (rows < 1 || !WindowUnderConstruction())
      return 0;
   Control *c = CreateControl(ViewClass(), x, y, "");
   if (!c)
      return 0;
   auto *v = MakeRecord<ListView>(c);
   v->self = c;
   v->list = list;
   v->count = count;
   v->width = std::max(1, width);
   v->cols = cols;
   v->rows = rows;
   v->row_text = row_text;
   v->row_menu = row_menu;
   v->stretched = y >= 0 && (((y & 0x18000000) == 0x18000000) || (y & LAYOUT_EQUAL_HEIGHT));
   c->event_cls = &kListViewInput;
   SetSpacing(MakeContainer(c), 0, 0);
   MakeFocusable(c);
   v->scroll_bar = MakeListScrollBar(v);
   for (int i = 0; i < rows; ++i)
      if (Control *row = MakeListRow(v))
         v->row_controls.push_back(row);
   if (!v->scroll_bar || v->row_controls.empty()) {
      DestroyControl(c);
      return 0;
   }
   return c->id;
}

int SetListIndexer(int id, void *(*index)(void *, int))
{
   ListView *v = ViewById(id);
   if (!v)
      return 0;
   v->index = index;
   return 1;
}

int SetRowActivate(int id, void (*fn)(int, void *, int, int), int flags)
{
   ListView *v = ViewById(id);
   if (!v)
      return 0;
   v->activate = fn;
   v->activate_mask = flags;
   for (Control *row : v->row_controls)
      row->click_flag = static_cast<uint8_t>(flags);
   return 1;
}

int SetDragSource(int id, int (*fn)(void *, int, void *, int), int type, int flags)
{
   ListView *v = ViewById(id);
   if (!v)
      return 0;
   v->drag_source = fn;
   v->drag_type = type;
   v->drag_flags = flags;
   return 1;
}

int SetDropTarget(int id, int (*fn)(void *, int, void *, void *, int, ...), int type)
{
   ListView *v = ViewById(id);
   if (!v)
      return 0;
   v->drop_target = fn;
   v->drop_type = type;
   return 1;
}

int SetListColumns(int id, int n, const int *widths)
{
   ListView *v = ViewById(id);
   if (!v || n < 0 || (n > 0 && !widths))
      return 0;
   v->column_widths.assign(widths, widths + n);
   RedrawList(v);
   return 1;
}

int ListFirstRow(int id)
{
   ListView *v = ViewById(id);
   return v ? std::clamp(v->first, 0, ListMaxFirst(v)) : 0;
}

int ScrollListTo(int id, int first)
{
   ListView *v = ViewById(id);
   if (!v)
      return 0;
   ScrollList(v, first);
   return 1;
}

int ListRowSelected(int id, int row)
{
   ListView *v = ViewById(id);
   return v && v->selected.count(row) ? 1 : 0;
}
