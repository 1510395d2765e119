// The toolkit's global state; every floor reaches it through Toolkit().
#pragma once

#include "core/control.h"

#include <string>
#include <vector>

struct ToolkitState {
   bool running = false;
   bool starting = false;
   Control *desktop = nullptr;
   WindowRecord *under_construction = nullptr;
   std::vector<WindowRecord *> windows;  // bottom to top; back() is the top window
   std::vector<Container *> groups;      // open groups, innermost last
   std::string font_folder = ".";
   bool cleanup_registered = false;
};

ToolkitState &Toolkit();
