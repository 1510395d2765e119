// The rows of a list view: one control per visible row. A row draws the item
// it currently shows, selects it on a press and hands double clicks, the row
// action and dragging on to the view.
#include "controls/list_view_parts.h"
#include "core/control.h"
#include "core/pointer_event.h"
#include "draw/display_names.h"
#include "draw/draw.h"
#include "draw/images.h"
#include "draw/selection_colours.h"
#include "toolkit/colours.h"
#include "toolkit/controls/list_view.h"
#include "windows/control_class.h"
#include "windows/focus.h"

#include <allegro.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// --- drawing ---------------------------------------------------------------

// Leading icon reference of a row text: "#name;rest". "##" stands for "#".
const char *SplitIcon(const char *text, std::string *icon)
{
   if (text[0] != '#')
      return text;
   if (text[1] == '#')
      return text + 1;
   const char *end = std::strchr(text, ';');
   icon->assign(text + 1, end ? end : text + std::strlen(text));
   icon->erase(0, icon->find_first_not_of(' '));
   return end ? end + 1 : text + std::strlen(text);
}

struct Cell {
   int x1, y1, x2, y2;  // in the window bitmap, inclusive
};

// `mark` is the colour of the mark before the text.
void DrawCellText(BITMAP *b, Control *row, const Cell &cell, const char *text, unsigned flags, int colour, int mark)
{
   FONT *f = row->font;
   const int fh = text_height(f);
   int x = cell.x1 + 2;
   if (flags & (LIST_ROW_INDENT | LIST_ROW_MARK))
      x += LIST_INDENT;
   if (flags & LIST_ROW_MARK) {
      const int my = (cell.y1 + cell.y2) / 2;
      triangle(b, x - 9, my - 4, x - 9, my + 4, x - 5, my, mark);
   }
   std::string icon_name;
   const char *rest = SplitIcon(text, &icon_name);
   std::shared_ptr<const ImageEntry> icon;
   if (!icon_name.empty())
      icon = FindImage(ContainerOf(row), icon_name.c_str());
   const int icon_w = icon ? icon->width + 2 : 0;
   const bool utf8 = (flags & LIST_ROW_UTF8) != 0;
   const int text_w = utf8 ? DisplayTextWidth(f, rest) : text_length(f, rest);
   if (flags & LIST_ROW_RIGHT)
      x = std::max(x, cell.x2 - 2 - text_w - icon_w + 1);
   if (icon) {
      DrawIcon(b, icon.get(), x, (cell.y1 + cell.y2 + 1 - icon->height) / 2);
      x += icon_w;
   }
   const int ty = (cell.y1 + cell.y2 + 1 - fh) / 2;
   if (utf8)
      DrawDisplayText(b, f, rest, x, ty, colour, -1);
   else
      textout_ex(b, f, rest, x, ty, colour, -1);
   if (flags & LIST_ROW_UNDERLINE)
      hline(b, x, ty + fh, x + text_w - 1, colour);
   if (flags & LIST_ROW_STRIKE)
      hline(b, x, ty + fh / 2, x + text_w - 1, colour);
}

void DrawRow(Control *row)
{
   WindowRecord *w = row->surface;
   ListView *v = ListOf(row);
   if (!w || !w->bitmap || !v)
      return;
   BITMAP *b = w->bitmap.get();
   int x, y;
   ControlWindowPos(row, &x, &y);
   const Cell whole{x, y, x + ControlWidth(row), y + ControlHeight(row)};
   const int index = v->first + RowPosition(v, row);
   const bool selected = index < ListCount(v) && v->selected.count(index);
   // Selected rows in the selection colours, which stay legible in every
   // colour scheme; slot 7 marks unselected rows.
   rectfill(b, whole.x1, whole.y1, whole.x2, whole.y2,
            selected ? SelectionBackground() : InterfaceColour[COLOUR_LIGHT]);
   if (index < ListCount(v)) {
      int cx1, cy1, cx2, cy2;
      get_clip_rect(b, &cx1, &cy1, &cx2, &cy2);
      const int colour = selected ? SelectionText() : InterfaceColour[COLOUR_TEXT];
      const int mark = selected ? colour : InterfaceColour[COLOUR_SELECTED_TEXT];
      void *item = ListItem(v, index);
      const int columns = std::max(1, static_cast<int>(v->column_widths.size()));
      int left = whole.x1;
      for (int col = 0; col < columns && left <= whole.x2; ++col) {
         const bool last = col == columns - 1;
         const int right = last ? whole.x2 : std::min(whole.x2, left + v->column_widths[col] - 1);
         char buf[LIST_TEXT_SIZE] = "";
         const unsigned flags = static_cast<unsigned>(v->row_text ? v->row_text(item, buf, col) : 0);
         buf[LIST_TEXT_SIZE - 1] = '\0';
         set_clip_rect(b, std::max(cx1, left), std::max(cy1, whole.y1), std::min(cx2, right), std::min(cy2, whole.y2));
         DrawCellText(b, row, Cell{left, whole.y1, right, whole.y2}, buf, flags, colour, mark);
         left = right + 1;
      }
      set_clip_rect(b, cx1, cy1, cx2, cy2);
   }
   if (HasFocus(v->self) && index == v->lead)
      DrawFocusMark(b, whole.x1, whole.y1, whole.x2, whole.y2);
}

// --- input -----------------------------------------------------------------

int RowMouse(Control *row, const PointerEvent &ev, int, int)
{
   ListView *v = ListOf(row);
   // The wheel scrolls the view, which takes it from its rows.
   if (!v || ev.code == POINTER_WHEEL)
      return 0;
   if (ListDragMouse(row, ev))
      return 1;
   const int index = v->first + RowPosition(v, row);
   switch (ev.code) {
   case POINTER_PRESS:
      if (index >= ListCount(v)) {
         v->selected.clear();
         RedrawList(v);
      } else if (!(ev.press_buttons & 2) || !v->selected.count(index)) {
         // A right press keeps a selection it lies in, for the row action.
         SelectRow(v, index, ev.press_buttons & 1 ? key_shifts : 0);
      }
      return 1;
   case POINTER_RELEASE:
      if ((ev.press_buttons & 2) && !ev.dragging && index < ListCount(v))
         RunRowMenu(v);
      return 1;
   default: return 1;
   }
}

const InputClass kRowInput = {RowMouse, nullptr};

// Double clicks with a button of the view's mask activate the row.
void RowClick(int id, void *, int buttons, int clicks)
{
   Control *row = LookupControl(id);
   ListView *v = row ? ListOf(row) : nullptr;
   if (!v || clicks != 2 || !(buttons & v->activate_mask))
      return;
   ActivateRow(v, v->first + RowPosition(v, row), buttons);
}

const ControlClass *RowClass()
{
   static ClassSlot slot;
   return ClassOnce(slot, [](ControlClass &k) { k.draw = DrawRow; });
}

}

Control *MakeListRow(ListView *v)
{
   Control *row = NewControl(RowClass(), v->self->container);
   if (!row)
      return nullptr;
   row->not_placed = 1;
   row->event_cls = &kRowInput;
   row->on_click = RowClick;
   row->click_flag = static_cast<uint8_t>(v->activate_mask);
   return row;
}
