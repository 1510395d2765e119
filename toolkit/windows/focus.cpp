// Keyboard focus: the focusable set, Tab order, focus on press and the mark.
#include "windows/focus.h"

#include "core/control.h"
#include "core/state.h"
#include "toolkit/colours.h"
#include "toolkit/keyboard_focus.h"

#include <unordered_set>
#include <vector>

namespace {

// Controls are forgotten here when they are destroyed, so a pointer in the
// set always names a live control.
std::unordered_set<const Control *> &Focusable()
{
   static auto *set = new std::unordered_set<const Control *>;  // outlives static destructors
   return *set;
}

void CollectFocusable(const Container *box, std::vector<Control *> &out)
{
   for (Control *c = box->first; c; c = c->next) {
      if (IsFocusable(c))
         out.push_back(c);
      if (c->container)
         CollectFocusable(c->container, out);
   }
}

void RedrawIfShown(Control *c)
{
   WindowRecord *w = c ? WindowOf(c) : nullptr;
   if (w && w->shown && c->surface)
      c->cls->redraw(c);
}

void SetFocus(WindowRecord *w, Control *c)
{
   Control *old = w->focus;
   if (old == c)
      return;
   w->focus = c;
   RedrawIfShown(old);
   RedrawIfShown(c);
}

}

void MakeFocusable(Control *c)
{
   if (c)
      Focusable().insert(c);
}

bool IsFocusable(const Control *c)
{
   return c && Focusable().count(c) > 0;
}

int FocusControl(int id)
{
   Control *c = LookupControl(id);
   WindowRecord *w = c ? WindowOf(c) : nullptr;
   if (!w || !IsFocusable(c))
      return 0;
   SetFocus(w, c);
   return 1;
}

int SetWindowKeyHandler(int window_id, int (*fn)(void *data, int character, int scancode, int shifts), void *data)
{
   Control *c = LookupControl(window_id);
   WindowRecord *w = c && c->container ? c->container->window : nullptr;
   if (!w || w->root != c->container)
      return 0;
   w->key_handler = fn;
   w->key_data = data;
   return 1;
}

Control *FocusedControl(void)
{
   WindowRecord *w = TopWindow();
   return w ? w->focus : nullptr;
}

int FocusedControlId(void)
{
   const Control *c = FocusedControl();
   return c ? c->id : -1;
}

bool HasFocus(const Control *c)
{
   const WindowRecord *w = c ? WindowOf(c) : nullptr;
   return w && w->focus == c;
}

bool HandleFocusKey(WindowRecord *w, int character, int scancode, int shifts)
{
   if (scancode != KEY_TAB && character != '\t')
      return false;
   std::vector<Control *> order;
   CollectFocusable(w->client, order);
   if (order.empty())
      return true;
   const bool back = shifts & KB_SHIFT_FLAG;
   const int n = static_cast<int>(order.size());
   int at = -1;
   for (int i = 0; i < n; ++i)
      if (order[i] == w->focus)
         at = i;
   int next;
   if (at < 0)
      next = back ? n - 1 : 0;
   else
      next = (at + (back ? n - 1 : 1)) % n;
   SetFocus(w, order[next]);
   return true;
}

void FocusOnPress(Control *c)
{
   for (; c; c = c->parent ? c->parent->self : nullptr) {
      if (IsFocusable(c)) {
         if (WindowRecord *w = WindowOf(c))
            SetFocus(w, c);
         return;
      }
   }
}

void ForgetFocus(Control *c)
{
   Focusable().erase(c);
   for (WindowRecord *w : Toolkit().windows)
      if (w->focus == c)
         w->focus = nullptr;
}

bool IsActivateKey(int character, int scancode)
{
   return scancode == KEY_ENTER || scancode == KEY_ENTER_PAD || scancode == KEY_SPACE || character == '\r' ||
          character == ' ';
}

void DrawFocusMark(BITMAP *b, int x1, int y1, int x2, int y2)
{
   const int colour = InterfaceColour[COLOUR_TEXT];
   for (int x = x1; x <= x2; x += 2) {
      putpixel(b, x, y1, colour);
      putpixel(b, x, y2, colour);
   }
   for (int y = y1; y <= y2; y += 2) {
      putpixel(b, x1, y, colour);
      putpixel(b, x2, y, colour);
   }
}
