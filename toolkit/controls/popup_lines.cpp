// The lines of a popup menu: items (icon column, label, right-aligned
// shortcut, sub-menu arrow) and separators; their measuring, drawing, mouse
// and keys.
#include "controls/popup_menu_parts.h"
#include "core/control.h"
#include "core/pointer_event.h"
#include "draw/draw.h"
#include "draw/selection_colours.h"
#include "toolkit/colours.h"
#include "toolkit/placement.h"
#include "windows/control_class.h"
#include "windows/focus.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int kPad = 3;           // around the icon and the text
constexpr int kShortcutGap = 20;  // between label and shortcut
constexpr int kArrowColumn = 12;  // right of everything, for the sub-menu arrow
constexpr int kSeparatorHeight = 6;

// --- measuring -------------------------------------------------------------

void MeasureLine(Control *c)
{
   const PopupLine *line = LineOf(c);
   if (line->separator) {
      c->x2 = c->x1 + 2 * kPad + c->dw;
      c->y2 = c->y1 + kSeparatorHeight - 1 + c->dh;
      return;
   }
   const int icon_h = c->icon ? c->icon->height : 0;
   const int text_h = std::max(LabelLinesHeight(c), text_height(c->font));
   const int shortcut = line->shortcut.empty() ? 0 : kShortcutGap + text_length(c->font, line->shortcut.c_str());
   c->x2 = c->x1 + kPad + line->menu->icon_column + kPad + LabelLinesWidth(c) + shortcut + kArrowColumn + c->dw;
   c->y2 = c->y1 + std::max(icon_h, text_h) + 2 * kPad - 1 + c->dh;
}

// --- drawing ---------------------------------------------------------------

void DrawLine(Control *c)
{
   WindowRecord *w = c->surface;
   if (!w || !w->bitmap)
      return;
   const PopupLine *line = LineOf(c);
   BITMAP *b = w->bitmap.get();
   int x, y;
   ControlWindowPos(c, &x, &y);
   const int x2 = x + ControlWidth(c), y2 = y + ControlHeight(c);
   PopupMenu *m = line->menu;
   const bool lit = m->highlight >= 0 && m->lines[m->highlight] == c;
   rectfill(b, x, y, x2, y2, lit ? SelectionBackground() : InterfaceColour[COLOUR_FACE]);
   if (line->separator) {
      const int my = (y + y2) / 2;
      hline(b, x + 2, my, x2 - 2, InterfaceColour[COLOUR_SHADOW]);
      hline(b, x + 2, my + 1, x2 - 2, InterfaceColour[COLOUR_LIGHT]);
      return;
   }
   const int colour = lit ? SelectionText() : InterfaceColour[COLOUR_TEXT];
   if (c->icon)
      DrawIcon(b, c->icon.get(), x + kPad, (y + y2 + 1 - c->icon->height) / 2);
   const int tx = x + kPad + m->icon_column + kPad;
   const int ty = (y + y2 + 1 - LabelLinesHeight(c)) / 2 + 1;
   DrawLabelLines(b, c, tx, ty, colour);
   if (!line->shortcut.empty()) {
      const int sw = text_length(c->font, line->shortcut.c_str());
      textout_ex(b, c->font, line->shortcut.c_str(), x2 - kArrowColumn - sw, ty, colour, -1);
   }
   if (line->submenu) {
      const int cx = x2 - kArrowColumn / 2, cy = (y + y2) / 2;
      triangle(b, cx - 2, cy - 4, cx - 2, cy + 4, cx + 2, cy, colour);
   }
}

// --- input -----------------------------------------------------------------

int IndexOf(const PopupMenu *m, const Control *c)
{
   const auto it = std::find(m->lines.begin(), m->lines.end(), c);
   return it == m->lines.end() ? -1 : static_cast<int>(it - m->lines.begin());
}

