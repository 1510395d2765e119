// Popup menus: a small window of items opened below a control or at the
// pointer, filled by a build function.
//
// Contract:
// - OpenPopupMenu(where, build, data) makes a menu, calls build(data), which
//   adds its lines with AddPopupItem and AddPopupSeparator, and shows it. With
//   `where` the id of a control inside a container, the menu opens just below
//   that control, left edges aligned (above it when there is no room below);
//   otherwise (-1, 0) at the mouse pointer. A menu opened while another is
//   open replaces it. Answers the menu window's id, or -1 when nothing was
//   shown (a window under construction, a build that added nothing).
// - AddPopupItem(flags, label, shortcut, cb, data): a line with the label
//   (usual label syntax: icon reference, `~` hot key) and the shortcut text
//   right-aligned. Choosing it closes every open menu, then calls cb(data).
//   With flags != 0 the line opens a sub-menu to its right instead, and `cb`
//   is the sub-menu's build function, `data` its argument. Answers the line's
//   id, or -1 outside a build function.
// - Choosing: a click on the line, its hot key, or Enter/Space on the
//   highlighted line. Up/Down/Home/End move the highlight, Right opens a
//   sub-menu, Left and Escape close the innermost menu. A mouse press outside
//   every open menu closes them all.
#pragma once

int OpenPopupMenu(int where, void (*build)(void *data), void *data);
int AddPopupItem(int flags, const char *label, const char *shortcut, void (*cb)(void *), void *data);
int AddPopupSeparator(void);
