// The public operations on a control given by id.
#include "core/control.h"
#include "draw/labels.h"
#include "toolkit/control_calls.h"

#include "windows/tooltips.h"

namespace {

void NoClick(int, void *, int, int) {}

}

int RedrawControl(int id)
{
   Control *c = LookupControl(id);
   if (!c)
      return 0;
   // While a window is being built nothing is on the screen in its final place.
   if (c->parent && !WindowUnderConstruction())
      c->cls->redraw(c);
   return 1;
}

int ResizeControl(int id, int dw, int dh)
{
   Control *c = LookupControl(id);
   if (!c)
      return 0;
   c->cls->set_size_adjust(c, dw, dh);
   return 1;
}

int SetTooltip(int id, const char *text)
{
   Control *c = LookupControl(id);
   if (!c)
      return 0;
   if (c->saved_under)
      HideTooltip(c);
   c->tooltip = ParseTooltip(text);
   return 1;
}

int SetChangeHandler(int id, void (*fn)(void *), void *data)
{
   Control *c = LookupControl(id);
   return c ? c->cls->set_change_handler(c, fn, data) : 0;
}

int SetClickHandler(int id, void (*fn)(int, void *, int, int), void *data, int flag)
{
   Control *c = LookupControl(id);
   if (!c)
      return 0;
   c->on_click = fn ? fn : NoClick;
   c->click_data = data;
   c->click_flag = static_cast<uint8_t>(flag);
   return 1;
}

int MakeResizable(int id, void (*fn)(void *), void *data, int flags)
{
   Control *c = LookupControl(id);
   return c ? c->cls->make_resizable(c, fn, data, flags) : 0;
}

void ToolkitBeep(int, int) {}
