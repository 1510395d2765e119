// Opening, presenting and closing windows, and putting them on the screen.
#include "toolkit/windows.h"

#include "core/alloc.h"
#include "core/control.h"
#include "core/pointer_image.h"
#include "core/state.h"
#include "toolkit/colours.h"
#include "windows/control_class.h"
#include "windows/window_parts.h"

#include <algorithm>

namespace {

// The pixel size of the root is x2 - x1 + 1 by y2 - y1 + 1.
void EnsureWindowBitmap(WindowRecord *w)
{
   const Control *root = w->root->self;
   const int pw = ControlWidth(root) + 1, ph = ControlHeight(root) + 1;
   if (w->bitmap && w->bitmap->w == pw && w->bitmap->h == ph)
      return;
   w->bitmap.reset(create_bitmap(pw, ph));
   if (!w->bitmap)
      OutOfMemory();
}

// Centred on the pointer, kept inside the screen's right and bottom edges,
// never at negative coordinates.
void CentreOnPointer(Control *root)
{
   const int w = ControlWidth(root) + 1, h = ControlHeight(root) + 1;
   int x = mouse_x - w / 2, y = mouse_y - h / 2;
   if (x + w > SCREEN_W)
      x = SCREEN_W - w;
   if (y + h > SCREEN_H)
      y = SCREEN_H - h;
   root->x2 = std::max(0, x) + w - 1;
   root->y2 = std::max(0, y) + h - 1;
   root->x1 = std::max(0, x);
   root->y1 = std::max(0, y);
}

bool CoversScreen(const Control *c)
{
   return c->x1 == 0 && c->y1 == 0 && c->x2 == SCREEN_W - 1 && c->y2 == SCREEN_H - 1;
}

bool SameRect(const Control *a, const Control *b)
{
   return a->x1 == b->x1 && a->y1 == b->y1 && a->x2 == b->x2 && a->y2 == b->y2;
}

void LimitToScreen(Control *root)
{
   root->x2 = std::min(static_cast<int>(root->x2), SCREEN_W - 1);
   root->y2 = std::min(static_cast<int>(root->y2), SCREEN_H - 1);
}

void PositionNewWindow(WindowRecord *w)
{
   Control *root = w->root->self;
   if (w->full_screen) {
      root->x2 -= root->x1;
      root->y2 -= root->y1;
      root->x1 = root->y1 = 0;
   } else {
      CentreOnPointer(root);
      // A dialog exactly over the window it came from would hide that it
      // is a new window.
      if (w->opener && SameRect(root, w->opener->root->self) && !CoversScreen(root)) {
         root->x1 += 5;
         root->x2 += 5;
         root->y1 += 5;
         root->y2 += 5;
      }
   }
   LimitToScreen(root);
}

void ShowNewWindow(WindowRecord *w)
{
   Control *root = w->root->self;
   root->cls->resolve_icon(root);
   LayoutWindow(w);
   w->shown = true;
   PositionNewWindow(w);
   EnsureWindowBitmap(w);
   root->cls->attach(root);
   root->cls->activate(root);
   root->cls->draw(root);
   RefreshScreenRect(root->x1, root->y1, root->x2, root->y2);
   if (w->focus)
      w->focus->cls->redraw(w->focus);
}

// Controls were added to a shown window: lay it out again where it is.
void ShowAgain(WindowRecord *w)
{
   Control *root = w->root->self;
   const int ox1 = root->x1, oy1 = root->y1, ox2 = root->x2, oy2 = root->y2;
   LayoutWindow(w);
   LimitToScreen(root);
   EnsureWindowBitmap(w);
   root->cls->attach(root);
   root->cls->draw(root);
   RefreshScreenRect(std::min(ox1, static_cast<int>(root->x1)), std::min(oy1, static_cast<int>(root->y1)),
                     std::max(ox2, static_cast<int>(root->x2)), std::max(oy2, static_cast<int>(root->y2)));
}

// Screen coordinates of the rectangle are clipped to the screen; the picture
// is composed off screen so nothing flickers.
void ComposeRect(BITMAP *dst, int x1, int y1)
{
   clear_to_color(dst, InterfaceColour[COLOUR_SHADOW]);
   for (WindowRecord *w : Toolkit().windows) {
      if (!w->shown || !w->bitmap)
         continue;
      const Control *root = w->root->self;
      blit(w->bitmap.get(), dst, 0, 0, root->x1 - x1, root->y1 - y1, root->x2 - root->x1 + 1, root->y2 - root->y1 + 1);
   }
}

}

