// Shared pieces of the toolkit core tests: a running toolkit on a test window
// under the X server, and helpers to read controls back.
#pragma once

#include "allegro_env.h"
#include "core/control.h"
#include "toolkit/toolkit.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace kstr::test {

// Opens a window of the given size and depth and starts the toolkit on it,
// with the fonts from the run folder when the build made them.
inline bool start_toolkit(int width = 640, int height = 580, int depth = 16)
{
   if (!open_test_window(width, height, depth))
      return false;
   if (const char *run = std::getenv("KSTR_RUN_DIR"))
      SetToolkitFontFolder(run);
   if (StartToolkit(0, 0, 0, nullptr, nullptr) != 1) {
      ADD_FAILURE() << "StartToolkit failed";
      return false;
   }
   return true;
}

// Stops the toolkit when a test ends, so every resource is given back.
struct ToolkitSession {
   bool ok;
   explicit ToolkitSession(int width = 640, int height = 580, int depth = 16) : ok(start_toolkit(width, height, depth))
   {
   }
   ~ToolkitSession() { StopToolkit(); }
};

struct Rect {
   int x1, y1, x2, y2;
   friend bool operator==(const Rect &, const Rect &) = default;
};

inline std::ostream &operator<<(std::ostream &os, const Rect &r)
{
   return os << "(" << r.x1 << "," << r.y1 << ")-(" << r.x2 << "," << r.y2 << ")";
}

// The control's rectangle relative to its container; all -1 for a bad id.
inline Rect rect_of(int id)
{
   const Control *c = LookupControl(id);
   if (!c)
      return Rect{-1, -1, -1, -1};
   return Rect{c->x1, c->y1, c->x2, c->y2};
}

inline Rect screen_rect_of(int id)
{
   const Control *c = LookupControl(id);
   if (!c)
      return Rect{-1, -1, -1, -1};
   int x, y;
   ControlScreenPos(c, &x, &y);
   return Rect{x, y, x + ControlWidth(c), y + ControlHeight(c)};
}

}
