// Label and tooltip texts: the markup of a label (lines, hot keys, icon
// name) decoded into the control record.
#pragma once

#include "core/control.h"

#include <string>
#include <vector>

void ParseLabel(Control *c, const char *label);
std::vector<std::string> ParseTooltip(const char *text);
