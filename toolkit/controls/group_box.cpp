// Framed group: a container drawn as an etched frame with its title in the
// top frame line.
#include "toolkit/controls/group_box.h"

#include "controls/control_paint.h"
#include "core/control.h"
#include "draw/draw.h"
#include "toolkit/colours.h"
#include "toolkit/controls/label.h"
#include "toolkit/placement.h"
#include "windows/control_class.h"
#include "windows/window_parts.h"

#include <algorithm>

namespace {

constexpr int kSpacing = 2;
constexpr int kFrame = 2;         // the etched line is two pixels thick
constexpr int kTitleIndent = 6;   // title start from the frame's left edge
constexpr int kTitlePadding = 2;  // face left free on each side of the title

int TitleHeight(const Control *c)
{
   return c->text.empty() ? 0 : LabelLinesHeight(c);
}

void DrawGroup(Control *c)
{
   PaintArea a;
   if (!AreaOf(c, &a))
      return;
   rectfill(a.b, a.x1, a.y1, a.x2, a.y2, InterfaceColour[COLOUR_FACE]);
   const int title_h = TitleHeight(c);
   DrawEtchedFrame(a.b, a.x1, a.y1 + title_h / 2, a.x2, a.y2);
   if (title_h) {
      const int tx = a.x1 + kTitleIndent + kTitlePadding;
      const int tw = std::min(LabelLinesWidth(c), a.Width() - 2 * (kTitleIndent + kTitlePadding));
      if (tw > 0) {
         rectfill(a.b, tx - kTitlePadding, a.y1, tx + tw + kTitlePadding - 1, a.y1 + title_h - 1,
                  InterfaceColour[COLOUR_FACE]);
         set_clip_rect(a.b, tx, a.y1, tx + tw - 1, a.y1 + title_h - 1);
         DrawLabelLines(a.b, c, tx, a.y1, InterfaceColour[COLOUR_TEXT]);
         set_clip_rect(a.b, 0, 0, a.b->w - 1, a.b->h - 1);
      }
   }
   ContainerClass()->draw(c);
}

const ControlClass *GroupClass()
{
   static ClassSlot slot;
   return ClassOnce(slot, [](ControlClass &k) {
      k = *ContainerClass();
      k.draw = DrawGroup;
   });
}

}

int BeginGroupBox(int x, int y, int w, int h, const char *title, int flags)
{
   const bool title_above = !(flags & GROUP_TITLE_IN_FRAME) && title && *title;
   if (title_above) {
      if (PlaceLabel(x, y, title) < 0)
         return -1;
      // The frame goes below its title, keeping the layout flags.
      constexpr int flag_bits = static_cast<int>(0xFF000000u);
      x = y < 0 ? PLACE_BELOW : (x & flag_bits) | PLACE_BELOW;
      y = y < 0 ? AUTO : (y & flag_bits) | AUTO;
   }
   Control *c = CreateControl(GroupClass(), x, y, title_above ? "" : title);
   if (!c)
      return -1;
   c->hotkeys.clear();  // a group's title names it; it is not a key
   Container *box = MakeContainer(c);
   SetSpacing(box, kSpacing, kSpacing);
   box->left_margin += kFrame;
   box->right_margin += kFrame;
   box->bottom_margin += kFrame;
   box->top_margin += std::max(TitleHeight(c), kFrame);
   if ((h & AUTO) != AUTO) {
      box->fixed_size = true;
      box->fixed_w = std::max(1, w);
      box->fixed_h = std::max(1, h);
   }
   PushGroup(box);
   return c->id;
}

void EndGroupBox(void)
{
   PopGroup();
}
