#include "badges.h"

#include <algorithm>

namespace kstr::tools {

const Drawing &plus_badge()
{
   static const Drawing drawing{
      "..kkkk..", "..kggk..", "kkkggkkk", "kggggggk", "kggggggk", "kkkggkkk", "..kggk..", "..kkkk..",
   };
   return drawing;
}

const Drawing &star_badge()
{
   static const Drawing drawing{
      "....k....", "...ksk...", "...ksk...", ".kkssskk.", "ksssssssk",
      ".kkssskk.", "...ksk...", "...ksk...", "....k....",
   };
   return drawing;
}

const Drawing &up_arrow_badge()
{
   static const Drawing drawing{
      "....k....", "...kbk...", "..kbbbk..", ".kbbbbbk.", "kkkbbbkkk",
      "..kbbbk..", "..kbbbk..", "..kbbbk..", "..kkkkk..",
   };
   return drawing;
}

Drawing mirrored(const Drawing &drawing)
{
   Drawing result = drawing;
   for (std::string &row : result)
      std::reverse(row.begin(), row.end());
   return result;
}

}
