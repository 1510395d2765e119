// One TrueType face at one pixel size, and hinted renderings of its glyphs.
//
// Contract: the constructor throws std::runtime_error when FreeType cannot
// start, open the file or set the size. render() never fails: a character the
// face lacks comes out as the face's missing-glyph box.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kstr::tools {

// A rendered glyph relative to the pen on the baseline, y growing upwards.
struct GlyphImage {
   int width = 0;
   int rows = 0;
   int left = 0;                        // pen to the first column
   int top = 0;                         // baseline to the top row
   int advance = 0;                     // pen to the next pen position
   std::vector<std::uint8_t> coverage;  // width * rows, 0 (none) to 255 (full)

   std::uint8_t at(int x, int y) const { return coverage[static_cast<std::size_t>(y * width + x)]; }
};

enum class Rendering { mono, grey };

class FreeTypeFace {
 public:
   FreeTypeFace(const std::string &path, int pixel_size);

   GlyphImage render(char32_t code, Rendering mode) const;
   // Kerning in whole pixels between two characters (0 when the face has none).
   int kerning(char32_t left, char32_t right) const;

 private:
   struct LibraryDeleter {
      void operator()(FT_Library library) const { FT_Done_FreeType(library); }
   };
   struct FaceDeleter {
      void operator()(FT_Face face) const { FT_Done_Face(face); }
   };
   // Declared in this order so the face goes before the library.
   std::unique_ptr<FT_LibraryRec_, LibraryDeleter> library_;
   std::unique_ptr<FT_FaceRec_, FaceDeleter> face_;
};

}
