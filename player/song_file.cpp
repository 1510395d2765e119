#include "player/song_file.h"

#include "player/backend.h"

#include <cstdio>
#include <filesystem>
#include <memory>

namespace {

struct CloseFile {
   void operator()(std::FILE *f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, CloseFile>;

}

int check_song_file(const char *name)
{
   std::error_code ec;
   const std::filesystem::path path(name);
   if (!std::filesystem::is_regular_file(path, ec))
      return SONG_OPEN_FAILED;
   if (!File(std::fopen(name, "rb")))
      return SONG_OPEN_FAILED;
   const auto size = std::filesystem::file_size(path, ec);
   if (ec)
      return SONG_OPEN_FAILED;
   return size == 0 ? SONG_EMPTY_FILE : SONG_OK;
}

int read_song_file(const char *name, std::vector<unsigned char> &image)
{
   image.clear();
   if (const int checked = check_song_file(name); checked != SONG_OK)
      return checked;
   File file(std::fopen(name, "rb"));
   if (!file)
      return SONG_OPEN_FAILED;
   // Read to the end rather than trusting a size taken beforehand, so the
   // last byte is never left out and a file that changed is read as it is.
   unsigned char chunk[65536];
   for (;;) {
      const std::size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
      image.insert(image.end(), chunk, chunk + got);
      if (got < sizeof chunk)
         break;
   }
   if (std::ferror(file.get())) {
      image.clear();
      return SONG_OPEN_FAILED;
   }
   if (image.empty())
      return SONG_EMPTY_FILE;
   return SONG_OK;
}
