#include "image.h"

#include "allegro_handles.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace kstr::tools {

namespace {

int channel(double value)
{
   return std::clamp(static_cast<int>(std::lround(value)), 0, 255);
}

}

Rgb mix(Rgb from, Rgb to, double amount)
{
   return {channel(from.r + (to.r - from.r) * amount), channel(from.g + (to.g - from.g) * amount),
           channel(from.b + (to.b - from.b) * amount)};
}

Rgb scale(Rgb colour, double factor)
{
   return {channel(colour.r * factor), channel(colour.g * factor), channel(colour.b * factor)};
}

Image::Image(int width, int height)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width * height), magenta),
      opaque_(static_cast<std::size_t>(width * height), false)
{
}

void Image::set(int x, int y, Rgb colour)
{
   if (!inside(x, y))
      return;
   pixels_[index(x, y)] = colour;
   opaque_[index(x, y)] = true;
}

void Image::blend(int x, int y, Rgb colour, double coverage)
{
   if (!inside(x, y) || coverage <= 0.0)
      return;
   if (opaque(x, y))
      set(x, y, mix(at(x, y), colour, std::min(coverage, 1.0)));
   else if (coverage >= 0.5)
      set(x, y, colour);
}

void Image::draw(const Image &layer, int x, int y)
{
   for (int ly = 0; ly < layer.height(); ly++)
      for (int lx = 0; lx < layer.width(); lx++)
         if (layer.opaque(lx, ly))
            set(x + lx, y + ly, layer.at(lx, ly));
}

void Image::save_bmp(const std::string &path) const
{
   BitmapPtr bitmap = make_bitmap(24, width_, height_);
   for (int y = 0; y < height_; y++) {
      for (int x = 0; x < width_; x++) {
         Rgb colour = opaque(x, y) ? at(x, y) : magenta;
         // An opaque pixel must never read back as the mask colour.
         if (opaque(x, y) && colour == magenta)
            colour.g = 1;
         putpixel(bitmap.get(), x, y, makecol24(colour.r, colour.g, colour.b));
      }
   }
   if (save_bitmap(path.c_str(), bitmap.get(), nullptr) != 0)
      throw std::runtime_error("cannot write " + path);
}

}