void RefreshScreenRect(int x1, int y1, int x2, int y2)
{
   if (!screen)
      return;
   x1 = std::max(0, x1);
   y1 = std::max(0, y1);
   x2 = std::min(x2, SCREEN_W - 1);
   y2 = std::min(y2, SCREEN_H - 1);
   if (x2 < x1 || y2 < y1)
      return;
   BitmapPtr buffer(create_bitmap(x2 - x1 + 1, y2 - y1 + 1));
   if (!buffer)
      OutOfMemory();
   ComposeRect(buffer.get(), x1, y1);
   ScarePointerArea(x1, y1, x2 - x1 + 1, y2 - y1 + 1);
   blit(buffer.get(), screen, 0, 0, x1, y1, buffer->w, buffer->h);
   UnscarePointer();
}

void RedrawWindow(WindowRecord *w)
{
   if (!w || !w->shown)
      return;
   Control *root = w->root->self;
   EnsureWindowBitmap(w);
   root->cls->draw(root);
   RefreshScreenRect(root->x1, root->y1, root->x2, root->y2);
}

void RedrawScreen(void)
{
   if (!screen || !ToolkitRunning())
      return;
   for (WindowRecord *w : WindowsBottomToTop()) {
      if (!w->shown)
         continue;
      EnsureWindowBitmap(w);
      w->root->self->cls->draw(w->root->self);
   }
   RefreshScreenRect(0, 0, SCREEN_W - 1, SCREEN_H - 1);
}

void MakeDesktop(void)
{
   ToolkitState &t = Toolkit();
   Control *d = NewControl(ContainerClass(), nullptr);
   if (!d)
      return;
   MakeContainer(d);
   d->not_placed = 1;
   d->x2 = screen ? SCREEN_W - 1 : 0;
   d->y2 = screen ? SCREEN_H - 1 : 0;
   t.desktop = d;
}

void DestroyAllWindows(void)
{
   ToolkitState &t = Toolkit();
   while (!t.windows.empty())
      DiscardWindow(t.windows.back());
   t.under_construction = nullptr;
   t.groups.clear();
   if (t.desktop) {
      DestroyControl(t.desktop);
      t.desktop = nullptr;
   }
}

int OpenNewWindow(int w, int h, const char *title, int flags)
{
   ToolkitState &t = Toolkit();
   if (t.under_construction || !t.desktop)
      return 0;
   WindowRecord *top = TopWindow();
   if (top)
      top->root->self->cls->deactivate(top->root->self);
   WindowRecord *win = BuildWindow(w, h, title, !(flags & WINDOW_NO_DRAG));
   if (!win)
      return 0;
   win->modal = !(flags & WINDOW_NOT_MODAL);
   win->opener = (flags & WINDOW_CHILD_OF_PARENT) && top ? top->opener : top;
   if (win->modal && win->opener)
      ++win->opener->modal_above;
   t.windows.push_back(win);
   t.under_construction = win;
   t.groups.clear();
   return win->root->self->id;
}

void PresentWindow(void)
{
   ToolkitState &t = Toolkit();
   WindowRecord *w = t.under_construction ? t.under_construction : TopWindow();
   if (w) {
      if (!w->shown)
         ShowNewWindow(w);
      else
         ShowAgain(w);
   }
   t.under_construction = nullptr;
   t.groups.clear();
}

void CloseWindow(void *)
{
   WindowRecord *w = TopWindow();
   if (w)
      w->root->self->cls->close(w->root->self);
}
