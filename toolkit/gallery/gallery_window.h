// The gallery window: every placement code, the layout flags, label forms,
// named images and the mouse cursors in one window.
#pragma once

// Registers the gallery's icons (from `run_folder`'s gfx/ and icon datafile
// when they are there) and builds and presents its window; the toolkit must
// be running. Returns the window id, or 0.
int BuildGalleryWindow(const char *run_folder);
