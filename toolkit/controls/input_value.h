// Inside the input field: the edit text and the caller's variable it stands
// for, per kind. No drawing, no input.
#pragma once

#include "core/control.h"

#include <array>
#include <optional>
#include <string_view>

struct InputField {
   int kind;                       // 1-8
   int mode;                       // 1 plain, +8 (flag 64), +32 (flags 0x6000), +16 (flag 32)
   void *value;                    // the caller's variable
   int param;                      // kind 5: the buffer's size in bytes
   int width;                      // of the edit box, in pixels
   std::array<char, 61> number{};  // the text of the numeric kinds
   long long shown = 0;            // the value `number` stands for
   int cursor = 0;                 // character index
   int anchor = 0;                 // the selection's other end (== cursor: none)
   int scroll = 0;                 // first character shown
   bool at_rest = true;            // no edit going on: shown from the start
   bool blink_on = true;
   bool replace_on_focus = false;  // INPUT_FLAG_REPLACE
   bool utf8 = false;              // INPUT_FLAG_UTF8: cursor and scroll are byte offsets
   bool had_focus = false;         // when last drawn
   bool mark_fresh = false;        // the focus the current press brought marked all
   int press_at = -1;              // where the held press began (-1: none)
   ChangeFn fn = nullptr;
   void *fn_data = nullptr;
};

inline constexpr int INPUT_MODE_UNDEFINED = 32;

bool IsTextKind(const InputField &f);
// The edit text (never null) and how many characters it may hold.
const char *FieldText(const InputField &f);
int FieldCapacity(const InputField &f);

// Makes the kind-6 string exist, fills the numeric text from the variable.
void PrepareField(InputField &f);
// Numeric kinds: when the variable changed since the text was made, the
// text is made again from it (cursor at the end).
void FollowVariable(InputField &f);

// Replaces the text with `candidate` when the kind accepts it (length,
// characters, range) and reads it back into the variable. False, and nothing
// changed, when it does not.
bool AcceptText(InputField &f, std::string_view candidate);

// The selection as [start, end) character indexes; empty when none.
int SelectionStart(const InputField &f);
int SelectionEnd(const InputField &f);
bool HasSelection(const InputField &f);

// The cursor position one character after (`step` 1) or before (-1) `at`:
// a byte, or in a UTF-8 field a whole character.
int StepCharacter(const InputField &f, const char *text, int at, int step);
// Whether `character` (a code point) can be typed into the field: printable,
// up to 255 unless the field is UTF-8.
bool CanType(const InputField &f, int character);
// `character` as the field stores it: one byte, or UTF-8.
std::string TypedText(const InputField &f, int character);

// The number the field stands for (text kinds: the text read as a number).
long long FieldNumber(const InputField &f);
