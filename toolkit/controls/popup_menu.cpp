// Popup menu windows: opening, placing, closing and the watch for a press
// outside the open menus. The lines themselves are in popup_lines.cpp.
#include "toolkit/controls/popup_menu.h"

#include "controls/popup_menu_parts.h"
#include "core/alloc.h"
#include "core/control.h"
#include "toolkit/events.h"
#include "toolkit/placement.h"
#include "toolkit/windows.h"
#include "windows/control_class.h"
#include "windows/window_parts.h"

#include <algorithm>
#include <utility>

namespace {

// The popup menus' state.
struct MenuState {
   std::vector<PopupMenu *> menus;            // open menus, the top-level one first (records of their roots)
   PopupMenu *building = nullptr;             // the menu AddPopupItem adds to
   bool watching = false;                     // the button watch is queued
   int last_buttons = 0;                      // mouse buttons at the last watch
   const ControlClass *plain_root = nullptr;  // the window root class menus start from
};

MenuState &Menus()
{
   static MenuState *state = new MenuState;  // outlives static destructors
   return *state;
}

PopupMenu *MenuOfWindow(int window)
{
   for (PopupMenu *m : Menus().menus)
      if (m->window == window)
         return m;
   return nullptr;
}

// --- the menu window's root ------------------------------------------------

// The window was laid out and centred on the pointer, and is about to be
// drawn: put it where the menu belongs first, so it never shows elsewhere.
void ActivateMenuRoot(Control *root)
{
   Menus().plain_root->activate(root);
   PopupMenu *m = MenuOfWindow(root->id);
   if (!m || m->placed)
      return;
   m->placed = true;
   const int w = ControlWidth(root), h = ControlHeight(root);
   const int x = std::max(0, std::min(m->at_x, SCREEN_W - 1 - w));
   const int y = std::max(0, std::min(m->at_y, SCREEN_H - 1 - h));
   root->x1 = x;
   root->y1 = y;
   root->x2 = x + w;
   root->y2 = y + h;
}

// The window's root is destroyed (closed, or the toolkit stops); the menu,
// its record, goes with it.
void MenuRootGone(Control *root)
{
   for (auto it = Menus().menus.begin(); it != Menus().menus.end(); ++it) {
      if ((*it)->window == root->id) {
         PopupMenu *m = *it;
         Menus().menus.erase(it);
         for (PopupMenu *other : Menus().menus)
            if (other->parent == m)
               other->parent = nullptr;
         if (Menus().building == m)
            Menus().building = nullptr;
         return;
      }
   }
}

const ControlClass *MenuRootClass(Control *root)
{
   static ClassSlot slot;
   Menus().plain_root = root->cls;
   return ClassOnce(slot, [](ControlClass &k) {
      k = *Menus().plain_root;
      k.activate = ActivateMenuRoot;
   });
}

// --- the watch for a press outside -----------------------------------------

bool InsideSomeMenu(int x, int y)
{
   for (const PopupMenu *m : Menus().menus)
      if (const Control *root = LookupControl(m->window))
         if (PointInside(root, x - root->x1, y - root->y1))
            return true;
   return false;
}

void Watch(void *)
{
   if (Menus().menus.empty()) {
      Menus().watching = false;
      return;
   }
   const int buttons = mouse_b;
   if ((buttons & ~Menus().last_buttons) && !InsideSomeMenu(mouse_x, mouse_y))
      CloseAllMenus();
   Menus().last_buttons = buttons;
   Menus().watching = !Menus().menus.empty() && QueueCall(Watch, nullptr, 20, 0) >= 0;
}

void StartWatch()
{
   if (Menus().watching)
      return;
   Menus().last_buttons = mouse_b;
   Menus().watching = QueueCall(Watch, nullptr, 20, 0) >= 0;
}

// --- opening ---------------------------------------------------------------

// Makes and shows a menu whose top-left is (x, y), or, with an anchor, below
// the anchor rectangle (above it when there is no room). Null when nothing
// was shown.
PopupMenu *Open(void (*build)(void *), void *data, PopupMenu *parent, int parent_line, int x, int y,
                const Control *anchor)
{
   if (WindowUnderConstruction())
      return nullptr;
   const int window = MakeWindow(0, AUTO, "", WINDOW_NO_DRAG | WINDOW_NOT_MODAL);
   Control *root = LookupControl(window);
   if (!root)
      return nullptr;
   root->cls = MenuRootClass(root);
   root->on_exit = MenuRootGone;
   WindowRecord *w = WindowOf(root);
   Container *client = w->client;
   SetSpacing(client, 0, 0);
   client->left_margin = client->right_margin = client->top_margin = client->bottom_margin = 1;

   auto *m = MakeRecord<PopupMenu>(root);
   m->window = window;
   m->parent = parent;
   m->parent_line = parent_line;
   Menus().menus.push_back(m);
   PopupMenu *outer = std::exchange(Menus().building, m);
   if (build)
      build(data);
   Menus().building = outer;
   if (!MenuOfWindow(window))
      return nullptr;  // the build function closed it
   if (m->lines.empty()) {
      root->cls->close(root);
      return nullptr;
   }
   for (const Control *line : m->lines)
      if (line->icon)
         m->icon_column = std::max(m->icon_column, line->icon->width);
   m->icon_column += 2;

   LayoutWindow(w);
   const int mw = ControlWidth(root) + 1, mh = ControlHeight(root) + 1;
   if (anchor) {
      ControlScreenPos(anchor, &x, &y);
      const int below = y + ControlHeight(anchor) + 1;
      y = (below + mh <= SCREEN_H || y - mh < 0) ? below : y - mh;
   } else if (parent && x + mw > SCREEN_W) {
      const Control *parent_root = LookupControl(parent->window);
      x = parent_root ? parent_root->x1 - mw : x;
   }
   m->at_x = x;
   m->at_y = y;
   PresentWindow();
   // The lines share the menu's keys; any selectable one can hold them.
   for (Control *line : m->lines)
      if (Selectable(line)) {
         w->focus = line;
         break;
      }
   StartWatch();
   return m;
}

}

