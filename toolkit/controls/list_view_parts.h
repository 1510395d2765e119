// Inside the list view: its record and what its parts (rows, scroll bar,
// dragging) share. See list_view.h for the public contract.
#pragma once

#include "core/control.h"
#include "core/pointer_event.h"

#include <set>
#include <vector>

struct ListView {
   Control *self;
   void *list;
   int *count;
   int width;  // rows' width in pixels asked for
   int cols;
   int rows;       // rows asked for; row_controls holds the visible ones
   int first = 0;  // absolute row shown at the top
   int lead = -1;  // the keyboard's row
   int anchor = -1;
   std::set<int> selected;
   std::vector<int> column_widths;
   int (*row_text)(void *, char *, int);
   void (*row_menu)(int, void *);
   void *(*index)(void *, int) = nullptr;
   void (*activate)(int, void *, int, int) = nullptr;
   int activate_mask = 0;
   int (*drag_source)(void *, int, void *, int) = nullptr;
   int drag_type = 0;
   int drag_flags = 0;
   int (*drop_target)(void *, int, void *, void *, int, ...) = nullptr;
   int drop_type = 0;
   bool stretched = false;  // follows its container vertically
   bool resizable = false;
   int resize_flags = 0;
   ChangeFn on_resize = nullptr;
   void *resize_data = nullptr;
   std::vector<Control *> row_controls;
   Control *scroll_bar = nullptr;
};

inline constexpr int LIST_FRAME = 2;
inline constexpr int LIST_ROW_SPACING = 2;  // extra pixels between rows
inline constexpr int LIST_SCROLL_WIDTH = 13;
inline constexpr int LIST_INDENT = 12;
inline constexpr int LIST_GRIP = 8;  // the resizable view's corner, square

// The view record of a list view control, or of one of its parts.
ListView *ListOf(Control *c);
int ListRowHeight(const ListView *v);
int ListCount(const ListView *v);
int VisibleRows(const ListView *v);
// Largest first row that still fills the view.
int ListMaxFirst(const ListView *v);
void *ListItem(const ListView *v, int row);  // null past the count
// Row position among the visible rows, or -1.
int RowPosition(const ListView *v, const Control *row);
// The row control showing absolute row `row`, or null.
Control *RowShowing(const ListView *v, int row);

// Scrolls so that `first` is the top row (clamped) and redraws.
void ScrollList(ListView *v, int first);
// Redraws every row and the scroll bar.
void RedrawList(ListView *v);
// Selection changes by a click (shifts: KB_SHIFT_FLAG, KB_CTRL_FLAG) or a key.
void SelectRow(ListView *v, int row, int shifts);
// Calls `row_menu` for every selected row.
void RunRowMenu(ListView *v);
void ActivateRow(ListView *v, int row, int buttons);

// Height (y2 - y1) of a view showing `rows` rows.
int ListNaturalHeight(const ListView *v, int rows);
// The view's own input: the resizable corner and the keys.
extern const InputClass kListViewInput;
// Forgets a corner drag of the view (it is being destroyed).
void ForgetCorner(ListView *v);

// Parts.
// Null when the control table is full.
Control *MakeListRow(ListView *v);
Control *MakeListScrollBar(ListView *v);
// Row mouse input that belongs to dragging; 1 when consumed.
int ListDragMouse(Control *row, const PointerEvent &event);
// Forgets a drag that involves the view (it is being destroyed).
void ForgetRowDrag(ListView *v);
