// The widget toolkit: windows, automatic layout, labels, named images and
// mouse cursors, plus (through events.h) the event queue and loops.
//
// Contract:
// - Every control is addressed by an int id (its index in the control table).
//   A call given an id that names no control does nothing and returns 0.
// - Creators return the new id (0 or more), or -1 when the control could not
//   be made (no window under construction, control table full).
// - Placement pair (x, y): when the low 24 bits of `y` are AUTO, `x` holds a
//   placement code (PLACE_*); otherwise the low 24 bits of x and y are
//   coordinates inside the parent. The high bytes of x and y together hold the
//   layout flags (LAYOUT_*). A negative `y` is a plain coordinate without flags.
// - Labels: `_` ends a line, `__` is `_`, `~c` shows c and makes it the hot
//   key, `~~` is `~`, `##` is `#`, `#n;` / `#a,b;` add hot keys, `#name;`
//   shows the registered image `name`, characters below 32 add hot keys.
// - The toolkit copies every text it is given; variables and callback data
//   stay the caller's and must outlive the control.
// - Out of memory inside the toolkit ends the process after a white error
//   screen (a non-zero exit status).
#pragma once

#include "toolkit/events.h"

#include <allegro.h>

// Placement pair: `y` = AUTO makes `x` a placement code.
inline constexpr int AUTO = 0x00FFFFFF;

// Placement codes.
inline constexpr int PLACE_FIRST = 1;    // at the container's top-left margins
inline constexpr int PLACE_RIGHT = 2;    // right of the previous control
inline constexpr int PLACE_LEFT = 4;     // left of the previous control, same row
inline constexpr int PLACE_NEW_ROW = 8;  // start of a new row below everything
inline constexpr int PLACE_BELOW = 16;   // below the previous control

// Layout flags, or-ed into the high byte of `y` (or `x`).
inline constexpr int LAYOUT_ALIGN_BOTTOM = 0x01000000;
inline constexpr int LAYOUT_ALIGN_RIGHT = 0x02000000;
inline constexpr int LAYOUT_FILL_COMPLETELY = 0x04000000;
inline constexpr int LAYOUT_STRETCH_VERTICAL = 0x08000000;
inline constexpr int LAYOUT_STRETCH = 0x10000000;
inline constexpr int LAYOUT_EQUAL_WIDTH = 0x20000000;
inline constexpr int LAYOUT_EQUAL_HEIGHT = 0x40000000;

// MakeWindow flags.
inline constexpr int WINDOW_CHILD_OF_PARENT = 1;
inline constexpr int WINDOW_NO_DRAG = 4;
inline constexpr int WINDOW_NOT_MODAL = 8;

// Number of interface colour slots; slots are numbered 1 to 12.
inline constexpr int INTERFACE_COLOUR_SLOTS = 12;

// The interface colours in the pixel format of the current colour depth,
// indexed by slot (index 0 is unused). Slots 1-9 may be overwritten by the
// application, which then redraws its windows.
extern int InterfaceColour[INTERFACE_COLOUR_SLOTS + 1];

// Start and stop.
int StartToolkit(int a, int b, int c, int *errno_ptr, int (*atexit_fn)(void (*)(void)));
void StopToolkit(void);

// Folder holding gfx/toolkit_font.bmp (default: the working folder). Takes
// effect at the next StartToolkit.
void SetToolkitFontFolder(const char *folder);

// The toolkit's current font and standard control height.
FONT *ToolkitFont(void);
int StandardControlHeight(void);

// The language of the toolkit's own texts: "tessel"/"language", else
// "system"/"language", else "en". The text lives until the next call.
const char *ToolkitLanguage(void);

// Windows.
int MakeWindow(int w, int h, const char *title, int flags);
void PresentWindow(void);
// Closes the top window. The unused pointer lets it serve directly as a
// button callback.
void CloseWindow(void *unused = nullptr);

// Draws every shown window again and the desktop around them, for instance
// after the interface colours changed.
void RedrawScreen(void);

// Controls.
int RedrawControl(int id);
int ResizeControl(int id, int dw, int dh);
int SetTooltip(int id, const char *text);
int SetChangeHandler(int id, void (*fn)(void *), void *data);
// `fn` gets the control id, `data`, the mask of the button (1 left, 2 right,
// 4 middle) and 1 for a click or 2 for a double click. `flag` is the mask of
// buttons whose double clicks are awaited.
int SetClickHandler(int id, void (*fn)(int id, void *data, int buttons, int clicks), void *data, int flag);
int MakeResizable(int id, void (*fn)(void *), void *data, int flags);
void ToolkitBeep(int freq, int duration);

// Images and icons. `owner` is a control id; 0 is the desktop (seen
// everywhere). Results: the owner's container id, or -1.
int LoadIconFile(const char *path, const char *name, int kind, int owner);
int LoadIconDatafile(const char *path);

// Mouse cursors: 0-3 dragging, 4 diagonal resize, 5 busy, 6 arrow.
inline constexpr int CURSOR_RESIZE = 4;
inline constexpr int CURSOR_BUSY = 5;
inline constexpr int CURSOR_ARROW = 6;
void UseMouseCursor(int n);
void UseTextCursor(FONT *f, const char *text);
void RestoreMouseCursor(void);
#include "toolkit/controls/input_field.h"
#include "toolkit/controls/choice_list.h"
#include "toolkit/keyboard_focus.h"
#include "toolkit/controls/button.h"
#include "toolkit/controls/label.h"
#include "toolkit/controls/group_box.h"
#include "toolkit/controls/tabs.h"
#include "toolkit/controls/check_box.h"
#include "toolkit/controls/cycle_button.h"
#include "toolkit/controls/progress_bar.h"
#include "toolkit/controls/list_view.h"
#include "toolkit/controls/popup_menu.h"
#include "toolkit/controls/slider.h"
#include "toolkit/controls/text_field.h"
#include "toolkit/requesters.h"
#include "toolkit/file_selector.h"
