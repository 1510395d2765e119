// Message catalogues: a definition compiled into the program lists the items
// by number (key name, typed parameters); a translation loaded from a ".tra"
// file holds one text per item; tr_text formats item n of the selected one.
//
// Contract:
// - Allegro must be installed (install_allegro, SYSTEM_NONE will do) before
//   tr_load: packfile reading needs it. tr_init runs once before the rest.
// - Texts are in the text format current when they were loaded (the player
//   uses U_ASCII, so bytes pass through unchanged).
// - tr_load returns an owned translation or null; on null tr_error says why
//   (TR_ERR_OPEN, TR_ERR_CREATE, TR_ERR_SYNTAX) and tr_line where.
// - tr_select does not take ownership; the caller destroys a translation
//   after deselecting it (or selecting another one).
// - tr_text's result lives in one shared buffer until the next tr_text call;
//   callers that keep a text copy it. Not re-entrant.
#pragma once

#include <optional>
#include <string>
#include <vector>

constexpr int TR_MAX_PARAMS = 10;

// One catalogue item. A parameter type is "int", "uint", "short", "ushort",
// "double" or "string", optionally followed by options in parentheses, e.g.
// "int(+,8)" or "double(.2)".
struct TR_ITEM {
   const char *name;
   int param_count;
   const char *param_types[TR_MAX_PARAMS];
};

struct TR_DEFINITION {
   int text_count;  // texts a translation holds
   int item_count;  // items the loader matches keys against
   const TR_ITEM *items;
};

struct TRANSLATION {
   const TR_DEFINITION *definition;                // not owned
   std::vector<std::optional<std::string>> texts;  // text_count entries; empty = no text
};

// Options of one numeric parameter.
struct TR_FORMAT {
   unsigned char show_plus;
   unsigned char group_thousands;
   unsigned char width;
   unsigned char zero_fill;
   signed char precision;   // -1: as many fraction digits as the value has
   unsigned char dot_zero;  // ".0" was given
};

enum {
   TR_ERR_OPEN = 1,
   TR_ERR_CREATE = 11,
   TR_ERR_SYNTAX = 12,
};

extern int tr_error;  // code of the last tr_load, 0 for none
extern int tr_line;   // number of the last line tr_load read, first = 1

void tr_init();
TRANSLATION *tr_load(const TR_DEFINITION *definition, const char *filename, int packed);
void tr_destroy(TRANSLATION *translation);
int tr_select(TRANSLATION *translation);
// Item n of the selected translation with its arguments (C types of the
// parameter types: int, unsigned int, short, unsigned short, double,
// const char *). Null when nothing is selected; "" for a missing text.
const char *tr_text(int n, ...);
// Replaces text n by a copy of `text` (null removes it). 0, or -1 for a
// null translation or a number outside the translation.
int tr_set_text(TRANSLATION *translation, int n, const char *text);
int tr_is_complete(const TRANSLATION *translation);
