// List view tests: a window holding one list view over a list of numbered
// items, and a log of what its callbacks were given.
#pragma once

#include "input_test_support.h"

#include "controls/list_view_parts.h"
#include "toolkit/controls/list_view.h"

#include <cstdint>
#include <cstdio>
#include <ostream>
#include <vector>

namespace kstr::test {

struct ListCall {
   int row_id;
   intptr_t item;  // the handle: row + 1, 0 for none
   int a, b;       // buttons and count, or event and index
   friend bool operator==(const ListCall &, const ListCall &) = default;
};

inline std::ostream &operator<<(std::ostream &os, const ListCall &c)
{
   return os << "{row " << c.row_id << ", item " << c.item << ", " << c.a << ", " << c.b << "}";
}

struct ListLog {
   int row_text_calls = 0;
   std::vector<ListCall> activated, menus, source, target;
};

inline ListLog &list_log()
{
   static ListLog log;
   return log;
}

// Handles are row + 1, as the player makes them.
inline void *ItemHandle(void *, int i)
{
   return reinterpret_cast<void *>(intptr_t{i} + 1);
}

inline int ItemText(void *item, char *buf, int)
{
   ++list_log().row_text_calls;
   std::snprintf(buf, LIST_TEXT_SIZE, "Item %d", static_cast<int>(reinterpret_cast<intptr_t>(item)) - 1);
   return 0;
}

inline void LogActivate(int row_id, void *item, int buttons, int count)
{
   list_log().activated.push_back({row_id, reinterpret_cast<intptr_t>(item), buttons, count});
}

inline void LogMenu(int row_id, void *item)
{
   list_log().menus.push_back({row_id, reinterpret_cast<intptr_t>(item), 0, 0});
}

inline int LogSource(void *item, int event, void *, int index)
{
   list_log().source.push_back({0, reinterpret_cast<intptr_t>(item), event, index});
   return 1;
}

inline int LogTarget(void *item, int event, void *, void *, int index, ...)
{
   list_log().target.push_back({0, reinterpret_cast<intptr_t>(item), event, index});
   return 1;
}

// A list view of `count_` items, `rows` rows high, with every callback set.
class ListViewTest : public ::testing::Test {
 protected:
   void MakeList(int count, int rows)
   {
      ASSERT_TRUE(session_.ok);
      mouse_callback = nullptr;
      keyboard_ucallback = nullptr;
      count_ = count;
      MakeWindow(0, AUTO, "list view", WINDOW_NO_DRAG);
      list_ = PlaceListView(PLACE_FIRST, AUTO, nullptr, &count_, 160, 2, ItemText, LogMenu, rows);
      ASSERT_GT(list_, 0);
      SetListIndexer(list_, ItemHandle);
      SetRowActivate(list_, LogActivate, 1);
      SetDragSource(list_, LogSource, 64, 1);
      SetDropTarget(list_, LogTarget, 64);
      PresentWindow();
      run_loop_for(20);
      list_log() = ListLog{};
   }

   // The row control showing visible row `pos`.
   int RowId(int pos) const
   {
      const Control *view = LookupControl(list_);
      int seen = 0;
      for (const Control *c = view->container->first; c; c = c->next)
         if (c->x1 == LIST_FRAME && seen++ == pos)
            return c->id;
      return -1;
   }

   void RowCentre(int pos, int *x, int *y) const { centre_of(RowId(pos), x, y); }

   ToolkitSession session_;
   int count_ = 0;
   int list_ = -1;
};

}
