// Editing an input field's text by keys: cursor moves, the selection, typing,
// deleting and the clipboard. No drawing.
//
// Contract:
// - Shift with Left, Right, Home or End moves the cursor and extends the
//   selection from where it began; without Shift a selection ends (Left at
//   its start, Right at its end).
// - Ctrl+A selects all. Ctrl+C (or Ctrl+Insert) copies the selection to the
//   X clipboard, Ctrl+X (or Shift+Delete) copies and removes it, Ctrl+V (or
//   Shift+Insert) replaces the selection by the clipboard's bytes with line
//   breaks left out, as far as the field takes them (as if typed).
// - A typed character, Backspace and Delete replace or remove the selection.
// - A change the field's kind refuses leaves the text as it was and beeps.
#pragma once

#include "controls/input_value.h"

// Handles a key for the focused field. False when the key is not the
// field's (it goes on to the window: Tab, Escape, hot keys).
bool EditFieldKey(InputField &f, int character, int scancode, int shifts);

void SelectAllText(InputField &f);
