// Inside the requesters: the label splitting their tests check directly.
#pragma once

#include <string>
#include <vector>

// The button labels of a requester text after its first `|`: split at single
// `|`, a run of 2n bars inside a label is n literal bars, an odd run ends the
// label; empty labels are left out.
std::vector<std::string> RequesterButtonLabels(const char *buttons);
