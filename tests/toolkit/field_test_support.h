// Input-field tests: keys with their shift bits, where a character of a
// field's text is on the screen, and what the field shows there.
#pragma once

#include "input_test_support.h"

#include "controls/input_value.h"
#include "draw/selection_colours.h"
#include "toolkit/colours.h"
#include "toolkit/controls/input_field.h"

#include <string>
#include <vector>

namespace kstr::test {

struct Key {
   int scancode;
   int character = 0;
   int shifts = 0;
};

inline const Key kShiftLeft{KEY_LEFT, 0, KB_SHIFT_FLAG}, kShiftRight{KEY_RIGHT, 0, KB_SHIFT_FLAG},
   kShiftHome{KEY_HOME, 0, KB_SHIFT_FLAG}, kShiftEnd{KEY_END, 0, KB_SHIFT_FLAG};
inline const Key kCtrlA{KEY_A, 1, KB_CTRL_FLAG}, kCtrlC{KEY_C, 3, KB_CTRL_FLAG}, kCtrlX{KEY_X, 24, KB_CTRL_FLAG},
   kCtrlV{KEY_V, 22, KB_CTRL_FLAG};

// Injects the keys, then the text as typed characters, and lets the loop
// handle them.
inline void press_keys(const std::vector<Key> &keys, const std::string &text = "")
{
   for (const Key &k : keys)
      InjectKey(k.character ? k.character : (k.scancode == KEY_BACKSPACE ? 8 : 0), k.scancode, k.shifts);
   for (char ch : text)
      InjectKey(static_cast<unsigned char>(ch), 0, 0);
   run_loop_for(30);
}

inline InputField &field_record(int id)
{
   return *RecordOf<InputField>(LookupControl(id));
}

// Screen x of the boundary before character `index` of a field without a
// label, as the field scrolls now.
inline int boundary_x(int id, int index)
{
   const InputField &f = field_record(id);
   const std::string shown(FieldText(f) + f.scroll, FieldText(f) + index);
   return screen_rect_of(id).x1 + 3 + text_length(LookupControl(id)->font, shown.c_str());
}

inline int text_mid_y(int id)
{
   const Rect r = screen_rect_of(id);
   return (r.y1 + r.y2) / 2;
}

// The row just above the text: the selection's colour, never a glyph's.
inline int above_text_y(int id)
{
   const Rect r = screen_rect_of(id);
   return r.y1 + (r.y2 - r.y1 + 1 - text_height(LookupControl(id)->font)) / 2 - 1;
}

inline Rgb rgb_of(int colour)
{
   return Rgb{getr(colour), getg(colour), getb(colour)};
}

// Which characters of the field's text are drawn on the selection colour,
// as a string of '#' (selected) and '.' (not), read from the screen in the
// middle of each character's cell.
inline std::string drawn_selection(int id)
{
   const InputField &f = field_record(id);
   const int length = static_cast<int>(std::string(FieldText(f)).size());
   std::string marks;
   const Rect r = screen_rect_of(id);
   for (int i = f.scroll; i < length && boundary_x(id, i + 1) < r.x2 - 3; ++i) {
      const int x = (boundary_x(id, i) + boundary_x(id, i + 1)) / 2;
      // The focus mark's dotted line may cross this row: one of two
      // neighbouring pixels is free of it.
      const Rgb background = rgb_of(SelectionBackground());
      const bool selected =
         screen_pixel(x, above_text_y(id)) == background || screen_pixel(x + 1, above_text_y(id)) == background;
      marks += selected ? '#' : '.';
   }
   return marks;
}

}
