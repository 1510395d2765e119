// Tab control: the frame, the tab row, the tabs and the page area. Measuring
// and drawing first, then input and choosing a tab.
#include "toolkit/controls/tabs.h"

#include "controls/control_paint.h"
#include "core/alloc.h"
#include "core/control.h"
#include "core/pointer_event.h"
#include "draw/draw.h"
#include "layout/layout.h"
#include "toolkit/colours.h"
#include "toolkit/placement.h"
#include "windows/control_class.h"
#include "windows/focus.h"
#include "windows/window_parts.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int kTabPadding = 6;   // left and right of a tab's label
constexpr int kTabExtra = 10;    // tab height = font height + 10
constexpr int kPageFrame = 2;    // the page's bevel
constexpr int kPageSpacing = 2;  // page margins and gaps inside the bevel

using BuildFn = void (*)(void *);

struct TabSet {
   std::vector<Control *> tabs;  // in AddTab order
   int current = -1;
   int *selected = nullptr;
   int own_selected = 0;  // used when the caller gave no int
   Control *row = nullptr;
   Control *page = nullptr;
   int page_w = 0, page_h = 0;  // the largest page so far
};

// The record of the row and of the page: the set is the frame's.
struct TabPart {
   TabSet *set;
};

struct Tab {
   TabSet *set;
   int index;
   BuildFn build;
   void *data;
};

void ChooseTab(TabSet *set, int index);

// --- measuring -------------------------------------------------------------

int TabHeight(const Control *c)
{
   return text_height(c->font) + kTabExtra;
}

void MeasureTab(Control *c)
{
   const int icon_w = c->icon ? c->icon->width + (c->text.empty() ? 0 : 3) : 0;
   c->x2 = c->x1 + std::max(0, icon_w + LabelLinesWidth(c) + 2 * kTabPadding + c->dw);
   c->y2 = c->y1 + std::max(0, TabHeight(c) + c->dh);
}

// The page is built when the window is first laid out, so *selected is read
// once every tab is there.
void MeasureFrame(Control *c)
{
   TabSet *set = RecordOf<TabSet>(c);
   if (set->current < 0 && !set->tabs.empty()) {
      const int wanted = *set->selected;
      ChooseTab(set, wanted >= 0 && wanted < static_cast<int>(set->tabs.size()) ? wanted : 0);
   }
   MeasureContainer(c);
}

// A page fitted to its contents keeps the size of the largest page shown, so
// the window does not jump when another tab is chosen.
void FitPage(Control *c)
{
   TabSet *set = RecordOf<TabPart>(c)->set;
   FitChildren(c);
   if (c->container->fixed_size)
      return;
   set->page_w = std::max(set->page_w, ControlWidth(c));
   set->page_h = std::max(set->page_h, ControlHeight(c));
   c->x2 = c->x1 + set->page_w;
   c->y2 = c->y1 + set->page_h;
}

// --- drawing ---------------------------------------------------------------

void DrawTab(Control *c)
{
   PaintArea a;
   if (!AreaOf(c, &a))
      return;
   const Tab *t = RecordOf<Tab>(c);
   const bool current = t->set->current == t->index;
   rectfill(a.b, a.x1, a.y1, a.x2, a.y2, InterfaceColour[COLOUR_FACE]);
   // The current tab reaches one pixel higher and runs into the page.
   const int top = current ? a.y1 : a.y1 + 1;
   const int light = InterfaceColour[COLOUR_LIGHT];
   vline(a.b, a.x1, top + 2, a.y2, light);
   putpixel(a.b, a.x1 + 1, top + 1, light);
   hline(a.b, a.x1 + 2, top, a.x2 - 2, light);
   putpixel(a.b, a.x2 - 1, top + 1, InterfaceColour[COLOUR_TEXT]);
   vline(a.b, a.x2, top + 2, a.y2, InterfaceColour[COLOUR_TEXT]);
   vline(a.b, a.x2 - 1, top + 2, a.y2, InterfaceColour[COLOUR_SHADOW]);
   int x = a.x1 + kTabPadding;
   const int ty = top + (a.y2 - top + 1 - text_height(c->font)) / 2;
   if (c->icon) {
      DrawIcon(a.b, c->icon.get(), x, top + (a.y2 - top + 1 - c->icon->height) / 2);
      x += c->icon->width + (c->text.empty() ? 0 : 3);
   }
   DrawLabelLines(a.b, c, x, ty, InterfaceColour[COLOUR_TEXT]);
   if (current && HasFocus(t->set->row))
      DrawFocusMark(a.b, x - 2, ty - 1, x + LabelLinesWidth(c) + 1, ty + text_height(c->font));
}

