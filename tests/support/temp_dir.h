// A fresh folder under the system's temporary folder, removed with everything
// in it when the object goes. Tests that touch files work inside one.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kstr::test {

class TempDir {
 public:
   TempDir();
   ~TempDir();
   TempDir(const TempDir &) = delete;
   TempDir &operator=(const TempDir &) = delete;

   const std::filesystem::path &path() const { return path_; }
   // Path of a file inside the folder, as text.
   std::string file(std::string_view name) const;
   // Writes bytes to a file inside the folder and returns its path.
   std::string write(std::string_view name, std::string_view bytes) const;

 private:
   std::filesystem::path path_;
};

// Whole contents of a file as bytes (empty when it cannot be read).
std::string read_file(const std::filesystem::path &path);

}
