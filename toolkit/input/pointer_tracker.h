// Turns pointer samples into mouse events for controls (codes 6-10) and into
// clicks, double clicks and drags.
//
// Contract: loop thread only. A press becomes a drag once the pointer goes
// more than 4 pixels from the press point; a release without a drag is a click
// at once unless the pressing button is in the control's double-click mask,
// in which case a second press of that button on the control within 250 ms
// makes a double click and otherwise the single click comes when the 250 ms
// have passed. A wheel turn goes to the control under the pointer, or to the
// nearest container of it that takes it. Safe against callbacks that close
// windows or run nested loops.
#pragma once

inline constexpr int DRAG_DISTANCE = 4;
inline constexpr int DOUBLE_CLICK_MS = 250;

// `wheel`: notches the wheel turned with this sample (positive up).
void TrackPointer(int x, int y, int buttons, int wheel = 0);

// Forgets the pointer's controls (releasing their pins).
void ResetPointerTracking();
