// The parts every window is made of: the root (frame and title bar), the
// client area that holds the window's controls and the drag area under them.
#include "windows/window_parts.h"

#include "core/alloc.h"
#include "core/control.h"
#include "core/pointer_event.h"
#include "core/state.h"
#include "draw/draw.h"
#include "layout/layout.h"
#include "toolkit/colours.h"
#include "toolkit/placement.h"
#include "windows/control_class.h"

#include <algorithm>

namespace {

// --- root ------------------------------------------------------------------

void MeasureRoot(Control *c)
{
   WindowRecord *w = c->container->window;
   Control *client = w->client->self;
   const int title = TitleHeight(w);
   client->x1 = WINDOW_BORDER;
   client->y1 = WINDOW_BORDER + title;
   client->cls->measure(client);
   c->x2 = c->x1 + ControlWidth(client) + 2 * WINDOW_BORDER;
   c->y2 = c->y1 + ControlHeight(client) + 2 * WINDOW_BORDER + title;
}

void FillRoot(Control *c)
{
   Control *client = c->container->window->client->self;
   client->cls->fill_children(client);
}

void DrawTitleBar(Control *c, BITMAP *b)
{
   WindowRecord *w = c->container->window;
   const int title = TitleHeight(w);
   if (!title)
      return;
   const int right = ControlWidth(c);
   const int colour = c->active ? InterfaceColour[COLOUR_TITLE] : InterfaceColour[COLOUR_SHADOW];
   rectfill(b, WINDOW_BORDER, WINDOW_BORDER, right - WINDOW_BORDER, WINDOW_BORDER + title - 2, colour);
   FONT *f = ToolkitBoldFont();
   textout_ex(b, f, w->title.c_str(), WINDOW_BORDER + 4, WINDOW_BORDER + (title - 1 - text_height(f)) / 2,
              InterfaceColour[COLOUR_LIGHT], -1);
}

void DrawRoot(Control *c)
{
   WindowRecord *w = c->container->window;
   BITMAP *b = w->bitmap.get();
   if (!b)
      return;
   const int right = ControlWidth(c), bottom = ControlHeight(c);
   clear_to_color(b, InterfaceColour[COLOUR_FACE]);
   DrawBevel(b, 0, 0, right, bottom, true);
   DrawBevel(b, 1, 1, right - 1, bottom - 1, true);
   DrawTitleBar(c, b);
   Control *client = w->client->self;
   client->cls->draw(client);
}

// Only the title bar shows whether a window is active.
void RedrawTitle(Control *c)
{
   WindowRecord *w = c->container->window;
   if (!w->shown || !w->bitmap || !TitleHeight(w))
      return;
   DrawTitleBar(c, w->bitmap.get());
   RefreshScreenRect(c->x1, c->y1, c->x2, c->y1 + WINDOW_BORDER + TitleHeight(w));
}

void ActivateRoot(Control *c)
{
   BaseControlClass().activate(c);
   RedrawTitle(c);
}

void DeactivateRoot(Control *c)
{
   BaseControlClass().deactivate(c);
   RedrawTitle(c);
}

void CloseRoot(Control *c)
{
   WindowRecord *w = c->container->window;
   if (w->modal && w->opener)
      --w->opener->modal_above;
   DiscardWindow(w);
   // The stacking order stays: normally the window it was opened from is now
   // on top; raising it over another window still open (a sibling made with
   // flag 1) would bury the window that holds the input.
   if (WindowRecord *next = TopWindow())
      next->root->self->cls->activate(next->root->self);
   if (screen)
      RefreshScreenRect(0, 0, SCREEN_W - 1, SCREEN_H - 1);
}

// The root is what ties a window's controls to its picture.
void AttachRoot(Control *c)
{
   c->surface = c->container->window;
   for (Control *child = c->container->first; child; child = child->next)
      child->cls->attach(child);
}

void DestroyRoot(Control *c)
{
   WindowRecord *w = c->container->window;
   BaseControlClass().destroy(c);
   delete w;
}

const ControlClass *RootClass()
{
   static ClassSlot slot;
   return ClassOnce(slot, [](ControlClass &k) {
      k = *ContainerClass();
      k.measure = MeasureRoot;
      k.fill_children = FillRoot;
      k.draw = DrawRoot;
      k.activate = ActivateRoot;
      k.deactivate = DeactivateRoot;
      k.close = CloseRoot;
      k.destroy = DestroyRoot;
      k.attach = AttachRoot;
   });
}

// --- client ----------------------------------------------------------------

void DrawClient(Control *c)
{
   WindowRecord *w = c->container->window;
   int x, y;
   ControlWindowPos(c, &x, &y);
   rectfill(w->bitmap.get(), x, y, x + ControlWidth(c), y + ControlHeight(c), InterfaceColour[COLOUR_FACE]);
   ContainerClass()->draw(c);
}

const ControlClass *ClientClass()
{
   static ClassSlot slot;
   return ClassOnce(slot, [](ControlClass &k) {
      k = *ContainerClass();
      k.draw = DrawClient;
   });
}

// --- drag area -------------------------------------------------------------

struct DragState {
   WindowRecord *window = nullptr;
   int press_x = 0, press_y = 0;  // screen point of the press
   int start_x = 0, start_y = 0;  // window position at the press
   bool moved = false;
};

// The window drag in progress, if any.
DragState &WindowDrag()
{
   static DragState state;
   return state;
}

void CoverParent(Control *c)
{
   c->x1 = c->y1 = 0;
   c->x2 = ControlWidth(c->parent->self);
   c->y2 = ControlHeight(c->parent->self);
}

// Dragging a window by its background or its title bar.
int DragWindow(WindowRecord *w, const PointerEvent &ev)
{
   if (!w || w->full_screen)
      return 0;
   Control *root = w->root->self;
   switch (ev.code) {
   case POINTER_PRESS: WindowDrag() = DragState{w, ev.x, ev.y, root->x1, root->y1, false}; return 1;
   case POINTER_DRAG:
      if (WindowDrag().window != w)
         return 0;
      WindowDrag().moved = true;
      MoveWindow(w, WindowDrag().start_x + ev.x - WindowDrag().press_x,
                 WindowDrag().start_y + ev.y - WindowDrag().press_y);
      return 1;
   case POINTER_RELEASE:
      if (WindowDrag().window == w && WindowDrag().moved)
         RedrawWindow(w);
      WindowDrag() = DragState{};
      return 1;
   default: return 0;
   }
}

int DragAreaMouse(Control *c, const PointerEvent &ev, int, int)
{
   return DragWindow(WindowOf(c), ev);
}

// The root takes what no control of the window lies under: the title bar
// and the frame.
int RootMouse(Control *c, const PointerEvent &ev, int, int)
{
   return DragWindow(c->container->window, ev);
}

const InputClass kRootInput = {RootMouse, nullptr};

void ForgetDrag(Control *c)
{
   if (WindowDrag().window == WindowOf(c))
      WindowDrag() = DragState{};
}

const InputClass kDragInput = {DragAreaMouse, nullptr};

const ControlClass *DragAreaClass()
{
   static ClassSlot slot;
   return ClassOnce(slot, nullptr);
}

}