void DrawPage(Control *c)
{
   PaintArea a;
   if (!AreaOf(c, &a))
      return;
   const TabSet *set = RecordOf<TabPart>(c)->set;
   rectfill(a.b, a.x1, a.y1, a.x2, a.y2, InterfaceColour[COLOUR_FACE]);
   hline(a.b, a.x1, a.y1, a.x2, InterfaceColour[COLOUR_LIGHT]);
   vline(a.b, a.x1, a.y1, a.y2, InterfaceColour[COLOUR_LIGHT]);
   hline(a.b, a.x1, a.y2, a.x2, InterfaceColour[COLOUR_TEXT]);
   vline(a.b, a.x2, a.y1, a.y2, InterfaceColour[COLOUR_TEXT]);
   hline(a.b, a.x1 + 1, a.y2 - 1, a.x2 - 1, InterfaceColour[COLOUR_SHADOW]);
   vline(a.b, a.x2 - 1, a.y1 + 1, a.y2 - 1, InterfaceColour[COLOUR_SHADOW]);
   // No line between the current tab and its page.
   if (set->current >= 0) {
      const Control *tab = set->tabs[set->current];
      int tx, ty;
      ControlWindowPos(tab, &tx, &ty);
      hline(a.b, std::max(a.x1 + 1, tx + 1), a.y1, std::min(a.x2 - 2, tx + ControlWidth(tab) - 2),
            InterfaceColour[COLOUR_FACE]);
   }
   ContainerClass()->draw(c);
}

void DrawRow(Control *c)
{
   PaintArea a;
   if (AreaOf(c, &a))
      rectfill(a.b, a.x1, a.y1, a.x2, a.y2, InterfaceColour[COLOUR_FACE]);
   ContainerClass()->draw(c);
}

// --- input -----------------------------------------------------------------

void ChooseTabOf(void *control)
{
   const Tab *t = RecordOf<Tab>(static_cast<Control *>(control));
   ChooseTab(t->set, t->index);
}

int TabMouse(Control *c, const PointerEvent &ev, int, int)
{
   if (ev.code == POINTER_PRESS && (ev.press_buttons & 1))
      ChooseTabOf(c);
   return 1;
}

// The row is the one focus stop of the tab control.
int RowKey(Control *c, int, int scancode, int)
{
   TabSet *set = RecordOf<TabPart>(c)->set;
   const int last = static_cast<int>(set->tabs.size()) - 1;
   if (scancode == KEY_LEFT && set->current > 0)
      ChooseTab(set, set->current - 1);
   else if (scancode == KEY_RIGHT && set->current < last)
      ChooseTab(set, set->current + 1);
   else
      return scancode == KEY_LEFT || scancode == KEY_RIGHT;
   return 1;
}

const InputClass kTabInput = {TabMouse, nullptr};
const InputClass kRowInput = {nullptr, RowKey};

// --- classes ---------------------------------------------------------------

const ControlClass *TabClass()
{
   static ClassSlot slot;
   return ClassOnce(slot, [](ControlClass &k) {
      k.measure = MeasureTab;
      k.draw = DrawTab;
   });
}

const ControlClass *RowClass()
{
   static ClassSlot slot;
   return ClassOnce(slot, [](ControlClass &k) {
      k = *ContainerClass();
      k.draw = DrawRow;
   });
}

