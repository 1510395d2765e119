// The list view: a framed box of rows showing the caller's list, with a
// vertical scroll bar, selection, row activation, a resizable corner and
// dragging rows between (or within) list views.
//
// Contract:
// - The toolkit never owns the list. `*count` is read every time the view is
//   drawn; rows at or past it are drawn empty and never reach `row_text`.
// - Row numbers given to callbacks are absolute (the row's place among the
//   visible rows plus the first visible row). The item handle of row i is
//   `index(list, i)` (SetListIndexer); without an indexer the list is taken as
//   an array of item pointers, `((void **)list)[i]`.
// - `row_text(item, buf, column)` writes a NUL-terminated text of at most
//   LIST_TEXT_SIZE bytes into `buf` and returns LIST_ROW_* flag bits. A text
//   that starts with `#` (not `##`) starts with an icon reference up to `;`.
// - Without SetListColumns a row shows column 0 only, across the whole row.
// - Keys while the view has the keyboard: Up, Down, PgUp, PgDn, Home, End move
//   the selection (with Shift they extend it), Enter and Space activate the
//   row (SetRowActivate, button mask 1), the Menu key or Shift+F10 runs the
//   row action (`row_menu`), which the right mouse button runs too.
// - PlaceListView answers 0, and makes nothing, when `rows` is below 1 or no
//   window is under construction. The setters answer 1, or 0 for an id that
//   names no list view.
#pragma once

// Flag bits returned by `row_text`.
inline constexpr unsigned LIST_ROW_STRIKE = 0x80000000u;
inline constexpr unsigned LIST_ROW_UNDERLINE = 0x40000000u;
inline constexpr unsigned LIST_ROW_MARK = 0x20000000u;    // a mark before the text, indented
inline constexpr unsigned LIST_ROW_INDENT = 0x10000000u;  // text indented by 12 pixels
inline constexpr unsigned LIST_ROW_RIGHT = 0x08000000u;   // right-aligned in its column
// The text is a file name or path as the system stores it: UTF-8, drawn by
// code point; bytes that are not UTF-8 are shown one by one.
inline constexpr unsigned LIST_ROW_UTF8 = 0x04000000u;

// Size of the buffer handed to `row_text`.
inline constexpr int LIST_TEXT_SIZE = 1024;

// Drag-and-drop events.
inline constexpr int LIST_DRAG_END = 2;    // source: the drag ended; target: dropped here
inline constexpr int LIST_DRAG_START = 3;  // source: may this row be dragged?
inline constexpr int LIST_DRAG_OVER = 4;   // target: may it be dropped on this row?

int PlaceListView(int x, int y, void *list, int *count, int width, int cols,
                  int (*row_text)(void *item, char *buf, int column), void (*row_menu)(int row_id, void *item),
                  int rows);
int SetListIndexer(int id, void *(*index)(void *list, int i));
// `fn(row_id, item, buttons, count)` runs when a row is double-clicked with a
// button in `flags` (1 left, 2 right, 4 middle) or activated from the keyboard.
int SetRowActivate(int id, void (*fn)(int row_id, void *item, int buttons, int count), int flags);
// Every row may be dragged (source) / accepts drags (target) of drag `type`.
int SetDragSource(int id, int (*fn)(void *item, int event, void *list, int index), int type, int flags);
int SetDropTarget(int id, int (*fn)(void *item, int event, void *source, void *list, int index, ...), int type);
// Column widths in pixels; the last column takes what is left of the row.
// `n` = 0 goes back to one text per row.
int SetListColumns(int id, int n, const int *widths);
// The absolute row number of the first visible row, and scrolling to one.
int ListFirstRow(int id);
int ScrollListTo(int id, int first);
// Whether absolute row `row` is selected (0 for a bad id).
int ListRowSelected(int id, int row);
