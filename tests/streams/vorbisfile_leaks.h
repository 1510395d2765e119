// libvorbisfile 1.3.7 loses memory, out of any caller's reach, when it refuses
// some streams (headers failing after the first page; a damaged later link).
// Opens that may be refused run inside a VorbisfileLeakPause: the leak checker
// ignores what they allocate and still watches the rest.
#pragma once

#if defined(__SANITIZE_ADDRESS__)
#define KSTR_LEAK_CHECKER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KSTR_LEAK_CHECKER 1
#endif
#endif

#ifdef KSTR_LEAK_CHECKER
#include <sanitizer/lsan_interface.h>
#endif

namespace kstr::test {

struct VorbisfileLeakPause {
#ifdef KSTR_LEAK_CHECKER
   VorbisfileLeakPause()
   {
      __lsan_disable();
   }
   ~VorbisfileLeakPause()
   {
      __lsan_enable();
   }
#else
   VorbisfileLeakPause() {}  // not trivial: a scope object, not an unused variable
#endif
   VorbisfileLeakPause(const VorbisfileLeakPause &) = delete;
};

}
