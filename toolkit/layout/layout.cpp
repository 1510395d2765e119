#include "layout/layout.h"

#include "core/control.h"
#include "toolkit/placement.h"

#include <algorithm>

namespace {

constexpr int kCoordinateMask = 0x00FFFFFF;
constexpr int kFlagMask = static_cast<int>(0xFF000000u);

void MoveTo(Control *c, int x, int y)
{
   c->x2 += x - c->x1;
   c->y2 += y - c->y1;
   c->x1 = x;
   c->y1 = y;
}

int BoxWidth(const Container *box)
{
   return ControlWidth(box->self);
}

int BoxHeight(const Container *box)
{
   return ControlHeight(box->self);
}

bool RowsOverlap(const Control *a, const Control *b)
{
   return a->y1 <= b->y2 && a->y2 >= b->y1;
}

bool ColumnsOverlap(const Control *a, const Control *b)
{
   return a->x1 <= b->x2 && a->x2 >= b->x1;
}

template <class Fn>
void ForEachPlaced(Container *box, Fn fn)
{
   for (Control *c = box->first; c; c = c->next)
      if (!c->not_placed)
         fn(c);
}

// --- placement codes -------------------------------------------------------

void PlaceFirst(Control *c)
{
   MoveTo(c, c->parent->left_margin, c->parent->top_margin);
}

void PlaceRight(Control *c)
{
   const Control *prev = PreviousPlaced(c);
   if (!prev)
      return PlaceFirst(c);
   MoveTo(c, prev->x2 + c->parent->h_gap + 1, prev->y1);
}

void PlaceBelow(Control *c)
{
   const Control *prev = PreviousPlaced(c);
   if (!prev)
      return PlaceFirst(c);
   MoveTo(c, prev->x1, prev->y2 + c->parent->v_gap + 1);
}

void PlaceNewRow(Control *c)
{
   if (!PreviousPlaced(c))
      return PlaceFirst(c);
   int lowest = 0;
   for (const Control *p = PreviousPlaced(c); p; p = PreviousPlaced(p))
      lowest = std::max(lowest, static_cast<int>(p->y2));
   MoveTo(c, c->parent->left_margin, lowest + c->parent->v_gap + 1);
}

// The new control takes the previous one's place and its predecessors move
// right, so a run placed 8, 4, 4 reads third, second, first.
void PlaceLeft(Control *c)
{
   Control *prev = PreviousPlaced(c);
   if (!prev)
      return PlaceFirst(c);
   const int gap = c->parent->h_gap;
   if (prev->place_code == PLACE_BELOW) {
      const int w = ControlWidth(c);
      MoveTo(c, prev->x1 - gap - 1 - w, prev->y1);
      return;
   }
   MoveTo(c, prev->x1, prev->y1);
   Control *left = c;
   for (Control *p = prev; p; p = PreviousPlaced(p)) {
      if (p->y1 != c->y1)
         break;
      MoveTo(p, left->x2 + gap + 1, p->y1);
      left = p;
      if (p->place_code != PLACE_LEFT)
         break;
   }
   c->parent->self->cls->grow_to_child(c->parent->self, left);
}

// --- equal sizes -----------------------------------------------------------

template <bool Widths>
void EqualiseRun(Control *c)
{
   const auto key = [](const Control *k) { return Widths ? k->y1 : k->x1; };
   const Control *prev = PreviousPlaced(c);
   if (prev && prev->equalise == c->equalise && key(prev) == key(c))
      return;  // not the first of its run; the first did the work
   std::vector<Control *> run;
   for (Control *k = c; k; k = k->next) {
      if (k->not_placed)
         continue;
      if (k->equalise != c->equalise || key(k) != key(c))
         break;
      run.push_back(k);
   }
   int greatest = 0;
   for (const Control *k : run)
      greatest = std::max(greatest, Widths ? ControlWidth(k) : ControlHeight(k));
   for (Control *k : run)
      (Widths ? k->x2 : k->y2) = (Widths ? k->x1 : k->y1) + greatest;
}

void EqualWidths(Control *c)
{
   EqualiseRun<true>(c);
}

void EqualHeights(Control *c)
{
   EqualiseRun<false>(c);
}

void EqualBoth(Control *c)
{
   EqualiseRun<true>(c);
   EqualiseRun<false>(c);
}

// --- stretching ------------------------------------------------------------

void StretchAcross(Control *c)
{
   const Container *box = c->parent;
   int limit = BoxWidth(box) - box->right_margin;
   ForEachPlaced(c->parent, [&](const Control *o) {
      if (o != c && o->x1 > c->x1 && RowsOverlap(o, c))
         limit = std::min(limit, o->x1 - box->h_gap - 1);
   });
   c->x2 = std::max(static_cast<int>(c->x2), limit);
}

void StretchDown(Control *c)
{
   const Container *box = c->parent;
   int limit = BoxHeight(box) - box->bottom_margin;
   ForEachPlaced(c->parent, [&](const Control *o) {
      if (o != c && o->y1 > c->y1 && ColumnsOverlap(o, c))
         limit = std::min(limit, o->y1 - box->v_gap - 1);
   });
   c->y2 = std::max(static_cast<int>(c->y2), limit);
}

// Down to the bottom of the tallest control sharing its row.
void StretchToRowBottom(Control *c)
{
   int bottom = c->y2;
   ForEachPlaced(c->parent, [&](const Control *o) {
      if (o->y1 == c->y1)
         bottom = std::max(bottom, static_cast<int>(o->y2));
   });
   c->y2 = bottom;
}

void FillCompletely(Control *c)
{
   StretchAcross(c);
   StretchDown(c);
}

void FillPartly(Control *c)
{
   StretchAcross(c);
   StretchToRowBottom(c);
}

// --- alignment -------------------------------------------------------------

void AlignBottom(Control *c)
{
   const Container *box = c->parent;
   MoveTo(c, c->x1, BoxHeight(box) - box->bottom_margin - ControlHeight(c));
}

// Moves to the right edge; the code-4 controls made after it sit to its left
// and move along.
void AlignRight(Control *c)
{
   const Container *box = c->parent;
   const int dx = BoxWidth(box) - box->right_margin - c->x2;
   const int row = c->y1;
   MoveTo(c, c->x1 + dx, c->y1);
   for (Control *k = c->next; k; k = k->next) {
      if (k->not_placed)
         continue;
      if (k->place_code != PLACE_LEFT || k->y1 != row)
         break;
      MoveTo(k, k->x1 + dx, k->y1);
   }
}

void AlignBoth(Control *c)
{
   AlignBottom(c);
   AlignRight(c);
}

LayoutHook PlaceHookFor(int code)
{
   switch (code) {
   case PLACE_FIRST: return PlaceFirst;
   case PLACE_RIGHT: return PlaceRight;
   case PLACE_LEFT: return PlaceLeft;
   case PLACE_NEW_ROW: return PlaceNewRow;
   case PLACE_BELOW: return PlaceBelow;
   default: return nullptr;
   }
}

}

