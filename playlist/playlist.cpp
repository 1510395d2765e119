#include "playlist/playlist.h"

#include <cstdlib>
#include <cstring>

PLAYLIST *playlist_create(void)
{
   // malloc, not new: the record and its array are plain C storage that
   // grows with realloc and is released by playlist_destroy.
   auto *pl = static_cast<PLAYLIST *>(std::malloc(sizeof(PLAYLIST)));
   if (!pl)
      return nullptr;
   pl->entries = static_cast<PLAYLIST_ENTRY *>(std::malloc(PLAYLIST_GROW * sizeof(PLAYLIST_ENTRY)));
   if (!pl->entries) {
      std::free(pl);
      return nullptr;
   }
   pl->count = 0;
   pl->capacity = PLAYLIST_GROW;
   pl->current = -1;
   return pl;
}

void playlist_destroy(PLAYLIST *pl)
{
   if (!pl)
      return;
   for (uint32_t i = 0; i < pl->count; ++i)
      std::free(pl->entries[i].name);
   std::free(pl->entries);
   std::free(pl);
}

// Grows the array by PLAYLIST_GROW entries; on failure the old array stays.
static void grow(PLAYLIST *pl)
{
   if (pl->capacity > UINT32_MAX - PLAYLIST_GROW)
      return;
   uint32_t capacity = pl->capacity + PLAYLIST_GROW;
   void *entries = std::realloc(pl->entries, size_t{capacity} * sizeof(PLAYLIST_ENTRY));
   if (!entries)
      return;
   pl->entries = static_cast<PLAYLIST_ENTRY *>(entries);
   pl->capacity = capacity;
}

int playlist_insert(PLAYLIST *pl, uint32_t index, const char *name, uint32_t data)
{
   if (!pl || !name || index > pl->count)
      return -1;
   if (pl->count == pl->capacity)
      grow(pl);
   if (pl->count >= pl->capacity)
      return -1;

   size_t size = std::strlen(name) + 1;
   auto *copy = static_cast<char *>(std::malloc(size));
   if (!copy)
      return -1;
   std::memcpy(copy, name, size);

   std::memmove(&pl->entries[index + 1], &pl->entries[index], (pl->count - index) * sizeof(PLAYLIST_ENTRY));
   pl->entries[index] = PLAYLIST_ENTRY{copy, data};
   if (static_cast<uint32_t>(pl->current) >= index)
      ++pl->current;
   ++pl->count;
   return 0;
}

int playlist_remove(PLAYLIST *pl, uint32_t index)
{
   if (!pl || index >= pl->count)
      return -1;
   std::free(pl->entries[index].name);
   std::memmove(&pl->entries[index], &pl->entries[index + 1], (pl->count - index - 1) * sizeof(PLAYLIST_ENTRY));
   --pl->count;

   auto current = static_cast<uint32_t>(pl->current);
   if (current > index)
      --current;
   if (current > pl->count - 1)
      current = pl->count - 1;
   pl->current = pl->count == 0 ? -1 : static_cast<int32_t>(current);
   return 0;
}

int playlist_move(PLAYLIST *pl, uint32_t from, uint32_t to)
{
   if (!pl || to >= pl->count || from >= pl->count)
      return -1;
   if (to == from)
      return 0;

   PLAYLIST_ENTRY moved = pl->entries[from];
   auto current = static_cast<uint32_t>(pl->current);
   if (to > from) {
      std::memmove(&pl->entries[from], &pl->entries[from + 1], (to - from) * sizeof(PLAYLIST_ENTRY));
      if (current == from)
         current = to;
      else if (from < current && current <= to)
         --current;
   } else {
      std::memmove(&pl->entries[to + 1], &pl->entries[to], (from - to) * sizeof(PLAYLIST_ENTRY));
      if (current == from)
         current = to;
      else if (to <= current && current < from)
         ++current;
   }
   pl->entries[to] = moved;
   pl->current = static_cast<int32_t>(current);
   return 0;
}

const char *playlist_get_name(const PLAYLIST *pl, uint32_t index)
{
   if (!pl || index >= pl->count)
      return nullptr;
   return pl->entries[index].name;
}

uint32_t playlist_get_data(const PLAYLIST *pl, uint32_t index)
{
   if (!pl || index >= pl->count)
      return 0;
   return pl->entries[index].data;
}

int playlist_find(const PLAYLIST *pl, const char *name)
{
   if (!pl || !name)
      return -1;
   for (uint32_t i = 0; i < pl->count; ++i) {
      if (std::strcmp(pl->entries[i].name, name) == 0)
         return static_cast<int>(i);
   }
   return -1;
}
