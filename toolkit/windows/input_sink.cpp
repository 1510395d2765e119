// What the event loop asks of the control layer to deliver input.
#include "windows/input_sink.h"

#include "core/control.h"
#include "core/pointer_event.h"
#include "windows/focus.h"
#include "windows/tooltips.h"

#include <cctype>

namespace {

// (x, y) relative to the control's parent.
bool Contains(const Control *c, int x, int y)
{
   return PointInside(c, x - c->x1, y - c->y1);
}

bool TakesMouse(const Control *c)
{
   return c->event_cls && c->event_cls->mouse;
}

// (x, y) relative to the container; later children lie on top.
Control *TopmostIn(Container *box, int x, int y)
{
   x += box->scroll_x;
   y += box->scroll_y;
   for (Control *c = box->last; c; c = c->prev) {
      if (!Contains(c, x, y))
         continue;
      if (c->container)
         if (Control *inner = TopmostIn(c->container, x - c->x1, y - c->y1))
            return inner;
      if (TakesMouse(c))
         return c;
   }
   return nullptr;
}

// Allegro gives Alt+letter no character (or another one than the plain
// letter); the scancode says which letter or digit it was.
int HotKeyCharacter(int character, int scancode, int shifts)
{
   if (!(shifts & KB_ALT_FLAG))
      return character;
   if (scancode >= KEY_A && scancode <= KEY_Z)
      return 'a' + scancode - KEY_A;
   if (scancode >= KEY_0 && scancode <= KEY_9)
      return '0' + scancode - KEY_0;
   return character;
}

bool MatchesHotKey(const Control *c, int character, int scancode)
{
   const int folded = std::tolower(character & 0xFF);
   for (const HotKey &k : c->hotkeys) {
      if (k.scan ? k.scan == scancode : (character && k.key == folded))
         return true;
   }
   return false;
}

Control *FindHotKey(Container *box, int character, int scancode)
{
   for (Control *c = box->first; c; c = c->next) {
      if (MatchesHotKey(c, character, scancode))
         return c;
      if (c->container)
         if (Control *inner = FindHotKey(c->container, character, scancode))
            return inner;
   }
   return nullptr;
}

}

Control *ControlAtPoint(int x, int y)
{
   const auto &windows = WindowsBottomToTop();
   for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
      WindowRecord *w = *it;
      Control *root = w->root->self;
      if (!w->shown || !Contains(root, x, y))
         continue;
      // A window covered by a modal one takes no input; neither do those below.
      if (w->modal_above > 0)
         return nullptr;
      Control *hit = TopmostIn(w->root, x - root->x1, y - root->y1);
      return hit || !TakesMouse(root) ? hit : root;
   }
   return nullptr;
}

Control *PinControl(int id)
{
   Control *c = LookupControl(id);
   if (c)
      ++c->refs;
   return c;
}

void UnpinControl(Control *control)
{
   if (!control)
      return;
   if (--control->refs <= 0 && control->doomed)
      delete control;
}

bool ControlIsLive(const Control *control)
{
   return control && !control->doomed;
}

int ControlClickMask(const Control *control)
{
   return control ? control->click_flag : 0;
}

int DeliverPointer(Control *control, const PointerEvent &event)
{
   if (!ControlIsLive(control))
      return 0;
   if (event.code == POINTER_OVER)
      ShowTooltip(control);
   else if (event.code == POINTER_LEFT || event.code == POINTER_PRESS)
      HideTooltip(control);
   if (event.code == POINTER_PRESS)
      FocusOnPress(control);
   if (!TakesMouse(control))
      return 0;
   int sx, sy;
   ControlScreenPos(control, &sx, &sy);
   return control->event_cls->mouse(control, event, event.x - sx, event.y - sy);
}

void DeliverWheel(Control *control, const PointerEvent &event)
{
   // Pinned: a handler may close the window and free the chain above.
   for (Control *c = control; c && ControlIsLive(c);) {
      const int id = c->id;
      if (TakesMouse(c)) {
         int sx, sy;
         ControlScreenPos(c, &sx, &sy);
         Control *pinned = PinControl(id);
         const int taken = c->event_cls->mouse(c, event, event.x - sx, event.y - sy);
         const bool live = ControlIsLive(pinned);
         UnpinControl(pinned);
         if (taken || !live)
            return;
      }
      // The desktop above the window's root takes no part.
      c = c->parent && c->parent->self->parent ? c->parent->self : nullptr;
   }
}

void DeliverClick(Control *control, int button, int count)
{
   if (ControlIsLive(control) && control->on_click)
      control->on_click(control->id, control->click_data, button, count);
}

void DeliverKey(int character, int scancode, int shifts)
{
   WindowRecord *w = TopWindow();
   if (!w || !w->shown || w->modal_above > 0)
      return;
   if (w->key_handler && w->key_handler(w->key_data, character, scancode, shifts))
      return;
   const int hot = HotKeyCharacter(character, scancode, shifts);
   // Alt+letter is a hot key even while a control that takes text has the keys.
   Control *alt_hot = (shifts & KB_ALT_FLAG) ? FindHotKey(w->client, hot, scancode) : nullptr;
   if (Control *f = w->focus; !alt_hot && f && f->event_cls && f->event_cls->key)
      if (f->event_cls->key(f, character, scancode, shifts))
         return;
   if (!alt_hot && HandleFocusKey(w, character, scancode, shifts))
      return;
   if (Control *c = alt_hot ? alt_hot : FindHotKey(w->client, hot, scancode)) {
      if (c->event_cls && c->event_cls->key && c->event_cls->key(c, hot, scancode, shifts))
         return;
      c->on_action(c->action_data);
   }
}
