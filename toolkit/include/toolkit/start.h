// Starting and stopping the toolkit, and its language.
//
// Contract: StartToolkit installs Allegro (unless already installed), the
// timer, keyboard and mouse, and the event system; 1 on success, 0 when
// Allegro cannot start. StopToolkit (also run at exit) destroys every window.
// Out of memory inside the toolkit ends the process after a white error
// screen (a non-zero exit status). MakeWindow starts the toolkit when it is not
// running yet.
#pragma once

// Programs that install Allegro themselves call this first, so that Allegro
// runs the toolkit's background thread (input read as it arrives, few
// wake-ups) instead of its own. StartToolkit does it when it installs Allegro.
void UseToolkitBackgroundThread(void);

int StartToolkit(int a, int b, int c, int *errno_ptr, int (*atexit_fn)(void (*)(void)));
void StopToolkit(void);

// The language of the toolkit's own texts: "tessel"/"language", else
// "system"/"language", else "en". The text lives until the next call.
const char *ToolkitLanguage(void);
