#include "digmid_patches.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace kstr::test {

namespace {

constexpr const char *kFreepatsIndex = "/etc/timidity/freepats.cfg";

std::string prepare()
{
   const std::string index = read_file(kFreepatsIndex);
   if (index.empty()) {
      ADD_FAILURE() << "no MIDI patch set: " << kFreepatsIndex << " is missing (package freepats)";
      return {};
   }
   static TempDir dir;
   std::istringstream lines(index);
   for (std::string line; std::getline(lines, line);) {
      if (line.rfind("dir ", 0) != 0)
         continue;
      const std::filesystem::path base = line.substr(4);
      std::error_code ec;
      for (const auto &entry : std::filesystem::directory_iterator(base, ec)) {
         std::filesystem::create_symlink(entry.path(), dir.path() / entry.path().filename(), ec);
         if (ec)
            break;
      }
      if (ec) {
         ADD_FAILURE() << "cannot link the patch folders of " << base << ": " << ec.message();
         return {};
      }
   }
   return dir.write("default.cfg", index);
}

}

std::string digmid_patch_index()
{
   static const std::string path = prepare();
   return path;
}

}
