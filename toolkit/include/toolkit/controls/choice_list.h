// The drop-down choice list.
//
// Contract:
// - PlaceChoiceList(x, y, width, label, sel, items, count): `label` is shown
//   left of a field showing item *sel. Item texts are copied when the list is
//   made, each cut to CHOICE_ITEM_LIMIT characters. `width` > 0 fixes the
//   field's width; 0 makes it as wide as the widest item. An index at or past
//   `count` shows the last item, a negative one shows nothing.
// - A press on the field, or Enter or Space while it has the focus, opens the
//   list of items below the field (above it when there is no room), at most
//   CHOICE_VISIBLE_ROWS rows with a scroll strip when there are more. A click
//   on an item, or Enter or Space on the highlighted one, chooses it: the
//   list closes, *sel becomes its index, the field is redrawn and the change
//   handler (SetChangeHandler) is called. Escape or a click beside the list
//   closes it without a choice. In the open list Up, Down, Page Up, Page
//   Down, Home and End move the highlight.
// - Up and Down on the focused field choose the previous or next item at once;
//   the label's hot key focuses the field and opens the list.
// - get_value (slot 12) answers the shown index.
#pragma once

inline constexpr int CHOICE_ITEM_LIMIT = 100;
inline constexpr int CHOICE_VISIBLE_ROWS = 10;

int PlaceChoiceList(int x, int y, int width, const char *label, int *sel, char **items, int count);

// The id of the open drop list (the list of items), or -1 when none is open.
int OpenChoiceDropList(void);
