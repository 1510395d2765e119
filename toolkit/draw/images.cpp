// Named images: registration per container, lookup outward to the desktop,
// icon files and the icon datafile.
#include "draw/images.h"

#include "core/alloc.h"
#include "core/control.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

// The file selector's icons, looked up in the icon datafile by the part
// after the prefix.
constexpr const char *kDatafileIcons[] = {
   "#fb42_mkdatadir", "#fb42_datadir", "#fb42_makedir", "#fb42_updir", "#fb42_uparrow", "#fb42_isdirectory",
};
constexpr const char *kDatafileIconPrefix = "#fb42_";

BitmapPtr CopyBitmap(BITMAP *src)
{
   BitmapPtr copy(create_bitmap_ex(bitmap_color_depth(src), src->w, src->h));
   if (copy)
      blit(src, copy.get(), 0, 0, 0, 0, src->w, src->h);
   return copy;
}

// A bitmap object of a datafile; null when missing or of another type.
BitmapPtr LoadDatafileBitmap(const char *file, const char *object)
{
   DATAFILE *d = load_datafile_object(file, object);
   if (!d)
      return nullptr;
   BitmapPtr copy = d->type == DAT_BITMAP ? CopyBitmap(static_cast<BITMAP *>(d->dat)) : nullptr;
   unload_datafile_object(d);
   return copy;
}

// "file#object" names an object of a datafile, unless a file of the whole
// name exists.
BitmapPtr LoadImageFile(const char *path)
{
   const char *hash = std::strrchr(path, '#');
   std::error_code ec;
   if (hash && !std::filesystem::is_regular_file(path, ec)) {
      const std::string file(path, hash);
      return LoadDatafileBitmap(file.c_str(), hash + 1);
   }
   return BitmapPtr(load_bitmap(path, nullptr));
}

int ScreenDepth()
{
   return screen ? bitmap_color_depth(screen) : get_color_depth();
}

}

BitmapPtr ConvertToDepth(BITMAP *src, int depth)
{
   const int from = bitmap_color_depth(src);
   BitmapPtr dst(create_bitmap_ex(depth, src->w, src->h));
   if (!dst)
      return nullptr;
   if (from == depth) {
      blit(src, dst.get(), 0, 0, 0, 0, src->w, src->h);
      return dst;
   }
   const int src_mask = bitmap_mask_color(src), dst_mask = bitmap_mask_color(dst.get());
   for (int y = 0; y < src->h; ++y)
      for (int x = 0; x < src->w; ++x) {
         const int p = getpixel(src, x, y);
         putpixel(dst.get(), x, y,
                  p == src_mask ? dst_mask
                                : makecol_depth(depth, getr_depth(from, p), getg_depth(from, p), getb_depth(from, p)));
      }
   return dst;
}

bool RegisterImage(BITMAP *image, const char *name, int kind, int owner)
{
   BitmapPtr owned(image);
   Control *c = LookupControl(owner);
   if (!c || !name)
      return false;
   Container *box = ContainerOf(c);
   if (!box)
      return false;
   auto &list = box->images;
   list.erase(std::remove_if(list.begin(), list.end(), [name](const auto &e) { return e->name == name; }), list.end());
   if (!owned)
      return true;
   if (bitmap_color_depth(owned.get()) != ScreenDepth()) {
      owned = ConvertToDepth(owned.get(), ScreenDepth());
      if (!owned)
         OutOfMemory();
   }
   auto entry = std::make_shared<ImageEntry>();
   entry->name = name;
   entry->kind = kind;
   entry->width = owned->w;
   entry->height = owned->h;
   entry->image = std::move(owned);
   list.push_back(std::move(entry));
   return true;
}

std::shared_ptr<const ImageEntry> FindImage(const Container *box, const char *name)
{
   for (; box; box = box->self->parent)
      for (const auto &e : box->images)
         if (e->name == name)
            return e;
   return nullptr;
}

int LoadIconFile(const char *path, const char *name, int kind, int owner)
{
   if (!path || !name)
      return -1;
   Control *c = LookupControl(owner);
   if (!c || !ContainerOf(c))
      return -1;
   BitmapPtr image = LoadImageFile(path);
   if (!image)
      return -1;
   RegisterImage(image.release(), name, kind, owner);
   return ContainerOf(c)->self->id;
}

int LoadIconDatafile(const char *path)
{
   std::error_code ec;
   if (!path || !std::filesystem::is_regular_file(path, ec) || !LookupControl(0))
      return -1;
   int registered = 0;
   const std::size_t prefix = std::strlen(kDatafileIconPrefix);
   for (const char *icon : kDatafileIcons) {
      BitmapPtr image = LoadDatafileBitmap(path, icon + prefix);
      if (image && RegisterImage(image.release(), icon + 1, 1, 0))
         ++registered;
   }
   return registered;
}
