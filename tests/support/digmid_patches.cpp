#include "digmid_patches.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace kstr::test {

std::string digmid_patch_index()
{
   const char *run = std::getenv("KSTR_RUN_DIR");
   const std::string path = std::string(run ? run : "run") + "/patches.dat";
   if (!std::filesystem::exists(path)) {
      ADD_FAILURE() << "no MIDI patch set: " << path << " is missing (the build makes it from freepats)";
      return {};
   }
   return path;
}

}