PopupMenu *MenuUnderConstruction(void)
{
   return Menus().building;
}

void OpenSubmenu(PopupMenu *m, int line, bool highlight_first)
{
   CloseSubmenus(m);
   Control *c = m->lines[line];
   PopupLine *record = LineOf(c);
   int x, y;
   ControlScreenPos(c, &x, &y);
   PopupMenu *sub =
      Open(record->cb, record->data, m, line, x + ControlWidth(c) + WINDOW_BORDER + 1, y - WINDOW_BORDER - 1, nullptr);
   if (sub && highlight_first)
      Highlight(sub, 0);
}

void CloseSubmenus(PopupMenu *m)
{
   for (std::size_t i = Menus().menus.size(); i-- > 0;) {
      if (i >= Menus().menus.size())
         continue;
      PopupMenu *sub = Menus().menus[i];
      if (sub->parent == m)
         CloseMenu(sub);
   }
}

void CloseMenu(PopupMenu *m)
{
   CloseSubmenus(m);
   if (Control *root = LookupControl(m->window))
      root->cls->close(root);
}

void CloseAllMenus(void)
{
   while (!Menus().menus.empty())
      CloseMenu(Menus().menus.front());
}

int OpenPopupMenu(int where, void (*build)(void *), void *data)
{
   if (WindowUnderConstruction())
      return -1;
   CloseAllMenus();
   const Control *anchor = where > 0 ? LookupControl(where) : nullptr;
   if (anchor && !anchor->parent)
      anchor = nullptr;
   PopupMenu *m = Open(build, data, nullptr, -1, mouse_x, mouse_y, anchor);
   return m ? m->window : -1;
}

int AddPopupItem(int flags, const char *label, const char *shortcut, void (*cb)(void *), void *data)
{
   if (!Menus().building)
      return -1;
   Control *line = MakePopupLine(PopupLine{Menus().building, false, flags != 0, shortcut ? shortcut : "", cb, data},
                                 label ? label : "");
   return line ? line->id : -1;
}

int AddPopupSeparator(void)
{
   if (!Menus().building)
      return -1;
   Control *line = MakePopupLine(PopupLine{Menus().building, true, false, std::string(), nullptr, nullptr}, "");
   return line ? line->id : -1;
}