const ControlClass *PageClass()
{
   static ClassSlot slot;
   return ClassOnce(slot, [](ControlClass &k) {
      k = *ContainerClass();
      k.draw = DrawPage;
      k.fit_children = FitPage;
   });
}

const ControlClass *FrameClass()
{
   static ClassSlot slot;
   return ClassOnce(slot, [](ControlClass &k) {
      k = *ContainerClass();
      k.measure = MeasureFrame;
   });
}

// --- choosing a tab ----------------------------------------------------------

// Lays a shown window out again where it is and puts it on the screen.
void RelayoutShownWindow(WindowRecord *w)
{
   Control *root = w->root->self;
   const int ox1 = root->x1, oy1 = root->y1, ox2 = root->x2, oy2 = root->y2;
   LayoutWindow(w);
   RedrawWindow(w);
   RefreshScreenRect(ox1, oy1, ox2, oy2);
}

void ChooseTab(TabSet *set, int index)
{
   if (index < 0 || index >= static_cast<int>(set->tabs.size()) || index == set->current)
      return;
   set->current = index;
   *set->selected = index;
   Container *page = set->page->container;
   while (Control *child = page->last)
      DestroyControl(child);
   const Tab *t = RecordOf<Tab>(set->tabs[index]);
   PushGroup(page);
   t->build(t->data);
   PopGroup();
   WindowRecord *w = WindowOf(set->page);
   if (w && w->shown && WindowUnderConstruction() != w)
      RelayoutShownWindow(w);
}

}

int PlaceTabs(int x, int y, int w, int h, int *selected)
{
   Control *frame = CreateControl(FrameClass(), x, y, nullptr);
   if (!frame)
      return -1;
   // The frame owns the tab set; its row and page refer to it.
   TabSet *set = MakeRecord<TabSet>(frame);
   set->selected = selected ? selected : &set->own_selected;
   Container *box = MakeContainer(frame);
   SetSpacing(box, 0, 0);
   const bool given_size = (h & AUTO) != AUTO;
   if (given_size) {
      box->fixed_size = true;
      box->fixed_w = std::max(1, w);
      box->fixed_h = std::max(1, h);
   }
   PushGroup(box);
   set->row = CreateControl(RowClass(), PLACE_FIRST, AUTO | LAYOUT_STRETCH, nullptr);
   if (set->row) {
      SetSpacing(MakeContainer(set->row), 0, 0);
      MakeRecord<TabPart>(set->row, set);
      set->row->event_cls = &kRowInput;
      MakeFocusable(set->row);
   }
   set->page = CreateControl(PageClass(), PLACE_NEW_ROW,
                             AUTO | LAYOUT_STRETCH | LAYOUT_STRETCH_VERTICAL | LAYOUT_FILL_COMPLETELY, nullptr);
   PopGroup();
   if (!set->row || !set->page)
      return -1;
   MakeRecord<TabPart>(set->page, set);
   Container *page = MakeContainer(set->page);
   SetSpacing(page, kPageSpacing, kPageSpacing);
   page->left_margin += kPageFrame;
   page->right_margin += kPageFrame;
   page->top_margin += kPageFrame;
   page->bottom_margin += kPageFrame;
   if (given_size) {
      page->fixed_size = true;
      page->fixed_w = std::max(1, w - 4);
      page->fixed_h = std::max(1, h - (text_height(frame->font) + kTabExtra) - 6);
   }
   return set->page->id;
}

int AddTab(int tabs, void (*build)(void *data), void *data, const char *label)
{
   Control *page = LookupControl(tabs);
   if (!page || page->cls != PageClass())
      return -1;
   TabSet *set = RecordOf<TabPart>(page)->set;
   PushGroup(set->row->container);
   Control *c = CreateControl(TabClass(), PLACE_RIGHT, AUTO, label);
   PopGroup();
   if (!c)
      return -1;
   MakeRecord<Tab>(c, set, static_cast<int>(set->tabs.size()), build ? build : DoNothing, data);
   c->event_cls = &kTabInput;
   c->on_action = ChooseTabOf;  // its hot keys
   c->action_data = c;
   set->tabs.push_back(c);
   return c->id;
}
