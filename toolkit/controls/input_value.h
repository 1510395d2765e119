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
   int scroll = 0;                 // first character shown
   bool blink_on = true;
   bool replace_on_focus = false;  // INPUT_FLAG_REPLACE
   bool utf8 = false;              // INPUT_FLAG_UTF8: cursor and scroll are byte offsets
   bool had_focus = false;         // when last drawn
   bool marked = false;            // the whole text, replaced by typing
   bool mark_fresh = false;        // set by the focus the current press brought
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

// The number the field stands for (text kinds: the text read as a number).
long long FieldNumber(const InputField &f);
