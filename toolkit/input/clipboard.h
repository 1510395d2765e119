// The X clipboard (the CLIPBOARD selection) for the toolkit's text.
//
// Contract:
// - Text is bytes: what is copied is handed to other programs exactly as
//   given (as UTF8_STRING or STRING, whichever they ask for; TARGETS lists
//   both), and what is pasted comes back exactly as the owner sent it.
// - The clipboard keeps its own X connection and a hidden window, opened at
//   the first copy or paste. A thread of its own answers other programs'
//   requests, so they can paste while the event loop is busy or idle; it
//   sleeps in poll() between requests.
// - CopyToClipboard returns once the selection is ours (or the X server said
//   no). PasteFromClipboard waits at most `kClipboardWaitMs` for the owner's
//   answer; no owner, a refusal, an owner that does not answer in time, or
//   an answer in parts (INCR) all paste nothing.
// - Without an X display the clipboard is empty and copying does nothing.
// - Callable from any thread. CloseClipboard ends the connection (the
//   selection is given up); the next use opens a new one.
#pragma once

#include <string>
#include <string_view>

inline constexpr int kClipboardWaitMs = 1000;

void CopyToClipboard(std::string_view bytes);
std::string PasteFromClipboard();
void CloseClipboard();
