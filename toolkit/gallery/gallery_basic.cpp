#include "gallery_basic.h"

#include "toolkit/toolkit.h"

namespace {

// The variables the basic controls show and change.
struct BasicGroup {
   int page = 0;
   int shuffle = 1;
   int sound = 0;
   int percent = 60;
   int bar = -1;  // the progress bar's id
};

BasicGroup &Basic()
{
   static BasicGroup state;
   return state;
}

void Advance(void *)
{
   Basic().percent = Basic().percent >= 100 ? 0 : Basic().percent + 10;
   SetProgress(Basic().bar, Basic().percent);
}

void IconButton(int x, const char *icon, const char *tooltip)
{
   const int id = PlaceButton(x, AUTO, icon, nullptr, nullptr);
   ResizeControl(id, -5, 0);
   SetTooltip(id, tooltip);
}

void ButtonsPage(void *)
{
   IconButton(PLACE_FIRST, "#playicon;", "Play");
   IconButton(PLACE_RIGHT, "#pauseicon;", "Pause");
   IconButton(PLACE_RIGHT, "#stopicon;", "Stop");
   PlaceButton(PLACE_RIGHT, AUTO, "~Apply", nullptr, nullptr);
   PlaceButton(PLACE_RIGHT, AUTO, "Two_lines", nullptr, nullptr);
   PlaceCheckBox(PLACE_NEW_ROW, AUTO | LAYOUT_STRETCH, "~Shuffle", &Basic().shuffle);
   static char stereo[] = "Stereo", mono[] = "Mono";
   static char *sounds[] = {stereo, mono};
   PlaceCycleButton(PLACE_NEW_ROW, AUTO, "Sound", sounds, &Basic().sound);
   PlaceLabel(PLACE_NEW_ROW, AUTO, "Position");
   Basic().bar = PlaceProgressBar(PLACE_NEW_ROW, AUTO, 100, 8);
   SetProgress(Basic().bar, Basic().percent);
   PlaceButton(PLACE_RIGHT, AUTO, "+10%", Advance, nullptr);
}

void GroupsPage(void *)
{
   BeginGroupBox(PLACE_FIRST, AUTO, 0, AUTO, "Outer", GROUP_TITLE_IN_FRAME);
   PlaceLabel(PLACE_FIRST, AUTO, "#playicon;");
   PlaceLabel(PLACE_RIGHT, AUTO, "A label_of two lines");
   BeginGroupBox(PLACE_NEW_ROW, AUTO, 0, AUTO, "Inner", GROUP_TITLE_IN_FRAME);
   PlaceLabel(PLACE_FIRST, AUTO, "Groups nest");
   EndGroupBox();
   EndGroupBox();
   BeginGroupBox(PLACE_RIGHT, AUTO, 0, AUTO, "Title above", 0);
   PlaceLabel(PLACE_FIRST, AUTO, "Framed");
   EndGroupBox();
}

}

void GalleryBasicGroup(void)
{
   BeginGroupBox(PLACE_RIGHT, AUTO, 0, AUTO, "Buttons and tabs", GROUP_TITLE_IN_FRAME);
   const int tabs = PlaceTabs(PLACE_FIRST, AUTO, 0, AUTO, &Basic().page);
   AddTab(tabs, ButtonsPage, nullptr, "~Buttons");
   AddTab(tabs, GroupsPage, nullptr, "~Groups");
   EndGroupBox();
}
