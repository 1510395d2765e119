#include "gallery_window.h"

#include "gallery_basic.h"
#include "gallery_lists.h"
#include "toolkit/controls/sample_box.h"
#include "toolkit/toolkit.h"

#include <cstddef>
#include <cstdio>
#include <string>

namespace {

constexpr int kIconSize = 16;

enum class Shape { play, stop, pause, square };

// A 16x16 icon on the mask colour, drawn here so the gallery runs without
// any image files.
BITMAP *DrawIconShape(Shape shape, int colour)
{
   BITMAP *b = create_bitmap(kIconSize, kIconSize);
   if (!b)
      return nullptr;  // registering no image leaves the name without an icon
   clear_to_color(b, bitmap_mask_color(b));
   switch (shape) {
   case Shape::play: triangle(b, 4, 2, 4, 13, 13, 7, colour); break;
   case Shape::stop: rectfill(b, 3, 3, 12, 12, colour); break;
   case Shape::pause:
      rectfill(b, 3, 2, 6, 13, colour);
      rectfill(b, 9, 2, 12, 13, colour);
      break;
   case Shape::square:
      rectfill(b, 1, 1, 14, 14, colour);
      rect(b, 1, 1, 14, 14, InterfaceColour[COLOUR_TEXT]);
      break;
   }
   return b;
}

// Icons from the run folder when they are there, drawn ones otherwise.
void RegisterIcon(const std::string &folder, const char *file, const char *name, Shape shape, int colour)
{
   if (LoadIconFile((folder + "/gfx/" + file).c_str(), name, 1, 0) < 0)
      RegisterImage(DrawIconShape(shape, colour), name, 1, 0);
}

void RegisterGalleryIcons(const std::string &folder)
{
   RegisterIcon(folder, "play.bmp", "playicon", Shape::play, InterfaceColour[COLOUR_GO_DARK]);
   RegisterIcon(folder, "stop.bmp", "stopicon", Shape::stop, InterfaceColour[COLOUR_ALERT]);
   RegisterIcon(folder, "pause.bmp", "pauseicon", Shape::pause, InterfaceColour[COLOUR_TITLE]);
   // Seen everywhere, but shadowed inside the gallery window below.
   RegisterImage(DrawIconShape(Shape::square, InterfaceColour[COLOUR_SELECTED_TEXT]), "shade", 1, 0);
   LoadIconDatafile((folder + "/kesicons.dat").c_str());
}

void StopGallery(void *)
{
   StopEventLoop();
}

struct Sample {
   int x, y;
   const char *label;
   int style;
   int min_size;
};

// Places the samples in order inside a titled group; returns the last id.
template <std::size_t N>
int SampleGroup(int x, int y, const char *title, const Sample (&samples)[N])
{
   BeginGroupBox(x, y, 0, AUTO, title, GROUP_TITLE_IN_FRAME);
   int id = -1;
   for (const Sample &s : samples)
      id = PlaceSampleBox(s.x, s.y, s.label, s.style, s.min_size, s.min_size);
   EndGroupBox();
   return id;
}

constexpr Sample kPlacements[] = {
   {PLACE_FIRST, AUTO, "1 first", SAMPLE_RAISED, 0},
   {PLACE_RIGHT, AUTO, "2 right of it", SAMPLE_RAISED, 0},
   {PLACE_BELOW, AUTO, "16 below", SAMPLE_RAISED, 0},
   {PLACE_NEW_ROW, AUTO, "8 (A)", SAMPLE_RAISED, 0},
   {PLACE_LEFT, AUTO, "4 (B)", SAMPLE_RAISED, 0},
   {PLACE_LEFT, AUTO, "4 (C)", SAMPLE_RAISED, 0},
   {PLACE_NEW_ROW, AUTO, "8, 4, 4 read C B A", SAMPLE_PLAIN, 0},
};

constexpr Sample kFlags[] = {
   {PLACE_FIRST | LAYOUT_EQUAL_WIDTH, AUTO, "OK", SAMPLE_RAISED, 0},
   {PLACE_RIGHT | LAYOUT_EQUAL_WIDTH, AUTO, "Cancel", SAMPLE_RAISED, 0},
   {PLACE_RIGHT | LAYOUT_EQUAL_WIDTH, AUTO, "Apply all", SAMPLE_RAISED, 0},
   {PLACE_NEW_ROW, AUTO | LAYOUT_STRETCH, "stretched across", SAMPLE_SUNKEN, 0},
   {PLACE_NEW_ROW, AUTO | LAYOUT_EQUAL_HEIGHT, "equal", SAMPLE_SUNKEN, 0},
   {PLACE_BELOW, AUTO | LAYOUT_EQUAL_HEIGHT, "heights_in a_column", SAMPLE_SUNKEN, 0},
   {PLACE_RIGHT, AUTO | LAYOUT_ALIGN_BOTTOM, "bottom", SAMPLE_RAISED, 0},
   {PLACE_RIGHT, AUTO | LAYOUT_ALIGN_RIGHT, "right", SAMPLE_RAISED, 0},
};

constexpr Sample kLabels[] = {
   {PLACE_FIRST, AUTO, "Two_lines", SAMPLE_RAISED, 0},
   {PLACE_RIGHT, AUTO, "~Hot key", SAMPLE_RAISED, 0},
   {PLACE_RIGHT, AUTO, "a__b ~~ ##1", SAMPLE_RAISED, 0},
   {PLACE_NEW_ROW, AUTO, "#playicon;Play", SAMPLE_RAISED, 0},
   {PLACE_RIGHT, AUTO, "#stopicon;", SAMPLE_RAISED, 0},
   {PLACE_RIGHT, AUTO, "#pauseicon", SAMPLE_RAISED, 0},
   {PLACE_RIGHT, AUTO, "#no such icon;", SAMPLE_SUNKEN, 24},
   {PLACE_NEW_ROW, AUTO | LAYOUT_STRETCH, "Point here for a tooltip", SAMPLE_SUNKEN, 0},
};

void ImagesGroup(int window)
{
   BeginGroupBox(PLACE_RIGHT, AUTO, 0, AUTO, "Images", GROUP_TITLE_IN_FRAME);
   // The window's own "shade" shadows the desktop's.
   RegisterImage(DrawIconShape(Shape::square, InterfaceColour[COLOUR_GO]), "shade", 1, window);
   PlaceSampleBox(PLACE_FIRST, AUTO, "#shade;window's_shade", SAMPLE_RAISED, 0, 0);
   PlaceSampleBox(PLACE_RIGHT, AUTO, "#fb42_updir;updir", SAMPLE_RAISED, 0, 0);
   PlaceSampleBox(PLACE_RIGHT, AUTO, "#fb42_uparrow;uparrow", SAMPLE_RAISED, 0, 0);
   EndGroupBox();
}

void CursorsGroup()
{
   BeginGroupBox(PLACE_NEW_ROW, AUTO | LAYOUT_STRETCH, 0, AUTO, "Mouse cursors (point at one)", GROUP_TITLE_IN_FRAME);
   static const char *const cursor_names[] = {"drag", "copy", "no drop", "move", "resize", "busy", "arrow"};
   for (int n = 0; n < 7; ++n) {
      char label[64];
      std::snprintf(label, sizeof label, "#cursor42_%d;%d %s", n, n, cursor_names[n]);
      const int id =
         PlaceSampleBox(n == 0 ? PLACE_FIRST : PLACE_RIGHT, AUTO | LAYOUT_EQUAL_WIDTH, label, SAMPLE_RAISED, 0, 0);
      SetSampleBoxCursor(id, n);
   }
   EndGroupBox();
}

// The controls that edit values, bound to variables that outlive the window.
void InputGroup()
{
   static int number = 42, buffer = 16, volume = 200, mode = 1;
   static char name[24] = "Kestrune";
   static char stereo[] = "Stereo", mono[] = "Mono", left[] = "Left only", right[] = "Right only";
   static char *modes[] = {stereo, mono, left, right};
   static char text[] = "A text field breaks its text into lines that fit its width and scrolls "
                        "when it is given a number of lines.";
   BeginGroupBox(PLACE_NEW_ROW, AUTO | LAYOUT_STRETCH, 0, AUTO, "Input controls", GROUP_TITLE_IN_FRAME);
   PlaceInputField(PLACE_FIRST, AUTO, 45, "Number", 3, 2, &number);
   PlaceInputField(PLACE_RIGHT, AUTO, 100, "Name", 5, sizeof name, name);
   PlaceChoiceList(PLACE_RIGHT, AUTO, 0, "Output", &mode, modes, 4);
   const int field = PlaceInputField(PLACE_NEW_ROW, AUTO, 30, "Buffer", 3, 2, &buffer);
   PlaceSlider(PLACE_RIGHT, AUTO, 120, &buffer, 4, 64, SLIDER_END_MARKERS | SLIDER_LIMIT_TEXTS, field);
   PlaceSlider(PLACE_RIGHT, AUTO, 80, &volume, 0, 255, SLIDER_END_MARKERS | SLIDER_STYLE_1, -1);
   PlaceTextField(PLACE_RIGHT, AUTO, text, 170, 2, TEXT_FIELD_LIGHT);
   EndGroupBox();
}

}

int BuildGalleryWindow(const char *run_folder)
{
   RegisterGalleryIcons(run_folder && *run_folder ? run_folder : ".");
   const int window = MakeWindow(0, AUTO, "Toolkit gallery", WINDOW_NOT_MODAL);
   if (window <= 0)
      return 0;
   SampleGroup(PLACE_FIRST, AUTO, "Placement codes", kPlacements);
   SampleGroup(PLACE_RIGHT, AUTO, "Layout flags", kFlags);
   GalleryBasicGroup();
   SetTooltip(SampleGroup(PLACE_NEW_ROW, AUTO, "Labels", kLabels), "A tooltip_of two lines");
   ImagesGroup(window);
   GalleryListGroup();
   CursorsGroup();
   InputGroup();
   const int close = PlaceSampleBox(PLACE_NEW_ROW, AUTO | LAYOUT_ALIGN_RIGHT, "~Close#27;", SAMPLE_RAISED, 70, 0);
   SetSampleBoxAction(close, StopGallery, nullptr);
   SetTooltip(close, "Ends the gallery (Alt+C, C or Escape)");
   PresentWindow();
   return window;
}
