// Input of the list view itself: the resizable lower-right corner and the
// keys of the view that has the keyboard.
#include "controls/list_view_parts.h"
#include "core/control.h"
#include "core/pointer_event.h"
#include "toolkit/cursors.h"
#include "windows/focus.h"
#include "windows/window_parts.h"

#include <algorithm>

namespace {

struct CornerGrab {
   ListView *view = nullptr;
   int press_x = 0, press_y = 0;
   int start_w = 0, start_h = 0;
   int max_w = 0, max_h = 0;  // the window's lower-right corner stays on the screen
   bool cursor_set = false;
};

// The resize-corner grab in progress, if any.
CornerGrab &CurrentCornerGrab()
{
   static CornerGrab state;
   return state;
}

}

void ForgetCorner(ListView *v)
{
   if (CurrentCornerGrab().view == v)
      CurrentCornerGrab() = CornerGrab{};
}

namespace {

bool InCorner(const Control *c, int x, int y)
{
   return x >= ControlWidth(c) - (LIST_GRIP - 1) && y >= ControlHeight(c) - (LIST_GRIP - 1) && x <= ControlWidth(c) &&
          y <= ControlHeight(c);
}

// The rows' width, the row count and the pixels left below the last row for
// a view of w by h (x2 - x1, y2 - y1), kept to at least 30 pixels wide and
// one row + 9 pixels high.
void SizeFor(const ListView *v, int w, int h, int *width, int *rows, int *extra)
{
   const int rh = ListRowHeight(v);
   h = std::max(rh + 8, h);
   *width = std::max(29, w) - LIST_SCROLL_WIDTH - 2 * LIST_FRAME + 1;
   *rows = std::max(1, (h - 2 * LIST_FRAME + 1) / rh);
   *extra = h - ListNaturalHeight(v, *rows);
}

// Lays the window out again around the view's new size.
void ResizeView(ListView *v, int width, int rows, int extra)
{
   Control *c = v->self;
   v->width = width;
   v->rows = rows;
   c->dw = 0;
   c->dh = extra;
   WindowRecord *win = WindowOf(c);
   if (!win)
      return;
   Control *root = win->root->self;
   const int ox1 = root->x1, oy1 = root->y1, ox2 = root->x2, oy2 = root->y2;
   LayoutWindow(win);
   RedrawWindow(win);
   RefreshScreenRect(ox1, oy1, ox2, oy2);
}

int ViewMouse(Control *c, const PointerEvent &ev, int x, int y)
{
   ListView *v = ListOf(c);
   if (ev.code == POINTER_WHEEL) {
      ScrollList(v, v->first - WHEEL_ROWS * ev.wheel);
      return 1;
   }
   if (!v->resizable)
      return 0;
   switch (ev.code) {
   case POINTER_OVER:
   case POINTER_LEFT: {
      const bool over = ev.code == POINTER_OVER && InCorner(c, x, y);
      if (over != CurrentCornerGrab().cursor_set && CurrentCornerGrab().view == nullptr) {
         UseMouseCursor(over ? CURSOR_RESIZE : CURSOR_ARROW);
         CurrentCornerGrab().cursor_set = over;
      }
      return 1;
   }
   case POINTER_PRESS:
      if (!InCorner(c, x, y) || !(ev.press_buttons & 1))
         return 0;
      CurrentCornerGrab().view = v;
      CurrentCornerGrab().press_x = ev.x;
      CurrentCornerGrab().press_y = ev.y;
      CurrentCornerGrab().start_w = ControlWidth(c);
      CurrentCornerGrab().start_h = ControlHeight(c);
      if (const WindowRecord *win = WindowOf(c)) {
         const Control *root = win->root->self;
         CurrentCornerGrab().max_w = ControlWidth(c) + std::max(0, SCREEN_W - 1 - root->x2);
         CurrentCornerGrab().max_h = ControlHeight(c) + std::max(0, SCREEN_H - 1 - root->y2);
      }
      return 1;
   case POINTER_DRAG: {
      if (CurrentCornerGrab().view != v)
         return 0;
      const int w = (v->resize_flags & 1) ? CurrentCornerGrab().start_w
                                          : CurrentCornerGrab().start_w + ev.x - CurrentCornerGrab().press_x;
      const int h = (v->resize_flags & 2) ? CurrentCornerGrab().start_h
                                          : CurrentCornerGrab().start_h + ev.y - CurrentCornerGrab().press_y;
      int width, rows, extra;
      SizeFor(v, std::min(w, CurrentCornerGrab().max_w), std::min(h, CurrentCornerGrab().max_h), &width, &rows, &extra);
      if (width != v->width || rows != v->rows || extra != c->dh)
         ResizeView(v, width, rows, extra);
      return 1;
   }
   case POINTER_RELEASE:
      if (CurrentCornerGrab().view != v)
         return 0;
      CurrentCornerGrab().view = nullptr;
      if (!InCorner(c, x, y) && CurrentCornerGrab().cursor_set) {
         UseMouseCursor(CURSOR_ARROW);
         CurrentCornerGrab().cursor_set = false;
      }
      if (v->on_resize)
         v->on_resize(v->resize_data);
      return 1;
   default: return 0;
   }
}

// Keys.
int ViewKey(Control *c, int character, int scancode, int shifts)
{
   ListView *v = ListOf(c);
   const int count = ListCount(v);
   const int lead = v->lead < 0 ? v->first : v->lead;
   int to = -1;
   switch (scancode) {
   case KEY_UP: to = lead - 1; break;
   case KEY_DOWN: to = v->lead < 0 ? lead : lead + 1; break;
   case KEY_PGUP: to = lead - VisibleRows(v); break;
   case KEY_PGDN: to = lead + VisibleRows(v); break;
   case KEY_HOME: to = 0; break;
   case KEY_END: to = count - 1; break;
   case KEY_MENU: RunRowMenu(v); return 1;
   case KEY_F10:
      if (!(shifts & KB_SHIFT_FLAG))
         return 0;
      RunRowMenu(v);
      return 1;
   default:
      if (IsActivateKey(character, scancode)) {
         if (v->lead >= 0 && v->lead < count)
            ActivateRow(v, v->lead, 1);
         return 1;
      }
      return 0;
   }
   if (count > 0)
      SelectRow(v, std::clamp(to, 0, count - 1), shifts & KB_SHIFT_FLAG);
   return 1;
}

}

const InputClass kListViewInput = {ViewMouse, ViewKey};
