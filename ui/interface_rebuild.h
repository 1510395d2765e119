// Rebuilding the interface in place: after a language switch and after the
// graphics mode is set again, every window goes and the main window is built
// anew, while the playlist, its current entry and the playing song stay.
//
// Contract:
// - request_interface_rebuild(what) records the request and ends the
//   innermost event loop. It is called from a callback inside a dialog that
//   runs its loop through run_dialog_loop: when that loop returns with a
//   request pending, run_dialog_loop ends the loop the dialog was opened
//   from too, so the loops unwind one by one down to the main window's and
//   main_window_build returns with the playlist kept. No loop nests inside
//   the callback that asked, so any number of rebuilds leaves the stack where
//   it was.
// - interface_rebuild_run runs where main_window_build returned. With
//   nothing pending it answers false. Otherwise it stops the toolkit (every
//   window goes; the queued calls, the playback poll among them, run once
//   more and are not queued again, so the next main window queues the poll
//   exactly once), sets the graphics mode again for a graphics request,
//   starts the toolkit, builds the colour schemes for the depth now set,
//   loads the icon datafile (the toolkit's restart dropped its icons) and
//   answers true: build the main window again. Sound and the engine keep
//   running throughout.
// - The graphics mode follows the settings: full screen at "resx" by "resy"
//   of the configuration when `fullscreen` is 1, else the 640 by 580 window,
//   each at `depth` and `refreshrate`. A refused mode shows the catalogue's
//   error_fullscreen_mode or error_windowed_mode in a message box and ends
//   the process with EXIT_NO_GRAPHICS.
#pragma once

enum class INTERFACE_REBUILD { none, language, graphics };

void request_interface_rebuild(INTERFACE_REBUILD what);
bool interface_rebuild_pending();

// RunEventLoop for a dialog, passing a pending rebuild outward when it ends.
void run_dialog_loop();

bool interface_rebuild_run();
