// The mouse events a control's input handler receives.
#pragma once

// Mouse event codes handed to a control's input handler.
enum PointerCode {
   POINTER_OVER = 6,      // entered, or moved while over it
   POINTER_LEFT = 7,      // the pointer left it
   POINTER_PRESS = 8,     // a button was pressed on it
   POINTER_DRAG = 9,      // moved with the button held (goes to the pressed control)
   POINTER_RELEASE = 10,  // the button was released (goes to the pressed control)
   POINTER_WHEEL = 11,    // the wheel turned over it (`wheel` notches); a
                          // handler that returns 0 passes it to its container
};

// Rows a list or text scrolls for one notch of the wheel.
inline constexpr int WHEEL_ROWS = 3;

struct PointerEvent {
   int code;           // a PointerCode
   int x, y;           // pointer position on the screen
   int buttons;        // buttons held now (1 left, 2 right, 4 middle)
   int press_buttons;  // the buttons that pressed the control (0 before a press)
   int dragging;       // 1 once the pointer went more than 4 pixels from the press point
   int wheel = 0;      // POINTER_WHEEL: notches turned, positive away from the user (up)
};
