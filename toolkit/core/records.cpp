// Control records: the toolkit state, linking into containers, containers'
// spacing, the groups under construction and geometry.
#include "core/alloc.h"
#include "core/control.h"
#include "core/state.h"

ToolkitState &Toolkit()
{
   static ToolkitState *state = new ToolkitState;  // outlives static destructors
   return *state;
}

void LinkControl(Container *box, Control *c)
{
   Control *after = box->insert_at;
   c->parent = box;
   c->prev = after;
   c->next = after ? after->next : box->first;
   if (c->next)
      c->next->prev = c;
   else
      box->last = c;
   if (after)
      after->next = c;
   else
      box->first = c;
   box->insert_at = c;
}

void UnlinkControl(Control *c)
{
   Container *box = c->parent;
   if (!box)
      return;
   if (c->prev)
      c->prev->next = c->next;
   else
      box->first = c->next;
   if (c->next)
      c->next->prev = c->prev;
   else
      box->last = c->prev;
   if (box->insert_at == c)
      box->insert_at = c->prev;
   c->next = c->prev = nullptr;
   c->parent = nullptr;
}

Container *MakeContainer(Control *c)
{
   Container *box = GuardedNew<Container>();
   box->self = c;
   c->container = box;
   if (c->parent) {
      const Container *p = c->parent;
      box->window = p->window;
      box->h_gap = p->h_gap;
      box->v_gap = p->v_gap;
      box->top_margin = p->top_margin;
      box->bottom_margin = p->bottom_margin;
   } else {
      box->h_gap = box->v_gap = box->top_margin = box->bottom_margin = 2;
   }
   return box;
}

void SetSpacing(Container *box, int h, int v)
{
   box->left_margin = box->h_gap = box->right_margin = h;
   box->top_margin = box->v_gap = box->bottom_margin = v;
}

Container *OpenContainer(void)
{
   ToolkitState &t = Toolkit();
   if (!t.groups.empty())
      return t.groups.back();
   return t.under_construction ? t.under_construction->client : nullptr;
}

void PushGroup(Container *box)
{
   Toolkit().groups.push_back(box);
}

void PopGroup(void)
{
   if (!Toolkit().groups.empty())
      Toolkit().groups.pop_back();
}

Container *ContainerOf(Control *c)
{
   return c->container ? c->container : c->parent;
}

int ControlWidth(const Control *c)
{
   return c->x2 - c->x1;
}

int ControlHeight(const Control *c)
{
   return c->y2 - c->y1;
}

bool PointInside(const Control *c, int x, int y)
{
   return x >= 0 && y >= 0 && x <= ControlWidth(c) && y <= ControlHeight(c);
}

void ControlWindowPos(const Control *c, int *x, int *y)
{
   int ax = 0, ay = 0;
   // Sum offsets up to, not including, the window root.
   for (const Control *p = c; p->parent && p->parent->self->parent; p = p->parent->self) {
      ax += p->x1 - p->parent->scroll_x;
      ay += p->y1 - p->parent->scroll_y;
   }
   *x = ax;
   *y = ay;
}

void ControlScreenPos(const Control *c, int *x, int *y)
{
   int ax = 0, ay = 0;
   for (const Control *p = c; p; p = p->parent ? p->parent->self : nullptr) {
      ax += p->x1;
      ay += p->y1;
      if (p->parent) {
         ax -= p->parent->scroll_x;
         ay -= p->parent->scroll_y;
      }
   }
   *x = ax;
   *y = ay;
}

bool ToolkitRunning(void)
{
   return Toolkit().running;
}

bool ToolkitStarting(void)
{
   return Toolkit().starting;
}

Container *Desktop(void)
{
   Control *d = Toolkit().desktop;
   return d ? d->container : nullptr;
}

WindowRecord *WindowUnderConstruction(void)
{
   return Toolkit().under_construction;
}

WindowRecord *TopWindow(void)
{
   const auto &ws = Toolkit().windows;
   return ws.empty() ? nullptr : ws.back();
}

const std::vector<WindowRecord *> &WindowsBottomToTop(void)
{
   return Toolkit().windows;
}

WindowRecord *WindowOf(const Control *c)
{
   for (; c; c = c->parent ? c->parent->self : nullptr)
      if (c->container && c->container->window)
         return c->container->window;
   return nullptr;
}
