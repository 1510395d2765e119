// Guarded allocation for C++ objects of the toolkit: the same failure rule as
// GuardedMalloc for `new`.
#pragma once

#include <cstddef>
#include <new>
#include <utility>

// Guarded allocation: zeroed, plain, string copy. Out of memory shows the
// fatal screen and ends the process.
void *GuardedCalloc(std::size_t size);
void *GuardedMalloc(std::size_t size);
char *GuardedStrdup(const char *text);
[[noreturn]] void OutOfMemory(void);
// Test seam: the n-th guarded allocation from now fails (0 = never).
void InjectAllocationFailure(long nth);

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
