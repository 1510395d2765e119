#include "playlist/playlist_file.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr char MAGIC[] = "KSTR PLAYLIST ";
constexpr size_t MAGIC_SIZE = sizeof MAGIC - 1;
constexpr char VERSION[] = "01";
constexpr int NEWEST_VERSION = 1;

struct FileCloser {
   void operator()(std::FILE *f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Reads exact byte counts; the first short read makes every later read fail.
class Reader {
 public:
   explicit Reader(std::FILE *f) : f_(f) {}

   bool bytes(void *out, size_t size)
   {
      ok_ = ok_ && std::fread(out, 1, size, f_) == size;
      return ok_;
   }
   bool u16(uint16_t &out)
   {
      std::array<uint8_t, 2> b{};
      if (!bytes(b.data(), b.size()))
         return false;
      out = static_cast<uint16_t>(b[0] | b[1] << 8);
      return true;
   }
   bool u32(uint32_t &out)
   {
      std::array<uint8_t, 4> b{};
      if (!bytes(b.data(), b.size()))
         return false;
      out = uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24;
      return true;
   }

 private:
   std::FILE *f_;
   bool ok_ = true;
};

// Writes little-endian byte by byte, whatever the host's order, and
// remembers whether every byte was accepted.
class Writer {
 public:
   explicit Writer(std::FILE *f) : f_(f) {}

   void bytes(const void *data, size_t size) { ok_ = ok_ && std::fwrite(data, 1, size, f_) == size; }
   void u16(uint16_t v)
   {
      const std::array<uint8_t, 2> b{static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)};
      bytes(b.data(), b.size());
   }
   void u32(uint32_t v)
   {
      const std::array<uint8_t, 4> b{static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
                                     static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24)};
      bytes(b.data(), b.size());
   }
   bool ok() const { return ok_; }

 private:
   std::FILE *f_;
   bool ok_ = true;
};

// The version digits read the way atoi reads them: leading digits, and text
// that is no number counts as 0.
int version_number(const std::array<char, 2> &digits)
{
   const char text[3] = {digits[0], digits[1], '\0'};
   return std::atoi(text);
}

// Where the stored current position lands after `added` songs were appended
// behind `base` old ones. A stored -1 means the song before the appended ones
// (none in an empty list); any other value outside the appended songs is
// taken as the nearest of them, so the result always names a song.
int32_t loaded_current(int32_t stored, uint32_t base, uint32_t added)
{
   int64_t target = int64_t{base} - 1;
   if (stored != -1 && added > 0)
      target = int64_t{base} + std::clamp<int64_t>(stored, 0, int64_t{added} - 1);
   uint32_t count = base + added;
   if (count == 0)
      return -1;
   return static_cast<int32_t>(std::clamp<int64_t>(target, 0, int64_t{count} - 1));
}

bool read_record(Reader &in, std::string &name, uint32_t &data)
{
   uint16_t length = 0;
   if (!in.u16(length))
      return false;
   name.assign(length, '\0');
   return in.bytes(name.data(), length) && in.u32(data);
}

// Takes out the songs a failed load appended and puts the position back.
void undo_append(PLAYLIST *pl, uint32_t base, int32_t current)
{
   while (pl->count > base)
      playlist_remove(pl, pl->count - 1);
   pl->current = current;
}

}

int playlist_load(PLAYLIST *pl, const char *path)
{
   if (!pl || !path)
      return -1;
   File file(std::fopen(path, "rb"));
   if (!file)
      return -1;
   Reader in(file.get());

   std::array<char, MAGIC_SIZE> magic{};
   if (!in.bytes(magic.data(), magic.size()) || std::memcmp(magic.data(), MAGIC, MAGIC_SIZE) != 0)
      return -1;
   std::array<char, 2> version{};
   if (!in.bytes(version.data(), version.size()))
      return -1;
   if (version_number(version) > NEWEST_VERSION)
      return -2;
   uint32_t count = 0;
   uint32_t stored_current = 0;
   if (!in.u32(count) || !in.u32(stored_current))
      return -1;

   const uint32_t base = pl->count;
   const int32_t current_before = pl->current;
   // Each record is read whole before its song goes in, so the loop never
   // runs past the data the file really holds.
   std::string name;
   for (uint32_t i = 0; i < count; ++i) {
      uint32_t data = 0;
      if (!read_record(in, name, data)) {
         undo_append(pl, base, current_before);
         return -1;
      }
      // A failed insertion (memory) is skipped, as the format always did.
      playlist_insert(pl, pl->count, name.c_str(), data);
   }
   pl->current = loaded_current(static_cast<int32_t>(stored_current), base, pl->count - base);
   return 0;
}

int playlist_save(const PLAYLIST *pl, const char *path)
{
   if (!pl || !path)
      return -1;
   File file(std::fopen(path, "wb"));
   if (!file)
      return -1;
   Writer out(file.get());

   out.bytes(MAGIC, MAGIC_SIZE);
   out.bytes(VERSION, 2);
   out.u32(pl->count);
   out.u32(static_cast<uint32_t>(pl->current));
   for (uint32_t i = 0; i < pl->count; ++i) {
      const PLAYLIST_ENTRY &entry = pl->entries[i];
      // The length field holds 16 bits; a longer name keeps only that many
      // bytes, so the file stays readable.
      const auto length = static_cast<uint16_t>(std::strlen(entry.name));
      out.u16(length);
      out.bytes(entry.name, length);
      out.u32(entry.data);
   }
   // Buffered bytes reach the file only at close, so its result counts too.
   const bool closed = std::fclose(file.release()) == 0;
   return out.ok() && closed ? 0 : -1;
}
