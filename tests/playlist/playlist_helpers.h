// Small helpers shared by the playlist tests: an owning pointer, a playlist
// built from names, and the names read back in order.
#pragma once

#include "playlist/playlist.h"

#include <memory>
#include <string>
#include <vector>

namespace kstr::test {

struct PlaylistDeleter {
   void operator()(PLAYLIST *pl) const { playlist_destroy(pl); }
};
using PlaylistPtr = std::unique_ptr<PLAYLIST, PlaylistDeleter>;

// Songs appended in order, each with data = 100 + its index.
inline PlaylistPtr make_playlist(const std::vector<const char *> &names)
{
   PlaylistPtr pl(playlist_create());
   uint32_t i = 0;
   for (const char *name : names) {
      playlist_insert(pl.get(), pl->count, name, 100 + i);
      ++i;
   }
   return pl;
}

inline std::vector<std::string> names_of(const PLAYLIST *pl)
{
   std::vector<std::string> names;
   for (uint32_t i = 0; i < pl->count; ++i)
      names.emplace_back(pl->entries[i].name);
   return names;
}

inline std::vector<uint32_t> data_of(const PLAYLIST *pl)
{
   std::vector<uint32_t> data;
   for (uint32_t i = 0; i < pl->count; ++i)
      data.push_back(pl->entries[i].data);
   return data;
}

}
