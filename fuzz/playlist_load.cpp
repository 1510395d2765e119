// Fuzz target for playlist files: the bytes become a file on disk, which is
// loaded into a fresh playlist and merged into one that already holds songs.
// A load that succeeds must survive a save and a second load unchanged; one
// that fails must leave the playlist exactly as it was.
#include "playlist/playlist_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct PlaylistDeleter {
   void operator()(PLAYLIST *pl) const { playlist_destroy(pl); }
};
using Playlist = std::unique_ptr<PLAYLIST, PlaylistDeleter>;

struct Song {
   std::string name;
   uint32_t data;
   bool operator==(const Song &) const = default;
};

struct Contents {
   std::vector<Song> songs;
   int32_t current;
   bool operator==(const Contents &) const = default;
};

void require(bool condition, const char *what)
{
   if (!condition) {
      std::fprintf(stderr, "playlist_load: %s\n", what);
      std::abort();
   }
}

Contents contents(const PLAYLIST *pl)
{
   Contents c{{}, pl->current};
   for (uint32_t i = 0; i < pl->count; ++i)
      c.songs.push_back({pl->entries[i].name, pl->entries[i].data});
   return c;
}

void check_invariants(const PLAYLIST *pl)
{
   require(pl->count <= pl->capacity, "count above capacity");
   require(pl->capacity % PLAYLIST_GROW == 0, "capacity not a multiple of the growth step");
   if (pl->count == 0)
      require(pl->current == -1, "empty list with a current song");
   else
      require(pl->current >= 0 && static_cast<uint32_t>(pl->current) < pl->count, "current outside the list");
   for (uint32_t i = 0; i < pl->count; ++i)
      require(pl->entries[i].name != nullptr, "song without a name");
}

std::string scratch_path(const char *what)
{
   return (std::filesystem::temp_directory_path() /
           ("kstr-fuzz-playlist-" + std::to_string(getpid()) + "-" + what + ".kpl"))
      .string();
}

void load_fresh(const std::string &path)
{
   Playlist pl(playlist_create());
   const int result = playlist_load(pl.get(), path.c_str());
   require(result == 0 || result == -1 || result == -2, "unknown result");
   check_invariants(pl.get());
   if (result != 0) {
      require(pl->count == 0, "failed load left songs behind");
      return;
   }
   const std::string copy = scratch_path("copy");
   require(playlist_save(pl.get(), copy.c_str()) == 0, "saving a loaded list failed");
   Playlist again(playlist_create());
   require(playlist_load(again.get(), copy.c_str()) == 0, "reloading a saved list failed");
   std::remove(copy.c_str());
   require(contents(again.get()) == contents(pl.get()), "save and reload changed the list");
}

void merge(const std::string &path)
{
   Playlist pl(playlist_create());
   playlist_insert(pl.get(), 0, "first.mod", 1);
   playlist_insert(pl.get(), 1, "second.mp3", 2);
   const Contents before = contents(pl.get());
   const int result = playlist_load(pl.get(), path.c_str());
   check_invariants(pl.get());
   const Contents after = contents(pl.get());
   if (result != 0) {
      require(after == before, "failed merge changed the list");
      return;
   }
   require(after.songs.size() >= before.songs.size(), "merge lost songs");
   for (size_t i = 0; i < before.songs.size(); ++i)
      require(after.songs[i] == before.songs[i], "merge changed an earlier song");
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
   const std::string path = scratch_path("input");
   {
      std::ofstream out(path, std::ios::binary | std::ios::trunc);
      out.write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
   }
   load_fresh(path);
   merge(path);
   std::remove(path.c_str());
   return 0;
}
