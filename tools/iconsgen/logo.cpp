#include "logo.h"

#include "freetype_face.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace kstr::tools {

namespace {

constexpr Rgb plate_top{72, 118, 206};
constexpr Rgb plate_bottom{26, 56, 128};
constexpr double plate_radius = 10.0;

constexpr Rgb mark_top{252, 176, 76};
constexpr Rgb mark_bottom{206, 104, 28};
constexpr double mark_x = 30.0;
constexpr double mark_y = 30.0;
constexpr double mark_radius = 21.0;

constexpr Rgb lettering{255, 255, 255};
constexpr Rgb lettering_shadow{14, 30, 72};
constexpr std::u32string_view name = U"Kestrune";
constexpr int name_left = 58;
constexpr int name_right_margin = 10;

// Fraction of the pixel at (x, y) inside a shape, sampled 4x4.
template <typename Inside>
double coverage(int x, int y, Inside inside)
{
   int hits = 0;
   for (int sy = 0; sy < 4; sy++)
      for (int sx = 0; sx < 4; sx++)
         hits += inside(x + (sx + 0.5) / 4.0, y + (sy + 0.5) / 4.0) ? 1 : 0;
   return hits / 16.0;
}

bool inside_plate(double x, double y)
{
   const double cx = std::clamp(x, plate_radius, logo_width - plate_radius);
   const double cy = std::clamp(y, plate_radius, logo_height - plate_radius);
   return std::hypot(x - cx, y - cy) <= plate_radius;
}

void draw_plate(Image &logo)
{
   for (int y = 0; y < logo_height; y++) {
      const Rgb colour = mix(plate_top, plate_bottom, y / double(logo_height - 1));
      for (int x = 0; x < logo_width; x++)
         logo.blend(x, y, colour, coverage(x, y, inside_plate));
   }
   // A dark rim where the plate meets its surroundings, a light line under
   // its top edge.
   const Image fill = logo;
   for (int y = 0; y < logo_height; y++) {
      for (int x = 0; x < logo_width; x++) {
         if (!fill.opaque(x, y))
            continue;
         const bool edge =
            !fill.opaque(x - 1, y) || !fill.opaque(x + 1, y) || !fill.opaque(x, y - 1) || !fill.opaque(x, y + 1);
         if (edge)
            logo.set(x, y, scale(fill.at(x, y), 0.55));
         else if (!fill.opaque(x, y - 2))
            logo.set(x, y, mix(fill.at(x, y), Rgb{255, 255, 255}, 0.35));
      }
   }
}

void draw_mark(Image &logo, const FreeTypeFace &face)
{
   const auto inside_disc = [](double x, double y) { return std::hypot(x - mark_x, y - mark_y) <= mark_radius; };
   const auto inside_rim = [](double x, double y) {
      const double d = std::hypot(x - mark_x, y - mark_y);
      return d <= mark_radius && d >= mark_radius - 1.25;
   };
   const int top = static_cast<int>(mark_y - mark_radius) - 1;
   const int bottom = static_cast<int>(mark_y + mark_radius) + 1;
   for (int y = top; y <= bottom; y++) {
      const Rgb colour = mix(mark_top, mark_bottom, (y - top) / double(bottom - top));
      for (int x = static_cast<int>(mark_x - mark_radius) - 1; x <= static_cast<int>(mark_x + mark_radius) + 1; x++) {
         logo.blend(x, y, colour, coverage(x, y, inside_disc));
         logo.blend(x, y, scale(colour, 0.6), coverage(x, y, inside_rim));
      }
   }

   // The note, centred on the disc by its ink.
   const GlyphImage note = face.render(U'\u266A', Rendering::grey);
   const int x0 = static_cast<int>(std::lround(mark_x - note.width / 2.0));
   const int y0 = static_cast<int>(std::lround(mark_y - note.rows / 2.0));
   for (int y = 0; y < note.rows; y++)
      for (int x = 0; x < note.width; x++)
         logo.blend(x0 + x, y0 + y, lettering, note.at(x, y) / 255.0);
}

int text_width(const FreeTypeFace &face, std::u32string_view text)
{
   int width = 0;
   for (std::size_t i = 0; i < text.size(); i++) {
      width += face.render(text[i], Rendering::grey).advance;
      if (i + 1 < text.size())
         width += face.kerning(text[i], text[i + 1]);
   }
   return width;
}

void draw_text(Image &logo, const FreeTypeFace &face, std::u32string_view text, int x, int baseline, Rgb colour)
{
   for (std::size_t i = 0; i < text.size(); i++) {
      const GlyphImage glyph = face.render(text[i], Rendering::grey);
      for (int y = 0; y < glyph.rows; y++)
         for (int gx = 0; gx < glyph.width; gx++)
            logo.blend(x + glyph.left + gx, baseline - glyph.top + y, colour, glyph.at(gx, y) / 255.0);
      x += glyph.advance;
      if (i + 1 < text.size())
         x += face.kerning(text[i], text[i + 1]);
   }
}

void draw_name(Image &logo, const std::string &font_path)
{
   // The largest size up to 30 pixels that fits beside the mark.
   const int room = logo_width - name_left - name_right_margin;
   int size = 30;
   while (size > 12 && text_width(FreeTypeFace(font_path, size), name) > room)
      size--;
   const FreeTypeFace face(font_path, size);

   // Capitals centred on the plate.
   const int cap_height = face.render(U'K', Rendering::grey).top;
   const int baseline = (logo_height + cap_height) / 2;
   const int x = name_left + (room - text_width(face, name)) / 2;
   draw_text(logo, face, name, x + 1, baseline + 1, lettering_shadow);
   draw_text(logo, face, name, x, baseline, lettering);
}

}

Image draw_logo(const std::string &bold_font_path)
{
   Image logo(logo_width, logo_height);
   draw_plate(logo);
   draw_mark(logo, FreeTypeFace(bold_font_path, 30));
   draw_name(logo, bold_font_path);
   return logo;
}

}
