// Calls every control answers, by id.
//
// Contract: every control is addressed by an int id (its index in the
// control table). A call given an id that names no control does nothing and
// returns 0. Creators (the Place* calls) return the new id (0 or more), or -1
// when the control could not be made (no window under construction, control
// table full). The toolkit copies every text it is given; variables and
// callback data stay the caller's and must outlive the control.
#pragma once

int RedrawControl(int id);
int ResizeControl(int id, int dw, int dh);
int SetTooltip(int id, const char *text);
int SetChangeHandler(int id, void (*fn)(void *), void *data);
// `fn` gets the control id, `data`, the mask of the button (1 left, 2 right,
// 4 middle) and 1 for a click or 2 for a double click. `flag` is the mask of
// buttons whose double clicks are awaited.
int SetClickHandler(int id, void (*fn)(int id, void *data, int buttons, int clicks), void *data, int flag);
int MakeResizable(int id, void (*fn)(void *), void *data, int flags);
void ToolkitBeep(int freq, int duration);
