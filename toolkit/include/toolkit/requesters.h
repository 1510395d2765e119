// The message requester and the toolkit's own error reporter.
//
// Contract:
// - AlertBox(title, text): `text` is the message, then the button labels,
//   separated by `|` ("Quit?|Yes|No"). Inside a label `||` is a literal `|`;
//   empty labels are skipped and not counted. Labels follow the label rules
//   of toolkit.h. The requester is modal and runs a nested loop ("Request")
//   inside the calling callback; the result is the 0-based index of the
//   button pressed, or 0 when no requester could be made (for instance while
//   another window is under construction).
// - A text without any `|` shows the fallback requester ("Error" /
//   "Internal: No texts available|S~top") and answers 0. An empty (or null)
//   text shows the fallback requester and answers REQUESTER_NO_TEXT: the
//   caller had nothing to say and decides whether the program goes on.
//   AlertBox called while the toolkit is starting up shows nothing and
//   answers 0. The toolkit never ends the process here.
// - When the toolkit is not running, AlertBox starts it and stops it again
//   before returning.
// - ReportMessage(a, b): while the toolkit runs, AlertBox("Message",
//   "a b|OK"); before it runs, "a\nb\nPress a key to continue\n" on the
//   console and a wait for a key (during start-up, once the screen is set,
//   the text goes to the screen at (10, 10) instead).
#pragma once

#include <string>

int AlertBox(const char *title, const char *text);
void ReportMessage(const char *a, const char *b);

// The message of the innermost open requester; empty when none is open (for
// callers and tests that must know what the user is being told).
std::string RequesterMessage(void);

// AlertBox's answer to an empty text.
inline constexpr int REQUESTER_NO_TEXT = -1;

// Widest run of buttons in one row of a requester before the next button
// starts a new row.
inline constexpr int REQUESTER_ROW_WIDTH = 235;
// Width of a requester's message.
inline constexpr int REQUESTER_TEXT_WIDTH = 240;
