// What the event loop needs from the control layer to deliver input.
//
// Contract (implemented in windows/input_sink.cpp):
// - Every function runs on the loop thread, inside a loop pass; none is ever
//   called from Allegro's timer or input thread.
// - The event loop keeps a control it still has to talk to (a queued event
//   naming it, the control under the pointer, the pressed control, a click
//   waiting for its second press) pinned with PinControl. A pinned control may
//   be destroyed (its window closed by a callback) but its record is not freed
//   until the last UnpinControl; ControlIsLive then says false and the loop
//   delivers nothing more to it.
// - Coordinates are screen coordinates; the control layer converts them.
#pragma once

#include "core/control.h"
#include "core/pointer_event.h"

struct Control;

// Topmost control under the screen point that takes mouse input, honouring
// modal windows (a window below a modal one gets nothing). Not pinned.
// nullptr when none does.
Control *ControlAtPoint(int x, int y);

// Adds one to `refs` of the control with this id and returns it; nullptr (and
// no reference taken) for an id that names no live control.
Control *PinControl(int id);

// Takes one from `refs`; frees a control whose destruction waited for it.
void UnpinControl(Control *control);

// False once the control has been destroyed (only its pin keeps it).
bool ControlIsLive(const Control *control);

// The control's double-click button mask, `click_flag` (1 left, 2 right,
// 4 middle).
int ControlClickMask(const Control *control);

// Hands a mouse event to the control's input handler. Non-zero when the
// handler consumed it.
int DeliverPointer(Control *control, const PointerEvent &event);

// Hands a wheel event to the control's input handler and, while none consumes
// it, to the controls that contain it, up to the window's root.
void DeliverWheel(Control *control, const PointerEvent &event);

// Calls the control's `on_click` with `click_data`: `button` is the mask of
// the button that clicked, `count` 1 for a click, 2 for a double click.
void DeliverClick(Control *control, int button, int count);

// A key press for the top window (hot keys, the control with the keyboard).
// `character` is the text character (0 for keys that have none), `scancode`
// Allegro's KEY_* code, `shifts` the KEY_*_FLAG bits held at the press.
void DeliverKey(int character, int scancode, int shifts);
