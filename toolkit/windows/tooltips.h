// Tooltips: shown beside the control when the pointer enters it (saving the
// screen below in `saved_under`), taken away when it leaves.
#pragma once

#include "core/control.h"

void ShowTooltip(Control *c);
void HideTooltip(Control *c);
