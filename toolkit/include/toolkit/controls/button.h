// Push buttons: a raised face with the label's icon above its text lines.
//
// Size: width = max(icon width, widest text line) + 9 + dw; height = the
// standard control height + dh for a button without icon and with at most
// one text line, else icon height + text height + 3 + dh, text height being
// (font height + 1) per line plus 2. Icon buttons are usually narrowed with
// ResizeControl(id, -5, 0).
//
// cb(data) runs when the left button is released over the button, on one of
// its hot keys, and on Enter or Space while it has the keyboard focus. It may
// close the window holding the button. Returns the id, or -1 when no window
// is under construction.
#pragma once

int PlaceButton(int x, int y, const char *label, void (*cb)(void *), void *data);

// A latched button is drawn pushed in until it is released again, to show a
// state that its action switches (a pause button while paused). Answers 1,
// or 0 for an id that names no button.
int SetButtonLatched(int id, int latched);