int TitleHeight(const WindowRecord *w)
{
   return w->title.empty() ? 0 : text_height(ToolkitBoldFont()) + 6;
}

WindowRecord *BuildWindow(int w, int h, const char *title, bool draggable)
{
   ToolkitState &t = Toolkit();
   WindowRecord *win = GuardedNew<WindowRecord>();
   win->title = title ? title : "";
   win->drag_area = -1;

   Control *root = NewControl(RootClass(), t.desktop->container);
   if (!root) {
      delete win;
      return nullptr;
   }
   root->not_placed = 1;
   win->root = MakeContainer(root);
   win->root->window = win;

   Control *client = NewControl(ClientClass(), win->root);
   if (!client) {
      DestroyControl(root);
      return nullptr;
   }
   client->not_placed = 1;
   win->client = MakeContainer(client);
   win->client->window = win;
   SetSpacing(win->client, 2, 2);
   win->full_screen = (w == 1 && (h & AUTO) == AUTO);
   if (win->full_screen) {
      win->client->fixed_size = true;
      win->client->fixed_w = SCREEN_W - 2 * WINDOW_BORDER;
      win->client->fixed_h = SCREEN_H - 2 * WINDOW_BORDER - TitleHeight(win);
   } else if ((h & AUTO) != AUTO) {
      win->client->fixed_size = true;
      win->client->fixed_w = std::max(1, w);
      win->client->fixed_h = std::max(1, h);
   }

   if (draggable) {
      if (Control *drag = NewControl(DragAreaClass(), win->client)) {
         drag->not_placed = 1;
         drag->stretch = CoverParent;
         drag->event_cls = &kDragInput;
         drag->on_exit = ForgetDrag;
         win->drag_area = drag->id;
         root->event_cls = &kRootInput;
      }
   }
   return win;
}

void LayoutWindow(WindowRecord *w)
{
   LayoutTree(w->root->self);
}

void MoveWindow(WindowRecord *w, int x, int y)
{
   Control *root = w->root->self;
   // The title bar stays where the pointer can reach it: the top edge on the
   // screen and a piece of the bar's width beside each side.
   const int width = ControlWidth(root), bar = WINDOW_BORDER + TitleHeight(w);
   x = std::clamp(x, std::min(0, WINDOW_KEEP_VISIBLE - width), std::max(0, SCREEN_W - WINDOW_KEEP_VISIBLE));
   y = std::clamp(y, 0, std::max(0, SCREEN_H - bar));
   const int ox1 = root->x1, oy1 = root->y1, ox2 = root->x2, oy2 = root->y2;
   root->x2 += x - root->x1;
   root->y2 += y - root->y1;
   root->x1 = x;
   root->y1 = y;
   RefreshScreenRect(std::min(ox1, x), std::min(oy1, y), std::max(ox2, static_cast<int>(root->x2)),
                     std::max(oy2, static_cast<int>(root->y2)));
}

void DiscardWindow(WindowRecord *w)
{
   ToolkitState &t = Toolkit();
   t.windows.erase(std::remove(t.windows.begin(), t.windows.end(), w), t.windows.end());
   for (WindowRecord *other : t.windows)
      if (other->opener == w)
         other->opener = w->opener;
   if (t.under_construction == w) {
      t.under_construction = nullptr;
      t.groups.clear();
   }
   DestroyControl(w->root->self);
}
