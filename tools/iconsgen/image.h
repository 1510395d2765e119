// A small RGB image in memory with a transparent flag per pixel, and its
// conversion to the 24-bit BMP files the program loads, where transparency
// is the platform's mask colour, magenta.
#pragma once

#include <string>
#include <vector>

namespace kstr::tools {

struct Rgb {
   int r = 0;
   int g = 0;
   int b = 0;
   friend bool operator==(const Rgb &, const Rgb &) = default;
};

constexpr Rgb magenta{255, 0, 255};

// Channel-wise mix: 0 gives `from`, 1 gives `to`.
Rgb mix(Rgb from, Rgb to, double amount);
// Every channel times `factor`, kept within 0-255.
Rgb scale(Rgb colour, double factor);

class Image {
 public:
   Image(int width, int height);

   int width() const { return width_; }
   int height() const { return height_; }
   bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
   bool opaque(int x, int y) const { return inside(x, y) && opaque_[index(x, y)]; }
   Rgb at(int x, int y) const { return pixels_[index(x, y)]; }

   // Pixels outside the image are ignored.
   void set(int x, int y, Rgb colour);
   // Covers the pixel by `coverage` (0-1) of `colour`. Nothing lies behind a
   // transparent pixel to blend with: it takes `colour` when at least half
   // covered and stays transparent otherwise.
   void blend(int x, int y, Rgb colour, double coverage);
   // Copies the opaque pixels of `layer` with its top-left corner at (x, y).
   void draw(const Image &layer, int x, int y);

   // Throws std::runtime_error when the file cannot be written.
   void save_bmp(const std::string &path) const;

 private:
   std::size_t index(int x, int y) const { return static_cast<std::size_t>(y * width_ + x); }

   int width_;
   int height_;
   std::vector<Rgb> pixels_;
   std::vector<bool> opaque_;
};

}
