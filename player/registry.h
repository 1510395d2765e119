// The backend registry: which backend plays a file name.
#pragma once

#include "player/backend.h"

// The first backend in dispatch order whose rule the name meets: its
// extension (the text after the last dot of the last path component),
// compared without regard to case, or for the CD the whole name "cda" in any
// case. Null when none does. The name is not changed.
const BACKEND *backend_for_name(const char *name);
