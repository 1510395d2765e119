// The main window's keys. They work whichever of its controls has the
// focus, except that Enter and Space press a focused button.
//
//   Space         pause / resume          Enter     play the selected row
//   Delete        remove the selected row Insert    add a song after it
//   Z X C V B     previous, play, pause, stop, next
//   + and -       volume up and down (keypad too)
//   Ctrl+N/L/M/S  new, load, merge, save playlist
//   Ctrl+Q        the quit question
#pragma once

inline constexpr int VOLUME_STEP = 16;

// The window key handler (SetWindowKeyHandler): 1 when the key was taken.
int main_window_key(void *data, int character, int scancode, int shifts);

// The first selected row of the playlist view, or -1.
int selected_playlist_row();
