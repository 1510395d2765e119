// Tab controls: a row of tabs above a page area whose contents belong to the
// current tab.
//
// PlaceTabs makes the framed tab control at (x, y), `w, h` being a size pair
// as for MakeWindow ((0, AUTO) fits the largest page shown so far), and
// returns the id of the page area (the `tabs` argument of AddTab), or -1.
// AddTab adds a tab with a label in the usual label syntax and returns
// its id. The page of tab *selected (the first tab when out of range) is
// built when the window is laid out; choosing another tab (click, hot key,
// Left and Right while the tab row has the focus) stores its index, counted
// from 0 in AddTab order, in *selected, removes every control of the page
// area, calls build(data) to make the new page's controls with the usual
// Place calls, lays the window out again and redraws it. `selected` and
// `data` must outlive the control.
#pragma once

int PlaceTabs(int x, int y, int w, int h, int *selected);
int AddTab(int tabs, void (*build)(void *data), void *data, const char *label);
