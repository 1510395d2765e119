// The base class table and the creation steps every control kind shares.
#include "windows/control_class.h"

#include "core/alloc.h"
#include "core/control.h"
#include "core/state.h"
#include "draw/images.h"
#include "draw/labels.h"
#include "layout/layout.h"
#include "toolkit/fonts.h"
#include "windows/focus.h"
#include "windows/tooltips.h"
#include "windows/window_parts.h"

void DoNothing(void *) {}

namespace {

void DoNothingClick(int, void *, int, int) {}

void NoOp(Control *) {}

void MeasureNothing(Control *c)
{
   c->x2 = c->x1 + c->dw;
   c->y2 = c->y1 + c->dh;
}

void GrowBy(Control *c, int dw, int dh)
{
   c->dw += dw;
   c->dh += dh;
}

void ResolveIcon(Control *c)
{
   c->icon = c->icon_name.empty() ? nullptr : FindImage(ContainerOf(c), c->icon_name.c_str());
}

void DestroyContainerParts(Control *c)
{
   Container *box = c->container;
   if (!box)
      return;
   while (Control *child = box->last) {
      child->cls->unlink(child);
      child->cls->destroy(child);
   }
   for (auto it = Toolkit().groups.begin(); it != Toolkit().groups.end();)
      it = (*it == box) ? Toolkit().groups.erase(it) : it + 1;
   delete box;
   c->container = nullptr;
}

void Destroy(Control *c)
{
   DestroyContainerParts(c);
   c->hotkeys.clear();
   if (c->saved_under)
      HideTooltip(c);
   c->surface = nullptr;
   c->tooltip.clear();
   ForgetFocus(c);
   if (c->on_exit)
      c->on_exit(c);
   c->record.reset();
   UnregisterControl(c->id);
   c->doomed = 1;
   // The event loop may still hold a pin; the last unpin frees the record.
   if (c->refs <= 0)
      delete c;
}

void Deactivate(Control *c)
{
   c->active = 0;
}

void Activate(Control *c)
{
   c->active = 1;
}

void Redraw(Control *c)
{
   WindowRecord *w = c->surface;
   if (!w || !w->bitmap)
      return;
   c->cls->draw(c);
   int x, y;
   ControlScreenPos(c, &x, &y);
   RefreshScreenRect(x, y, x + ControlWidth(c), y + ControlHeight(c));
}

int NoChangeHandler(Control *, ChangeFn, void *)
{
   return 0;
}

int NoValue(Control *)
{
   return 0;
}

int NotResizable(Control *c, ChangeFn, void *, int)
{
   return c->id;
}

void Attach(Control *c)
{
   c->surface = c->parent ? c->parent->self->surface : nullptr;
}

void GetSizeAdjust(Control *c, int *dw, int *dh)
{
   *dw = c->dw;
   *dh = c->dh;
}

void SetSizeAdjust(Control *c, int dw, int dh)
{
   c->dw = dw;
   c->dh = dh;
}

void SetStyle(Control *c, uint8_t style)
{
   c->style = style;
}

void DrawContainer(Control *c)
{
   if (!c->container)
      return;
   for (Control *child = c->container->first; child; child = child->next)
      child->cls->draw(child);
}

void AttachContainer(Control *c)
{
   Attach(c);
   if (!c->container)
      return;
   for (Control *child = c->container->first; child; child = child->next)
      child->cls->attach(child);
}

ControlClass MakeBaseClass()
{
   ControlClass b{};
   b.measure = MeasureNothing;
   b.grow = GrowBy;
   b.resolve_icon = ResolveIcon;
   b.reserved3 = NoOp;
   b.unlink = UnlinkControl;
   b.destroy = Destroy;
   b.close = NoOp;
   b.deactivate = Deactivate;
   b.activate = Activate;
   b.draw = NoOp;
   b.redraw = Redraw;
   b.set_change_handler = NoChangeHandler;
   b.get_value = NoValue;
   b.reserved13 = b.reserved14 = b.reserved15 = b.reserved18 = b.reserved21 = NoOp;
   b.layout_children = NoOp;
   b.fill_children = NoOp;
   b.make_resizable = NotResizable;
   b.attach = Attach;
   b.get_size_adjust = GetSizeAdjust;
   b.set_size_adjust = SetSizeAdjust;
   b.set_style = SetStyle;
   b.grow_to_child = [](Control *, Control *) {};
   b.fit_children = NoOp;
   return b;
}

}

const ControlClass &BaseControlClass(void)
{
   static const ControlClass base = MakeBaseClass();
   return base;
}

const ControlClass *ClassOnce(ClassSlot &slot, void (*customise)(ControlClass &))
{
   if (!slot.built) {
      slot.table = BaseControlClass();
      if (customise)
         customise(slot.table);
      slot.built = true;
   }
   return &slot.table;
}

const InputClass kNoInput = {nullptr, nullptr};

Control *NewControl(const ControlClass *cls, Container *into)
{
   Control *c = GuardedNew<Control>();
   if (RegisterControl(c) < 0) {
      delete c;
      return nullptr;
   }
   c->cls = cls;
   c->event_cls = &kNoInput;
   c->font = ToolkitFont();
   c->on_action = DoNothing;
   c->on_click = DoNothingClick;
   c->hk_line = NO_HOTKEY_LINE;
   if (into) {
      LinkControl(into, c);
      c->surface = into->self->surface;
   }
   return c;
}

Control *CreateControl(const ControlClass *cls, int x, int y, const char *label)
{
   Container *into = OpenContainer();
   if (!into)
      return nullptr;
   Control *c = NewControl(cls, into);
   if (!c)
      return nullptr;
   DecodePlacement(c, x, y);
   ParseLabel(c, label);
   if (!c->surface)
      c->cls->attach(c);
   return c;
}

const ControlClass *ContainerClass(void)
{
   static ClassSlot slot;
   return ClassOnce(slot, [](ControlClass &k) {
      k.measure = MeasureContainer;
      k.draw = DrawContainer;
      k.attach = AttachContainer;
      k.layout_children = LayoutChildren;
      k.fill_children = FillChildren;
      k.grow_to_child = GrowToChild;
      k.fit_children = FitChildren;
   });
}

void DestroyControl(Control *c)
{
   if (!c)
      return;
   c->cls->unlink(c);
   c->cls->destroy(c);
}
