// Inside the choice list: its record, shared by the field (choice_list.cpp)
// and the list it opens (drop_list.cpp).
#pragma once

#include "core/control.h"

#include <string>
#include <vector>

struct ChoiceList {
   ChangeFn fn = nullptr;
   void *fn_data = nullptr;
   int *sel = nullptr;
   std::vector<std::string> items;  // copies, cut to CHOICE_ITEM_LIMIT
   int width = 0;                   // as given: 0 = as wide as the widest item
};

ChoiceList *ChoiceOf(Control *c);
// The item the field shows: -1 for none, the last one for an index past the end.
int ShownChoice(const ChoiceList &list);
// Stores `index` in *sel, redraws the field and calls the change handler.
void Choose(Control *field, int index);
// Opens the drop list under the field.
void OpenDropList(Control *field);
// Pixel height of one row of the drop list.
int ChoiceRowHeight(const Control *field);
