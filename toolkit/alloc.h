// Guarded allocation for C++ objects of the toolkit: the same failure rule as
// GuardedMalloc (control.h) for `new`.
#pragma once

#include "toolkit/control.h"

#include <new>
#include <utility>

// Counts one guarded allocation for the failure-injection seam; ends the
// process when the injected failure is due.
void CountGuardedAllocation(void);

template <class T, class... Args>
T *GuardedNew(Args &&...args)
{
   CountGuardedAllocation();
   T *p = new (std::nothrow) T{std::forward<Args>(args)...};
   if (!p)
      OutOfMemory();
   return p;
}

// While the toolkit runs, a failing `new` anywhere ends the process through
// OutOfMemory instead of throwing into C-shaped callers.
void InstallOutOfMemoryHandler(void);
void RemoveOutOfMemoryHandler(void);
