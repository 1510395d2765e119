// Gives every test program the folders it works with, unless the caller set
// them already: the source tree, the staged run folder and the generated test
// files. Linked into each test program so ctest needs no environment of its own.
#include <cstdlib>

namespace {

struct TestEnvironment {
   TestEnvironment()
   {
      setenv("KSTR_SOURCE_DIR", KSTR_SOURCE_DIR_BUILT, 0);
      setenv("KSTR_RUN_DIR", KSTR_RUN_DIR_BUILT, 0);
      setenv("KSTR_TEST_DATA", KSTR_TEST_DATA_BUILT, 0);
   }
};

const TestEnvironment environment;

}
