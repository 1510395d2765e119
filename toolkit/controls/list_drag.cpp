// Dragging rows: a left-button drag of a row of a drag-source view asks the
// source (event 3), asks every target row it passes (event 4), and on release
// drops on the target row (event 2) and ends the drag at the source (event 2).
// Source flag bit 0 marks a move (cursor 0); otherwise the drag is a copy
// (cursor 1). Cursor 2 shows a row that refuses the drop.
#include "controls/list_view_parts.h"
#include "core/control.h"
#include "core/pointer_event.h"
#include "toolkit/controls/list_view.h"
#include "toolkit/cursors.h"
#include "windows/input_sink.h"

namespace {

constexpr int kCursorMove = 0;
constexpr int kCursorCopy = 1;
constexpr int kCursorNoDrop = 2;

struct RowDrag {
   int source_id = -1;  // the source view, looked up again after callbacks
   int index = 0;
   void *item = nullptr;
   bool active = false;
   bool refused = false;  // the source said no for this press
};

// The row drag in progress, if any.
RowDrag &CurrentRowDrag()
{
   static RowDrag state;
   return state;
}

ListView *LiveView(int id)
{
   Control *c = LookupControl(id);
   return c ? ListOf(c) : nullptr;
}

struct Target {
   ListView *view = nullptr;
   int index = 0;
   void *item = nullptr;
};

// The row under the point when its view takes drags of the source's type.
Target TargetAt(const ListView *source, int x, int y)
{
   Control *c = ControlAtPoint(x, y);
   ListView *v = c ? ListOf(c) : nullptr;
   const int pos = v ? RowPosition(v, c) : -1;
   if (pos < 0 || !v->drop_target)
      return {};
   if (v->drop_type != source->drag_type && !(v->drop_type & source->drag_type))
      return {};
   const int index = v->first + pos;
   return Target{v, index, ListItem(v, index)};
}

int Ask(const ListView *source, const Target &t, int event)
{
   return t.view ? t.view->drop_target(t.item, event, source->list, t.view->list, t.index) : 0;
}

void Start(ListView *v, Control *row)
{
   const int index = v->first + RowPosition(v, row);
   if (index >= ListCount(v)) {
      CurrentRowDrag().refused = true;
      return;
   }
   void *item = ListItem(v, index);
   const int id = v->self->id;
   const bool allowed = v->drag_source(item, LIST_DRAG_START, v->list, index) != 0;
   if (!allowed || !LiveView(id)) {
      CurrentRowDrag().refused = true;
      return;
   }
   CurrentRowDrag() = RowDrag{id, index, item, true, false};
   UseMouseCursor((v->drag_flags & 1) ? kCursorMove : kCursorCopy);
}

void Finish(const PointerEvent &ev)
{
   const RowDrag drag = CurrentRowDrag();
   CurrentRowDrag() = RowDrag{};
   if (ListView *source = LiveView(drag.source_id)) {
      const Target t = TargetAt(source, ev.x, ev.y);
      if (Ask(source, t, LIST_DRAG_OVER))
         Ask(source, t, LIST_DRAG_END);
   }
   UseMouseCursor(CURSOR_ARROW);
   if (ListView *source = LiveView(drag.source_id))
      source->drag_source(drag.item, LIST_DRAG_END, source->list, drag.index);
}

// Dragging past the top or bottom edge of the source view scrolls it a row
// per movement, so a row can be taken anywhere in a long list.
void ScrollAtEdge(ListView *source, int x, int y)
{
   int sx, sy;
   ControlScreenPos(source->self, &sx, &sy);
   if (x < sx || x > sx + ControlWidth(source->self))
      return;
   if (y < sy + LIST_FRAME)
      ScrollList(source, source->first - 1);
   else if (y > sy + ControlHeight(source->self) - LIST_FRAME)
      ScrollList(source, source->first + 1);
}

}

int ListDragMouse(Control *row, const PointerEvent &ev)
{
   ListView *v = ListOf(row);
   switch (ev.code) {
   case POINTER_PRESS: CurrentRowDrag() = RowDrag{}; return 0;
   case POINTER_DRAG:
      if (CurrentRowDrag().active) {
         if (ListView *source = LiveView(CurrentRowDrag().source_id)) {
            ScrollAtEdge(source, ev.x, ev.y);
            const bool ok = Ask(source, TargetAt(source, ev.x, ev.y), LIST_DRAG_OVER) != 0;
            UseMouseCursor(!ok ? kCursorNoDrop : (source->drag_flags & 1) ? kCursorMove : kCursorCopy);
         }
         return 1;
      }
      if (!ev.dragging || !(ev.press_buttons & 1) || CurrentRowDrag().refused || !v->drag_source)
         return 0;
      Start(v, row);
      return 1;
   case POINTER_RELEASE:
      if (!CurrentRowDrag().active)
         return 0;
      Finish(ev);
      return 1;
   default: return 0;
   }
}

void ForgetRowDrag(ListView *v)
{
   if (CurrentRowDrag().source_id == v->self->id) {
      CurrentRowDrag() = RowDrag{};
      UseMouseCursor(CURSOR_ARROW);
   }
}
