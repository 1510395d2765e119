// The toolkit's global state, shared by the core's source files only.
#pragma once

#include "toolkit/control.h"

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

// Builds the desktop container (control 0) covering the screen.
void MakeDesktop(void);
// Destroys every window and the desktop.
void DestroyAllWindows(void);
