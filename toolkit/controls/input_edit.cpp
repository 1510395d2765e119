#include "controls/input_edit.h"

#include "draw/display_names.h"
#include "input/clipboard.h"
#include "toolkit/control_calls.h"

#include <allegro.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// Allegro hands Ctrl+letter as the letter's control character.
constexpr int kCtrlA = 1, kCtrlC = 3, kCtrlV = 22, kCtrlX = 24;

int Length(const InputField &f)
{
   return static_cast<int>(std::strlen(FieldText(f)));
}

// The control character of Ctrl+`letter`, whichever way the key came.
int ControlKey(int character, int scancode, int shifts)
{
   if (character >= 1 && character <= 26)
      return character;
   if ((shifts & KB_CTRL_FLAG) && scancode >= KEY_A && scancode <= KEY_Z)
      return scancode - KEY_A + 1;
   return 0;
}

// The text with the selection replaced by `insert`; the cursor lands after
// it. A refused change beeps unless `quiet`.
bool ReplaceSelection(InputField &f, const std::string &insert, bool quiet = false)
{
   std::string text = FieldText(f);
   int from = SelectionStart(f), to = SelectionEnd(f);
   // A number shown as "?" is replaced by what is typed.
   if (!IsTextKind(f) && text == "?" && !insert.empty())
      from = 0, to = static_cast<int>(text.size());
   text.replace(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from), insert);
   if (!AcceptText(f, text)) {
      if (!quiet)
         ToolkitBeep(1000, 1);
      return false;
   }
   f.cursor = f.anchor = from + static_cast<int>(insert.size());
   return true;
}

// As many of the bytes as the field takes, one by one as typing would.
void Paste(InputField &f, const std::string &clip)
{
   std::string bytes;
   for (char ch : clip)
      if (ch != '\n' && ch != '\r' && ch != '\0')
         bytes += ch;
   if (bytes.empty() || ReplaceSelection(f, bytes, true))
      return;
   const std::string before = FieldText(f);
   const int cursor = f.cursor, anchor = f.anchor;
   std::size_t taken = 0;
   if (ReplaceSelection(f, "", true))
      while (taken < bytes.size()) {
         const std::size_t next = f.utf8 ? NextCharacter(bytes, taken) : taken + 1;
         if (!ReplaceSelection(f, bytes.substr(taken, next - taken), true))
            break;
         taken = next;
      }
   if (taken == 0) {
      AcceptText(f, before);  // the text the field held: always taken back
      f.cursor = cursor;
      f.anchor = anchor;
   }
   ToolkitBeep(1000, 1);
}

void Copy(const InputField &f)
{
   if (HasSelection(f))
      CopyToClipboard(std::string_view(FieldText(f) + SelectionStart(f),
                                       static_cast<std::size_t>(SelectionEnd(f) - SelectionStart(f))));
}

bool ClipboardKey(InputField &f, int control, int scancode, int shifts)
{
   const bool shift = shifts & KB_SHIFT_FLAG, ctrl = shifts & KB_CTRL_FLAG;
   if (control == kCtrlA) {
      SelectAllText(f);
   } else if (control == kCtrlC || (ctrl && scancode == KEY_INSERT)) {
      Copy(f);
   } else if (control == kCtrlX || (shift && scancode == KEY_DEL)) {
      Copy(f);
      if (HasSelection(f))
         ReplaceSelection(f, "");
   } else if (control == kCtrlV || (shift && scancode == KEY_INSERT)) {
      Paste(f, PasteFromClipboard());
   } else {
      return false;
   }
   return true;
}

// Moves the cursor to `to`, extending the selection with Shift.
void MoveCursor(InputField &f, int to, bool extend)
{
   f.cursor = std::clamp(to, 0, Length(f));
   if (!extend)
      f.anchor = f.cursor;
}

bool MoveKey(InputField &f, int scancode, bool extend)
{
   const bool selected = HasSelection(f) && !extend;
   switch (scancode) {
   case KEY_LEFT:
      MoveCursor(f, selected ? SelectionStart(f) : StepCharacter(f, FieldText(f), f.cursor, -1), extend);
      return true;
   case KEY_RIGHT:
      MoveCursor(f, selected ? SelectionEnd(f) : StepCharacter(f, FieldText(f), f.cursor, 1), extend);
      return true;
   case KEY_HOME: MoveCursor(f, 0, extend); return true;
   case KEY_END: MoveCursor(f, Length(f), extend); return true;
   default: return false;
   }
}

bool DeleteKey(InputField &f, int scancode)
{
   if (scancode != KEY_BACKSPACE && scancode != KEY_DEL)
      return false;
   if (!HasSelection(f)) {
      // Backspace takes the character before the cursor, Delete the one after.
      const int step = scancode == KEY_BACKSPACE ? -1 : 1;
      const int at = StepCharacter(f, FieldText(f), f.cursor, step);
      if (at == f.cursor)
         return true;
      f.anchor = at;
   }
   ReplaceSelection(f, "");
   return true;
}

}

bool EditFieldKey(InputField &f, int character, int scancode, int shifts)
{
   if (ClipboardKey(f, ControlKey(character, scancode, shifts), scancode, shifts))
      return true;
   if (MoveKey(f, scancode, shifts & KB_SHIFT_FLAG) || DeleteKey(f, scancode))
      return true;
   if (CanType(f, character) && scancode != KEY_DEL) {
      ReplaceSelection(f, TypedText(f, character));
      return true;
   }
   return false;
}

void SelectAllText(InputField &f)
{
   f.anchor = 0;
   f.cursor = Length(f);
}
