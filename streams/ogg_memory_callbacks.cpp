#include "streams/ogg_memory_callbacks.h"

#include <cstring>

namespace {

OGG_PLAYER &player_of(void *datasource)
{
   return *static_cast<OGG_PLAYER *>(datasource);
}

int64_t offset_of_pos(const OGG_PLAYER &p)
{
   return p.data_pos - p.data_start;
}

}

size_t ogg_memory_read(void *dest, size_t size, size_t count, void *datasource)
{
   OGG_PLAYER &p = player_of(datasource);
   const int64_t left = p.data_len - offset_of_pos(p);
   if (size == 0 || left <= 0)
      return 0;
   // Compared by division: size * count may not fit.
   const size_t items_left = static_cast<size_t>(left) / size;
   if (count > items_left)
      count = items_left;
   if (count == 0)
      return 0;
   std::memcpy(dest, p.data_pos, count * size);
   p.data_pos += count * size;
   return count;
}

int ogg_memory_seek(void *datasource, ogg_int64_t offset, int whence)
{
   OGG_PLAYER &p = player_of(datasource);
   int64_t base;
   switch (whence) {
   case SEEK_SET: base = 0; break;
   case SEEK_CUR: base = offset_of_pos(p); break;
   case SEEK_END: base = p.data_len; break;
   default: return -1;
   }
   // Checked as offsets: a pointer outside the block may not even be formed.
   const int64_t target = base + static_cast<int32_t>(offset);
   if (target < 0 || target > p.data_len)
      return -1;
   p.data_pos = p.data_start + target;
   return 0;
}

int ogg_memory_close(void *datasource)
{
   OGG_PLAYER &p = player_of(datasource);
   p.data_pos = p.data_start;
   return 0;
}

long ogg_memory_tell(void *datasource)
{
   return static_cast<long>(offset_of_pos(player_of(datasource)));
}

ov_callbacks ogg_memory_callbacks()
{
   return ov_callbacks{ogg_memory_read, ogg_memory_seek, ogg_memory_close, ogg_memory_tell};
}
