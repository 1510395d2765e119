#include "pixel_art.h"

#include <algorithm>
#include <array>
#include <map>
#include <stdexcept>

namespace kstr::tools {

namespace {

struct Material {
   char key;
   Rgb colour;
};

// Shaded materials.
constexpr std::array materials{
   Material{'b', {64, 108, 200}},   // blue: transport symbols, arrows, the information disc
   Material{'g', {64, 172, 64}},    // green: adding and creating
   Material{'r', {214, 56, 44}},    // red: quitting
   Material{'y', {232, 184, 64}},   // folder, back
   Material{'f', {250, 212, 98}},   // folder, front
   Material{'w', {246, 246, 246}},  // paper
   Material{'m', {166, 170, 182}},  // metal
   Material{'t', {204, 156, 96}},   // cardboard
   Material{'n', {60, 68, 100}},    // a music note
   Material{'s', {255, 204, 48}},   // a star
};

// Flat colours.
constexpr std::array marks{
   Material{'W', {255, 255, 255}}, Material{'L', {128, 140, 164}},  // text lines on paper
};

constexpr double outline_darkness = 0.42;
constexpr Rgb lone_outline{40, 40, 48};

template <std::size_t N>
const Material *find(const std::array<Material, N> &table, char key)
{
   for (const Material &material : table)
      if (material.key == key)
         return &material;
   return nullptr;
}

class Reader {
 public:
   explicit Reader(const Drawing &drawing) : drawing_(drawing) {}

   int width() const { return drawing_.empty() ? 0 : static_cast<int>(drawing_[0].size()); }
   int height() const { return static_cast<int>(drawing_.size()); }
   char at(int x, int y) const
   {
      if (x < 0 || y < 0 || y >= height() || x >= width())
         return '.';
      return drawing_[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
   }

 private:
   const Drawing &drawing_;
};

Rgb outline_colour(const Reader &art, int x, int y)
{
   // The nearest ring of neighbours that touches any material decides; a
   // corner of an outline may be two pixels away from the nearest fill.
   for (int reach = 1; reach <= 2; reach++) {
      std::map<char, int> counts;
      for (int dy = -reach; dy <= reach; dy++)
         for (int dx = -reach; dx <= reach; dx++)
            if (find(materials, art.at(x + dx, y + dy)))
               counts[art.at(x + dx, y + dy)]++;
      if (counts.empty())
         continue;
      char most = counts.begin()->first;
      for (const auto &[key, count] : counts)
         if (count > counts[most])
            most = key;
      return scale(find(materials, most)->colour, outline_darkness);
   }
   return lone_outline;
}

Rgb material_colour(const Reader &art, const Material &material, int x, int y)
{
   const char key = material.key;
   // Brighter towards the top of the drawing.
   const double height = std::max(1, art.height() - 1);
   Rgb colour = mix(material.colour, Rgb{255, 255, 255}, 0.22 * (1.0 - y / height));
   colour = scale(colour, 1.0 - 0.12 * (y / height));
   if (art.at(x, y - 1) != key || art.at(x - 1, y) != key)
      return mix(colour, Rgb{255, 255, 255}, 0.45);
   if (art.at(x, y + 1) != key || art.at(x + 1, y) != key)
      return scale(colour, 0.8);
   return colour;
}

}

Image shade(const Drawing &drawing)
{
   const Reader art(drawing);
   for (const std::string &row : drawing)
      if (static_cast<int>(row.size()) != art.width())
         throw std::invalid_argument("drawing rows differ in length: \"" + row + "\"");

   Image image(art.width(), art.height());
   for (int y = 0; y < art.height(); y++) {
      for (int x = 0; x < art.width(); x++) {
         const char key = art.at(x, y);
         if (key == '.')
            continue;
         if (key == 'k')
            image.set(x, y, outline_colour(art, x, y));
         else if (const Material *material = find(materials, key))
            image.set(x, y, material_colour(art, *material, x, y));
         else if (const Material *mark = find(marks, key))
            image.set(x, y, mark->colour);
         else
            throw std::invalid_argument(std::string("unknown pixel '") + key + "'");
      }
   }
   return image;
}

Image compose(int width, int height, const std::vector<Layer> &layers)
{
   Image image(width, height);
   for (const Layer &layer : layers)
      image.draw(shade(layer.drawing), layer.x, layer.y);
   return image;
}

}
