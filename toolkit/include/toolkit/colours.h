// The interface colours: twelve slots in the pixel format of the current
// colour depth. Slots 1-9 may be overwritten by the application, which then
// redraws its windows; StartToolkit fills all twelve.
#pragma once

// Number of interface colour slots; slots are numbered 1 to 12.
inline constexpr int INTERFACE_COLOUR_SLOTS = 12;

// Indexed by slot (index 0 is unused).
extern int InterfaceColour[INTERFACE_COLOUR_SLOTS + 1];

// Named slots of InterfaceColour.
enum ColourSlot {
   COLOUR_LIGHT = 1,       // white: highlights, edit backgrounds
   COLOUR_FACE_LIGHT = 2,  // bevel light edge
   COLOUR_FACE = 3,        // window and button faces
   COLOUR_SHADOW = 4,      // bevel dark edge
   COLOUR_TEXT = 5,        // black text
   COLOUR_SELECTION = 6,
   COLOUR_SELECTED_TEXT = 7,
   COLOUR_TITLE = 8,  // active window title bar
   COLOUR_ALERT = 9,
   COLOUR_TOOLTIP = 10,
   COLOUR_GO = 11,
   COLOUR_GO_DARK = 12,
};
