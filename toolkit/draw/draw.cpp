#include "draw/draw.h"

#include "core/control.h"
#include "core/state.h"
#include "toolkit/colours.h"
#include "toolkit/fonts.h"

#include <algorithm>
#include <string>

int InterfaceColour[INTERFACE_COLOUR_SLOTS + 1];

namespace {

struct Rgb8 {
   int r, g, b;
};

// Starting colours of slots 1 to 12.
constexpr Rgb8 kDefaultColours[INTERFACE_COLOUR_SLOTS] = {
   {255, 255, 255}, {224, 224, 224}, {192, 192, 192}, {143, 143, 143}, {0, 0, 0},   {0, 200, 255},
   {0, 0, 255},     {60, 80, 128},   {255, 0, 0},     {255, 255, 0},   {0, 255, 0}, {0, 131, 0},
};

// 8-bit modes: slot 1 is palette entry 255, slot 12 entry 244.
constexpr int kFirstPaletteEntry = 255;

// The toolkit's fonts.
struct FontState {
   FONT *regular = nullptr;  // owned when loaded, else Allegro's `font`
   FONT *bold = nullptr;     // owned when loaded, else `regular`
};

FontState &Fonts()
{
   static FontState state;
   return state;
}

FONT *LoadFontFile(const std::string &path)
{
   if (!exists(path.c_str()))
      return nullptr;
   return load_font(path.c_str(), nullptr, nullptr);
}

}

void InitInterfaceColours(void)
{
   const int depth = screen ? bitmap_color_depth(screen) : get_color_depth();
   for (int slot = 1; slot <= INTERFACE_COLOUR_SLOTS; ++slot) {
      const Rgb8 &c = kDefaultColours[slot - 1];
      if (depth == 8) {
         const int entry = kFirstPaletteEntry - (slot - 1);
         RGB rgb = {static_cast<unsigned char>(c.r >> 2), static_cast<unsigned char>(c.g >> 2),
                    static_cast<unsigned char>(c.b >> 2), 0};
         if (screen)
            set_color(entry, &rgb);
         InterfaceColour[slot] = entry;
      } else {
         InterfaceColour[slot] = makecol_depth(depth, c.r, c.g, c.b);
      }
   }
}

void LoadToolkitFonts(void)
{
   FreeToolkitFonts();
   const std::string folder = Toolkit().font_folder;
   Fonts().regular = LoadFontFile(folder + "/gfx/toolkit_font.bmp");
   if (Fonts().regular)
      Fonts().bold = LoadFontFile(folder + "/gfx/toolkit_font_bold.bmp");
}

void FreeToolkitFonts(void)
{
   if (Fonts().bold && Fonts().bold != Fonts().regular)
      destroy_font(Fonts().bold);
   if (Fonts().regular)
      destroy_font(Fonts().regular);
   Fonts().regular = Fonts().bold = nullptr;
}

FONT *ToolkitFont(void)
{
   return Fonts().regular ? Fonts().regular : font;
}

FONT *ToolkitBoldFont(void)
{
   return Fonts().bold ? Fonts().bold : ToolkitFont();
}

int StandardControlHeight(void)
{
   return Toolkit().running || Fonts().regular ? text_height(ToolkitFont()) + 7 : 16;
}

void SetToolkitFontFolder(const char *folder)
{
   Toolkit().font_folder = (folder && *folder) ? folder : ".";
}

void DrawBevel(BITMAP *b, int x1, int y1, int x2, int y2, bool raised)
{
   const int light = InterfaceColour[raised ? COLOUR_LIGHT : COLOUR_SHADOW];
   const int dark = InterfaceColour[raised ? COLOUR_SHADOW : COLOUR_LIGHT];
   hline(b, x1, y1, x2, light);
   vline(b, x1, y1, y2, light);
   hline(b, x1, y2, x2, dark);
   vline(b, x2, y1, y2, dark);
}

void DrawEtchedFrame(BITMAP *b, int x1, int y1, int x2, int y2)
{
   rect(b, x1, y1, x2 - 1, y2 - 1, InterfaceColour[COLOUR_SHADOW]);
   rect(b, x1 + 1, y1 + 1, x2, y2, InterfaceColour[COLOUR_LIGHT]);
}

void DrawLabelLines(BITMAP *b, const Control *c, int x, int y, int colour)
{
   FONT *f = c->font ? c->font : ToolkitFont();
   const int step = text_height(f) + 1;
   for (std::size_t i = 0; i < c->text.size(); ++i) {
      const int ly = y + static_cast<int>(i) * step;
      textout_ex(b, f, c->text[i].c_str(), x, ly, colour, -1);
      if (c->hk_line == i && c->hk_w > 0)
         hline(b, x + c->hk_x, ly + text_height(f) - 1, x + c->hk_x + c->hk_w - 1, colour);
   }
}

int LabelLinesWidth(const Control *c)
{
   FONT *f = c->font ? c->font : ToolkitFont();
   int w = 0;
   for (const std::string &line : c->text)
      w = std::max(w, text_length(f, line.c_str()));
   return w;
}

int LabelLinesHeight(const Control *c)
{
   FONT *f = c->font ? c->font : ToolkitFont();
   return (text_height(f) + 1) * static_cast<int>(c->text.size());
}

void DrawIcon(BITMAP *b, const ImageEntry *icon, int x, int y)
{
   if (!icon || !icon->image)
      return;
   // Kind 1 (icons) keeps the mask colour transparent; kind 0 (pictures)
   // is copied as it is.
   if (icon->kind == 1)
      masked_blit(icon->image.get(), b, 0, 0, x, y, icon->width, icon->height);
   else
      blit(icon->image.get(), b, 0, 0, x, y, icon->width, icon->height);
}
