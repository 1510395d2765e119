// Two-state choice: a label and a field showing texts[0] or texts[1] for the
// int `value` (values <= 0 show the first, values > 0 the second). A click on
// the field, a hot key, or Enter or Space while focused applies the toggle
// rule to *value, redraws the control and calls the change handler
// (SetChangeHandler) at once. The texts are copied (at most 100 characters
// each); `value` must outlive the control. Returns the id, or -1 when no
// window is under construction.
#pragma once

int PlaceCycleButton(int x, int y, const char *label, char **texts, int *value);
