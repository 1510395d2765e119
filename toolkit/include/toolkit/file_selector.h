// The modal file selector.
//
// Contract:
// - ChooseFile(masks, initial_path, flags, title, ok_label) shows the
//   selector and runs a nested loop ("File-selector") inside the calling
//   callback. It returns the chosen path (folder and name joined), or an
//   empty string (never null) when the user cancels.
// - The returned string belongs to the toolkit and stays valid until the
//   next ChooseFile returns; the caller copies it to keep it longer. The
//   selector's own state is freed by a clean-up queued when it closes, which
//   runs once control is back in an event loop (or at once when ChooseFile
//   had to start the toolkit itself and stops it again).
// - `masks`: file masks separated by `;` ("*.mp3;*.ogg"); "*.*" or empty
//   shows every file. `initial_path`: a folder, or a file whose folder is
//   opened with its name selected; empty starts in the folder remembered in
//   the settings, else the working folder. An empty `title` and an empty or
//   null `ok_label` use the toolkit's own texts.
// - Several names may be typed into "Selected:" (separated by `;`, each
//   optionally in double quotes); every one is checked, the first is
//   returned.
// - Settings live in the configuration section "File-selector" (read when the
//   selector opens and written when it closes, unless SELECT_NO_SETTINGS).
// - Called while the toolkit is starting up, it shows nothing and returns
//   "" (as when nothing was chosen).
#pragma once

// Option flags.
inline constexpr int SELECT_SHOW_SIZE = 0x01;        // size column
inline constexpr int SELECT_DESCENDING = 0x02;       // sort in descending order
inline constexpr int SELECT_ASK_IF_EXISTS = 0x04;    // ask before choosing an existing name
inline constexpr int SELECT_REFUSE_EXISTING = 0x08;  // an existing name is refused
inline constexpr int SELECT_MUST_EXIST = 0x10;       // the name must exist
inline constexpr int SELECT_DIRECTORY = 0x20;        // a folder is wanted
inline constexpr int SELECT_NO_CREATE = 0x40;        // no create buttons
inline constexpr int SELECT_SHOW_TIME = 0x80;        // change-time column
inline constexpr int SELECT_SHOW_MODE = 0x100;       // permissions column
inline constexpr int SELECT_SETTINGS_MENU = 0x200;   // settings menu button
inline constexpr int SELECT_NO_SETTINGS = 0x400;     // neither read nor write the settings
inline constexpr int SELECT_SHOW_HIDDEN = 0x800;     // list hidden files too
inline constexpr int SELECT_MODAL = 0x1000;          // set by ChooseFile itself
inline constexpr int SELECT_NO_DRAG = 0x4000;        // rows cannot be dragged
inline constexpr int SELECT_SORT_BY_TIME = 0x8000;   // sorted by change time

const char *ChooseFile(const char *masks, const char *initial_path, int flags, const char *title, const char *ok_label);
