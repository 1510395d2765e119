// The horizontal slider, bound to an int.
//
// Contract:
// - PlaceSlider(x, y, length, value, min, max, flags, linked_id): the knob
//   travels `length` pixels; its place stands for *value within [min, max]
//   (a slider whose max is below its min stays at min). Style = flags & 0x2C:
//   4 style 1, 8 style 2, 0x20 style 3, else style 0; each style has fixed
//   knob and track sizes. Flag bit 0 leaves room for end markers, bit 1 shows
//   min and max as "%d" at the ends (not in style 2).
// - A press on the slider within half a knob of the knob grabs the knob where
//   it was pressed; elsewhere the knob jumps to the pointer. Moving with the
//   button held drags it. Keys when focused: End / keypad 1 max, Home /
//   keypad 7 min, Left, Down, keypad 2, 4 one less, Right, Up, keypad 6, 8
//   one more.
// - Whenever the value changes: *value is stored, the slider and the linked
//   field are redrawn and the change handler (SetChangeHandler) is called.
// - `linked_id` naming a control (an input field bound to the same variable)
//   links it: the slider takes the field's change handler, so an edit ended
//   with Enter moves the slider to the field's value (kept within range).
// - get_value (slot 12) answers *value.
#pragma once

inline constexpr int SLIDER_END_MARKERS = 1;
inline constexpr int SLIDER_LIMIT_TEXTS = 2;
inline constexpr int SLIDER_STYLE_1 = 4;
inline constexpr int SLIDER_STYLE_2 = 8;
inline constexpr int SLIDER_STYLE_3 = 0x20;

int PlaceSlider(int x, int y, int length, int *value, int min, int max, int flags, int linked_id);

// The knob's centre on the screen for the slider's current value; 0 for an
// id that names no slider.
int SliderKnobScreenX(int id);
