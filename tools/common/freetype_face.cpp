#include "freetype_face.h"

#include <stdexcept>

namespace kstr::tools {

FreeTypeFace::FreeTypeFace(const std::string &path, int pixel_size)
{
   FT_Library library = nullptr;
   if (FT_Init_FreeType(&library) != 0)
      throw std::runtime_error("FreeType does not start");
   library_.reset(library);

   FT_Face face = nullptr;
   if (FT_New_Face(library, path.c_str(), 0, &face) != 0)
      throw std::runtime_error("cannot open font " + path);
   face_.reset(face);

   if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixel_size)) != 0)
      throw std::runtime_error("font " + path + " has no size " + std::to_string(pixel_size));
}

GlyphImage FreeTypeFace::render(char32_t code, Rendering mode) const
{
   FT_Face face = face_.get();
   const FT_UInt index = FT_Get_Char_Index(face, code);
   // Monochrome targets get the font's full hinting, which snaps stems to
   // whole pixels; grey renderings keep the outlines' shapes.
   const FT_Int32 flags = FT_LOAD_RENDER | (mode == Rendering::mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_LIGHT);
   if (FT_Load_Glyph(face, index, flags) != 0)
      throw std::runtime_error("cannot render character " + std::to_string(static_cast<unsigned>(code)));

   const FT_GlyphSlot slot = face->glyph;
   const FT_Bitmap &bitmap = slot->bitmap;
   GlyphImage image;
   image.width = static_cast<int>(bitmap.width);
   image.rows = static_cast<int>(bitmap.rows);
   image.left = slot->bitmap_left;
   image.top = slot->bitmap_top;
   image.advance = static_cast<int>((slot->advance.x + 32) >> 6);
   image.coverage.assign(static_cast<std::size_t>(image.width * image.rows), 0);
   for (int y = 0; y < image.rows; y++) {
      const unsigned char *row = bitmap.buffer + y * bitmap.pitch;
      for (int x = 0; x < image.width; x++) {
         std::uint8_t value;
         if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
            value = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
         else
            value = row[x];
         image.coverage[static_cast<std::size_t>(y * image.width + x)] = value;
      }
   }
   return image;
}

int FreeTypeFace::kerning(char32_t left, char32_t right) const
{
   FT_Face face = face_.get();
   if (!FT_HAS_KERNING(face))
      return 0;
   FT_Vector delta{};
   FT_Get_Kerning(face, FT_Get_Char_Index(face, left), FT_Get_Char_Index(face, right), FT_KERNING_DEFAULT, &delta);
   return static_cast<int>((delta.x + 32) >> 6);
}

}