int LineMouse(Control *c, const PointerEvent &ev, int x, int y)
{
   PopupMenu *m = MenuOf(c);
   const int index = IndexOf(m, c);
   switch (ev.code) {
   case POINTER_OVER:
      if (m->highlight != index) {
         Highlight(m, index);
         if (LineOf(c)->submenu)
            OpenSubmenu(m, index, false);
         else
            CloseSubmenus(m);
      }
      return 1;
   case POINTER_LEFT:
      if (!LineOf(c)->submenu)
         Highlight(m, -1);
      return 1;
   case POINTER_RELEASE:
      if (PointInside(c, x, y))
         ChooseLine(c);
      return 1;
   default: return 1;
   }
}

// Next selectable line from `from` in direction `step`, wrapping; -1 if none.
int NextSelectable(const PopupMenu *m, int from, int step)
{
   const int n = static_cast<int>(m->lines.size());
   for (int i = 1; i <= n; ++i) {
      const int k = ((from + step * i) % n + n) % n;
      if (Selectable(m->lines[k]))
         return k;
   }
   return -1;
}

int LineKey(Control *c, int character, int scancode, int)
{
   PopupMenu *m = MenuOf(c);
   const int n = static_cast<int>(m->lines.size());
   switch (scancode) {
   case KEY_UP: Highlight(m, NextSelectable(m, m->highlight < 0 ? n : m->highlight, -1)); return 1;
   case KEY_DOWN: Highlight(m, NextSelectable(m, m->highlight < 0 ? -1 : m->highlight, 1)); return 1;
   case KEY_HOME: Highlight(m, NextSelectable(m, -1, 1)); return 1;
   case KEY_END: Highlight(m, NextSelectable(m, n, -1)); return 1;
   case KEY_RIGHT:
      if (m->highlight >= 0 && LineOf(m->lines[m->highlight])->submenu)
         OpenSubmenu(m, m->highlight, true);
      return 1;
   case KEY_LEFT:
      if (m->parent)
         CloseMenu(m);
      return 1;
   case KEY_ESC: CloseMenu(m); return 1;
   default:
      if (IsActivateKey(character, scancode)) {
         if (m->highlight >= 0)
            ChooseLine(m->lines[m->highlight]);
         return 1;
      }
      return 0;
   }
}

const InputClass kLineInput = {LineMouse, LineKey};

// A hot key of the line's label.
void ChooseByHotKey(void *line)
{
   ChooseLine(static_cast<Control *>(line));
}

const ControlClass *LineClass()
{
   static ClassSlot slot;
   return ClassOnce(slot, [](ControlClass &k) {
      k.measure = MeasureLine;
      k.draw = DrawLine;
   });
}

}

PopupMenu *MenuOf(const Control *line)
{
   return LineOf(line)->menu;
}

PopupLine *LineOf(const Control *line)
{
   return RecordOf<PopupLine>(line);
}

bool Selectable(const Control *line)
{
   return !LineOf(line)->separator;
}

void Highlight(PopupMenu *m, int line)
{
   const int old = std::exchange(m->highlight, line);
   if (old == line)
      return;
   if (old >= 0)
      m->lines[old]->cls->redraw(m->lines[old]);
   if (line >= 0)
      m->lines[line]->cls->redraw(m->lines[line]);
}

void ChooseLine(Control *c)
{
   PopupLine *line = LineOf(c);
   PopupMenu *m = line->menu;
   if (line->separator)
      return;
   if (line->submenu) {
      const auto it = std::find(m->lines.begin(), m->lines.end(), c);
      OpenSubmenu(m, static_cast<int>(it - m->lines.begin()), true);
      return;
   }
   // Closing destroys the line: keep what is needed first.
   void (*cb)(void *) = line->cb;
   void *data = line->data;
   CloseAllMenus();
   if (cb)
      cb(data);
}

Control *MakePopupLine(PopupLine line, const char *label)
{
   const int y = AUTO | LAYOUT_STRETCH;
   Control *c = CreateControl(LineClass(), PLACE_NEW_ROW, y, label);
   if (!c)
      return nullptr;
   const PopupLine *record = MakeRecord<PopupLine>(c, std::move(line));
   if (!record->separator) {
      c->event_cls = &kLineInput;
      c->on_action = ChooseByHotKey;
      c->action_data = c;
   }
   record->menu->lines.push_back(c);
   return c;
}
