// The text field: the caller's text (or a file's), broken into lines that
// fit its width.
//
// Contract:
// - PlaceTextField(x, y, text, width, lines, flags): `text` stays the
//   caller's and is read again at every draw (change it, then RedrawControl).
//   Lines break at spaces; a word wider than the field is broken where it
//   must be; '\n' ends a line; a tab moves to the next tab stop.
// - `lines` > 0: the field shows that many lines (line height = font height)
//   in a sunken frame with a scroll strip at its right; a press on the strip,
//   or Up, Down, Page Up, Page Down, Home and End while focused, scroll it.
//   `lines` = 0: the field is as high as the whole text and does not scroll.
// - Flags: low 16 bits the tab width in characters (0 = 8);
//   TEXT_FIELD_FILE: `text` names a file whose contents are shown; when it
//   cannot be opened the field stays empty and PlaceTextField queues the
//   toolkit's "obtext" requester ("Error opening file %s.|#27;Continue") for
//   the loop; PlaceTextFieldChecked instead sets *file_error to 1 (else 0)
//   and leaves the telling to its caller;
//   TEXT_FIELD_LIGHT: background from colour slot 1 instead of slot 3;
//   TEXT_FIELD_SECOND_FONT: the toolkit's second (bold) font;
//   TEXT_FIELD_BREAK_ANYWHERE: lines break at any character, not at spaces.
//   The other display variants (bits 24, 28, 30, 31) are accepted and
//   change nothing.
#pragma once

inline constexpr int TEXT_FIELD_FILE = 0x02000000;
inline constexpr int TEXT_FIELD_LIGHT = 0x04000000;
inline constexpr int TEXT_FIELD_SECOND_FONT = 0x08000000;
inline constexpr int TEXT_FIELD_BREAK_ANYWHERE = 0x20000000;

int PlaceTextField(int x, int y, char *text, int width, int lines, int flags);
int PlaceTextFieldChecked(int x, int y, char *text, int width, int lines, int flags, int *file_error);

// The first line shown by a scrolling text field (0 for any other id).
int TextFieldFirstLine(int id);
