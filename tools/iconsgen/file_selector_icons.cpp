// The file selector's icons: folders for directories, a cardboard box for
// datafiles (a file the selector can open like a folder), and the same
// badges as the main window for creating and going up.
#include "badges.h"
#include "icon_set.h"

namespace kstr::tools {

namespace {

const Drawing folder{
   "................", "................", ".kkkkk..........", "kyyyyyk.........",
   "kyyyyyykkkkkkkk.", "kyyyyyyyyyyyyyyk", "kkkkkkkkkkkkkkkk", "kffffffffffffffk",
   "kffffffffffffffk", "kffffffffffffffk", "kffffffffffffffk", "kffffffffffffffk",
   "kffffffffffffffk", "kffffffffffffffk", "kkkkkkkkkkkkkkkk", "................",
};

const Drawing box{
   "................", "................", "kkkkkkkkkkkkkkkk", "kttttttttttttttk",
   "kttttttttttttttk", "kkkkkkkkkkkkkkkk", ".kttttttttttttk.", ".kttttttttttttk.",
   ".ktttkkkkkktttk.", ".ktttkwwwwktttk.", ".ktttkkkkkktttk.", ".kttttttttttttk.",
   ".kttttttttttttk.", ".kttttttttttttk.", ".kkkkkkkkkkkkkk.", "................",
};

const Drawing up_arrow{
   "................", "................", "................", ".......kk.......",
   "......kbbk......", ".....kbbbbk.....", "....kbbbbbbk....", "...kbbbbbbbbk...",
   "..kkkkbbbbkkkk..", ".....kbbbbk.....", ".....kbbbbk.....", ".....kbbbbk.....",
   ".....kbbbbk.....", ".....kkkkkk.....", "................", "................",
};

}

std::vector<Icon> file_selector_icons()
{
   return {
      make_icon("mkdatadir.bmp", {{box}, {plus_badge(), 8, 8}}),
      make_icon("datadir.bmp", {{box}}),
      make_icon("makedir.bmp", {{folder}, {plus_badge(), 8, 8}}),
      make_icon("updir.bmp", {{folder}, {up_arrow_badge(), 7, 0}}),
      make_icon("uparrow.bmp", {{up_arrow}}),
      make_icon("isdirectory.bmp", {{folder}}),
   };
}

}
