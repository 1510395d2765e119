#include "core/pointer_image.h"

#include <allegro.h>

int MouseInputMode = 0;

namespace {

struct OwnPointer {
   bool allegro_shows = false;  // show_mouse(screen) is in force
   bool known = false;          // the loop has seen the platform pointer
   int x = 0, y = 0;            // its position then
   // What the drawn sprite covers, and where (top-left corner).
   BITMAP *under = nullptr;
   int under_x = 0, under_y = 0;
   int scared = 0;  // open ScarePointerArea calls
};

OwnPointer p;

bool LoopMovesPointer()
{
   return MouseInputMode == 0;
}

void Erase()
{
   if (!p.under || !screen)
      return;
   blit(p.under, screen, 0, 0, p.under_x, p.under_y, p.under->w, p.under->h);
   destroy_bitmap(p.under);
   p.under = nullptr;
}

void Draw()
{
   if (p.under || !p.known || p.scared || !screen || !mouse_sprite || !LoopMovesPointer())
      return;
   p.under = create_bitmap(mouse_sprite->w, mouse_sprite->h);
   if (!p.under)
      return;  // no pointer is better than a failure while drawing it
   p.under_x = p.x - mouse_x_focus;
   p.under_y = p.y - mouse_y_focus;
   blit(screen, p.under, p.under_x, p.under_y, 0, 0, p.under->w, p.under->h);
   draw_sprite(screen, mouse_sprite, p.under_x, p.under_y);
}

// Hands the pointer to whoever the mode names now.
void FollowMode()
{
   if (!mouse_driver || !screen)
      return;
   if (LoopMovesPointer() && p.allegro_shows) {
      show_mouse(nullptr);
      p.allegro_shows = false;
   } else if (!LoopMovesPointer() && !p.allegro_shows) {
      Erase();
      show_mouse(screen);
      p.allegro_shows = true;
   }
}

}

void SetPointerImage(BITMAP *image, int focus_x, int focus_y)
{
   Erase();
   if (p.allegro_shows) {
      show_mouse(nullptr);
      p.allegro_shows = false;
   }
   set_mouse_sprite(image);
   set_mouse_sprite_focus(focus_x, focus_y);
   FollowMode();
   Draw();
}

void HidePointerImage()
{
   Erase();
   if (mouse_driver && p.allegro_shows)
      show_mouse(nullptr);
   p = OwnPointer{};
}

void MovePointerImage(bool moved, int x, int y)
{
   FollowMode();
   // The position is kept in both modes, for a switch back to mode 0.
   if (moved && (!p.known || p.x != x || p.y != y)) {
      Erase();
      p.known = true;
      p.x = x;
      p.y = y;
   }
   Draw();
}

void ScarePointerArea(int x, int y, int w, int h)
{
   scare_mouse_area(x, y, w, h);
   ++p.scared;
   if (p.under && p.under_x < x + w && x < p.under_x + p.under->w && p.under_y < y + h && y < p.under_y + p.under->h)
      Erase();
}

void UnscarePointer()
{
   unscare_mouse();
   if (p.scared > 0 && --p.scared == 0)
      Draw();
}
