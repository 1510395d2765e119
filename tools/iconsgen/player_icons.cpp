// The main window's icons. Transport symbols share one blue and one 10-pixel
// box so that the row of buttons reads as a set.
#include "badges.h"
#include "icon_set.h"

namespace kstr::tools {

namespace {

const Drawing play{
   "................", "................", "................", "....kk..........",
   "....kbkk........", "....kbbbkk......", "....kbbbbbkk....", "....kbbbbbbbkk..",
   "....kbbbbbbbkk..", "....kbbbbbkk....", "....kbbbkk......", "....kbkk........",
   "....kk..........", "................", "................", "................",
};

const Drawing stop{
   "................", "................", "................", "...kkkkkkkkkk...",
   "...kbbbbbbbbk...", "...kbbbbbbbbk...", "...kbbbbbbbbk...", "...kbbbbbbbbk...",
   "...kbbbbbbbbk...", "...kbbbbbbbbk...", "...kbbbbbbbbk...", "...kbbbbbbbbk...",
   "...kkkkkkkkkk...", "................", "................", "................",
};

const Drawing pause{
   "................", "................", "................", "...kkkk..kkkk...",
   "...kbbk..kbbk...", "...kbbk..kbbk...", "...kbbk..kbbk...", "...kbbk..kbbk...",
   "...kbbk..kbbk...", "...kbbk..kbbk...", "...kbbk..kbbk...", "...kbbk..kbbk...",
   "...kkkk..kkkk...", "................", "................", "................",
};

const Drawing next{
   "................", "................", "................", ".kk.........kkk.",
   ".kbkk.......kbk.", ".kbbbkk.....kbk.", ".kbbbbbkk...kbk.", ".kbbbbbbbkk.kbk.",
   ".kbbbbbbbkk.kbk.", ".kbbbbbkk...kbk.", ".kbbbkk.....kbk.", ".kbkk.......kbk.",
   ".kk.........kkk.", "................", "................", "................",
};

const Drawing quit{
   "................", "................", "................", "...kkk....kkk...",
   "...krrk..krrk...", "...krrrkkrrrk...", "....krrrrrrk....", ".....krrrrk.....",
   ".....krrrrk.....", "....krrrrrrk....", "...krrrkkrrrk...", "...krrk..krrk...",
   "...kkk....kkk...", "................", "................", "................",
};

const Drawing menu{
   "................", "................", "................", "..kkkkkkkkkkkk..",
   "..kbbbbbbbbbbk..", "..kkkkkkkkkkkk..", "................", "..kkkkkkkkkkkk..",
   "..kbbbbbbbbbbk..", "..kkkkkkkkkkkk..", "................", "..kkkkkkkkkkkk..",
   "..kbbbbbbbbbbk..", "..kkkkkkkkkkkk..", "................", "................",
};

const Drawing about{
   "................", ".....kkkkkk.....", "...kkbbbbbbkk...", "..kbbbbWWbbbbk..",
   "..kbbbbWWbbbbk..", ".kbbbbbbbbbbbbk.", ".kbbbbWWWbbbbbk.", ".kbbbbbWWbbbbbk.",
   ".kbbbbbWWbbbbbk.", ".kbbbbbWWbbbbbk.", ".kbbbbbWWbbbbbk.", "..kbbbWWWWbbbk..",
   "..kbbbbbbbbbbk..", "...kkbbbbbbkk...", ".....kkkkkk.....", "................",
};

const Drawing setup{
   "......kkkk......", "......kmmk......", "..kk.kkmmkk.kk..", "..kmkkmmmmkkmk..",
   "..kmmmmmmmmmmk..", "...kmmmkkmmmk...", "kkkkmmk..kmmkkkk", "kmmmmk....kmmmmk",
   "kmmmmk....kmmmmk", "kkkkmmk..kmmkkkk", "...kmmmkkmmmk...", "..kmmmmmmmmmmk..",
   "..kmkkmmmmkkmk..", "..kk.kkmmkk.kk..", "......kmmk......", "......kkkk......",
};

const Drawing open_folder{
   "................", "................", ".kkkk...........", "kyyyyk..........",
   "kyyyyykkkkkkk...", "kyyyyyyyyyyyyk..", "kyyyyyyyyyyyyk..", "kyykkkkkkkkkkkkk",
   "kyykfffffffffffk", "kykfffffffffffk.", "kykfffffffffffk.", "kkfffffffffffk..",
   "kkfffffffffffk..", "kkkkkkkkkkkkk...", "................", "................",
};

const Drawing note{
   ".....kk.........", ".....knkk.......", ".....knnnkk.....", ".....knkknnk....",
   ".....knk.kknk...", ".....knk...knk..", ".....knk....kk..", ".....knk........",
   ".....knk........", "..kkkknk........", ".knnnnnk........", "knnnnnnk........",
   "knnnnnnk........", ".knnnnk.........", "..kkkk..........", "................",
};

const Drawing page{
   "................", "...kkkkkkkk.....", "...kwwwwwwkk....", "...kwwwwwwkwk...",
   "...kwwwwwwkkkk..", "...kwwwwwwwwwk..", "...kwLLLLLLLwk..", "...kwwwwwwwwwk..",
   "...kwLLLLLLLwk..", "...kwwwwwwwwwk..", "...kwLLLLLLLwk..", "...kwwwwwwwwwk..",
   "...kwLLLLLLLwk..", "...kwwwwwwwwwk..", "...kkkkkkkkkkk..", "................",
};

}

std::vector<Icon> player_icons()
{
   return {
      make_icon("config.bmp", {{setup}}),
      make_icon("play.bmp", {{play}}),
      make_icon("stop.bmp", {{stop}}),
      make_icon("prev.bmp", {{mirrored(next)}}),
      make_icon("next.bmp", {{next}}),
      make_icon("pause.bmp", {{pause}}),
      make_icon("about.bmp", {{about}}),
      make_icon("open.bmp", {{open_folder}}),
      make_icon("x.bmp", {{quit}}),
      make_icon("menu.bmp", {{menu}}),
      make_icon("add.bmp", {{note}, {plus_badge(), 8, 8}}),
      make_icon("newpl.bmp", {{page}, {star_badge(), 0, 0}}),
   };
}

}
