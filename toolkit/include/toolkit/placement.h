// Placement pairs and layout flags, the (x, y) every Place* call takes.
//
// Contract: when the low 24 bits of `y` are AUTO, `x` holds a placement code
// (PLACE_*); otherwise the low 24 bits of x and y are coordinates inside the
// parent. The high bytes of x and y together hold the layout flags (LAYOUT_*).
// A negative `y` is a plain coordinate without flags.
#pragma once

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