Control *PreviousPlaced(const Control *c)
{
   for (Control *p = c->prev; p; p = p->prev)
      if (!p->not_placed)
         return p;
   return nullptr;
}

void DecodePlacement(Control *c, int x, int y)
{
   int flags = 0;
   if (y < 0) {
      c->x1 = x;
      c->y1 = y;
   } else {
      flags = (x | y) & kFlagMask;
      if ((y & kCoordinateMask) == AUTO) {
         c->place_code = x & 0xFF;
         c->place = PlaceHookFor(c->place_code);
      } else {
         c->x1 = x & kCoordinateMask;
         c->y1 = y & kCoordinateMask;
      }
   }
   c->x2 = c->x1;
   c->y2 = c->y1;

   const bool bottom = flags & LAYOUT_ALIGN_BOTTOM, right = flags & LAYOUT_ALIGN_RIGHT;
   c->align = bottom && right ? AlignBoth : bottom ? AlignBottom : right ? AlignRight : nullptr;

   if (flags & LAYOUT_STRETCH) {
      if (!(flags & LAYOUT_STRETCH_VERTICAL)) {
         c->stretch = StretchAcross;
         flags |= LAYOUT_FILL_COMPLETELY;
      } else {
         c->stretch = (flags & LAYOUT_FILL_COMPLETELY) ? FillCompletely : FillPartly;
      }
   }

   const bool widths = flags & LAYOUT_EQUAL_WIDTH, heights = flags & LAYOUT_EQUAL_HEIGHT;
   c->equalise = widths && heights ? EqualBoth : widths ? EqualWidths : heights ? EqualHeights : nullptr;

   c->flags_hi = flags & (LAYOUT_FILL_COMPLETELY | LAYOUT_STRETCH_VERTICAL);
}

void LayoutChildren(Control *c)
{
   if (!c->container)
      return;
   Container *box = c->container;
   for (Control *k = box->first; k; k = k->next)
      k->cls->measure(k);
   const auto run = [box](LayoutHook Control::*hook) {
      ForEachPlaced(box, [hook](Control *k) {
         if (k->*hook)
            (k->*hook)(k);
      });
   };
   run(&Control::place);
   run(&Control::equalise);
   run(&Control::place);
}

void FitChildren(Control *c)
{
   if (!c->container)
      return;
   Container *box = c->container;
   int w, h;
   if (box->fixed_size) {
      w = box->fixed_w - 1;
      h = box->fixed_h - 1;
   } else {
      w = box->left_margin + box->right_margin;
      h = box->top_margin + box->bottom_margin;
      ForEachPlaced(box, [&](const Control *k) {
         w = std::max(w, k->x2 + box->right_margin);
         h = std::max(h, k->y2 + box->bottom_margin);
      });
   }
   c->x2 = c->x1 + std::max(0, w + c->dw);
   c->y2 = c->y1 + std::max(0, h + c->dh);
}

void MeasureContainer(Control *c)
{
   c->cls->layout_children(c);
   c->cls->fit_children(c);
}

void GrowToChild(Control *c, Control *child)
{
   if (!c->container)
      return;
   Container *box = c->container;
   if (box->fixed_size)
      return;
   c->x2 = std::max(static_cast<int>(c->x2), c->x1 + child->x2 + box->right_margin);
   c->y2 = std::max(static_cast<int>(c->y2), c->y1 + child->y2 + box->bottom_margin);
}

void FillChildren(Control *c)
{
   if (!c->container)
      return;
   Container *box = c->container;
   for (Control *k = box->first; k; k = k->next) {
      if (k->stretch)
         k->stretch(k);
      if (!k->not_placed && k->align)
         k->align(k);
   }
   for (Control *k = box->first; k; k = k->next)
      k->cls->fill_children(k);
}

void LayoutTree(Control *top)
{
   top->cls->measure(top);
   top->cls->fill_children(top);
}
