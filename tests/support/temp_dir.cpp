#include "temp_dir.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace kstr::test {

TempDir::TempDir()
{
   std::string templ = (std::filesystem::temp_directory_path() / "kstr-test-XXXXXX").string();
   if (!mkdtemp(templ.data()))
      throw std::runtime_error("mkdtemp failed");
   path_ = templ;
}

TempDir::~TempDir()
{
   std::error_code ignored;
   std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::file(std::string_view name) const
{
   return (path_ / name).string();
}

std::string TempDir::write(std::string_view name, std::string_view bytes) const
{
   std::string p = file(name);
   std::filesystem::create_directories(std::filesystem::path(p).parent_path());
   std::ofstream out(p, std::ios::binary);
   out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
   return p;
}

std::string read_file(const std::filesystem::path &path)
{
   std::ifstream in(path, std::ios::binary);
   return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}
