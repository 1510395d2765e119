// The one-line input field, bound to a caller's variable.
//
// Contract:
// - PlaceInputField(x, y, width, label, kind, param, value): `label` is shown
//   left of a `width`-pixel edit box. Kind (low bits of `kind`):
//     1 unsigned char, 2 short, 3 int, 4 long: decimal text;
//     5 the caller's char buffer of `param` bytes (at most param - 1
//       characters, always NUL-ended);
//     6 a `char **` holding a malloc'ed string (the field allocates an empty
//       one when it is null and reallocates it as it grows, up to
//       INPUT_TEXT_LIMIT characters; the caller frees it with free());
//     7 an Allegro `fixed` (16.16), 8 an int in thousandths: decimal text
//       with a point.
//   Flags in `kind`: INPUT_FLAG_MODE9 (64), INPUT_FLAG_UNDEFINED (0x2000 or
//   0x4000: the text "?" stands for the undefined value 255, -32768 or
//   INT32_MIN of kinds 1 to 4), INPUT_FLAG_MODE16 (32),
//   INPUT_FLAG_REPLACE (0x10000: whenever the field takes the focus its whole
//   text is marked, shown in the selection colours; a typed character then
//   replaces it, Backspace or Delete clear it, a cursor key or a click
//   inside the focused field ends the mark), INPUT_FLAG_UTF8 (0x20000, text
//   kinds: the text is UTF-8, as file names and paths are; it is drawn by
//   code point, the cursor and the selection move by characters and typed
//   characters of any code point are stored as UTF-8; without it a text
//   holds one byte per character, typed characters up to 255).
// - After every accepted key the text is read back into the variable. A key
//   that would not fit (buffer full, number out of the kind's range, a
//   character the kind does not take) changes nothing and calls
//   ToolkitBeep(1000, 1).
// - The field shows the variable: when the variable was changed from outside,
//   the next draw shows its new value.
// - Keys when focused: characters, Left, Right, Home, End, Backspace, Delete;
//   Enter ends the edit and calls the change handler (SetChangeHandler); Tab
//   and Escape are left to the window. The label's hot key focuses the field.
// - Selection: Shift with Left, Right, Home or End, or a drag with the left
//   button, selects; Ctrl+A selects all. It is shown in the selection
//   colours while the field has the focus; typing, Backspace and Delete
//   replace or remove it.
// - Ctrl+C, Ctrl+X and Ctrl+V (and Ctrl+Insert, Shift+Delete, Shift+Insert)
//   copy, cut and paste through the X clipboard, as bytes; a paste leaves out
//   line breaks and takes what fits, as typing would.
// - A field shows its text from the start whenever no edit is going on:
//   before it is first edited, after Enter and once the focus has left it.
// - get_value (slot 12) answers the number (kinds 1-4, 7, 8) or the text read
//   as a decimal number (kinds 5, 6).
#pragma once

inline constexpr int INPUT_FLAG_MODE16 = 32;
inline constexpr int INPUT_FLAG_MODE9 = 64;
inline constexpr int INPUT_FLAG_UNDEFINED = 0x2000;
inline constexpr int INPUT_FLAG_UNDEFINED_ALT = 0x4000;
inline constexpr int INPUT_FLAG_REPLACE = 0x10000;
inline constexpr int INPUT_FLAG_UTF8 = 0x20000;
inline constexpr int INPUT_TEXT_LIMIT = 1023;   // kind 6
inline constexpr int INPUT_NUMBER_BUFFER = 60;  // numeric kinds

int PlaceInputField(int x, int y, int width, const char *label, int kind, int param, void *value);

// Replaces the field's text as if it had been typed: cut where the buffer is
// full, read back into the variable and redrawn. 1 when all of `text` fit, 0
// when it was cut or `id` names no input field.
int SetInputFieldText(int id, const char *text);
