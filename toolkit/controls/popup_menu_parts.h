// Inside the popup menus: what the menu windows and their lines share. See
// popup_menu.h for the contract.
#pragma once

#include "core/control.h"

#include <string>
#include <vector>

struct PopupMenu {
   int window = 0;                // root control id
   std::vector<Control *> lines;  // items and separators in order
   int highlight = -1;            // index into `lines`
   int icon_column = 0;
   PopupMenu *parent = nullptr;
   int parent_line = -1;
   int at_x = 0, at_y = 0;  // top-left on the screen
   bool placed = false;
};

struct PopupLine {
   PopupMenu *menu;
   bool separator;
   bool submenu;
   std::string shortcut;
   void (*cb)(void *);
   void *data;
};

// The menu a line belongs to.
PopupMenu *MenuOf(const Control *line);
PopupLine *LineOf(const Control *line);
bool Selectable(const Control *line);
// Moves the highlight (-1: none) and redraws the two lines.
void Highlight(PopupMenu *m, int line);
// Opens the sub-menu of line `line` of `m` (closing another open one).
void OpenSubmenu(PopupMenu *m, int line, bool highlight_first);
// Closes the sub-menus opened from `m`.
void CloseSubmenus(PopupMenu *m);
// Closes `m` with its sub-menus.
void CloseMenu(PopupMenu *m);
void CloseAllMenus(void);
// Runs the line: opens its sub-menu, or closes every menu and calls its action.
void ChooseLine(Control *line);

// The menu whose build function is running, or null.
PopupMenu *MenuUnderConstruction(void);
Control *MakePopupLine(PopupLine line, const char *label);
