#include "icon_set.h"

namespace kstr::tools {

Icon make_icon(std::string file, const std::vector<Layer> &layers)
{
   return {std::move(file), compose(icon_size, icon_size, layers)};
}

}
