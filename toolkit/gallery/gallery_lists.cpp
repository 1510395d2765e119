#include "gallery_lists.h"

#include "toolkit/toolkit.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string_view>

namespace {

struct Row {
   const char *text;
   unsigned flags;
};

std::array<Row, 7> g_rows = {{
   {"#playicon;Playing now", LIST_ROW_UNDERLINE},
   {"Marked", LIST_ROW_MARK},
   {"Indented", LIST_ROW_INDENT},
   {"Struck through", LIST_ROW_STRIKE},
   {"Right-aligned", LIST_ROW_RIGHT},
   {"#stopicon;Stopped", 0},
   {"## not an icon", 0},
}};
int g_count = static_cast<int>(g_rows.size());
int g_list = 0;
int g_dragged = -1;

void *RowHandle(void *, int i)
{
   return &g_rows[i];
}

int RowText(void *item, char *buf, int)
{
   const Row *row = static_cast<const Row *>(item);
   std::snprintf(buf, LIST_TEXT_SIZE, "%s", row->text);
   return static_cast<int>(row->flags);
}

int Drag(void *, int event, void *, int index)
{
   if (event == LIST_DRAG_START)
      g_dragged = index;
   return event == LIST_DRAG_START || event == LIST_DRAG_END;
}

// Moves the dragged row to the row it was dropped on; a drop past the last
// row moves nothing.
int Drop(void *, int event, void *, void *, int index, ...)
{
   if (event == LIST_DRAG_OVER)
      return 1;
   if (event == LIST_DRAG_END && g_dragged >= 0 && g_dragged < g_count && index < g_count) {
      const Row moved = g_rows[g_dragged];
      std::copy(g_rows.begin() + g_dragged + 1, g_rows.end(), g_rows.begin() + g_dragged);
      std::copy_backward(g_rows.begin() + index, g_rows.end() - 1, g_rows.end());
      g_rows[index] = moved;
      RedrawControl(g_list);
   }
   return 0;
}

void Sort(void *descending)
{
   std::sort(g_rows.begin(), g_rows.end(), [descending](const Row &a, const Row &b) {
      return descending ? std::string_view(b.text) < a.text : std::string_view(a.text) < b.text;
   });
   RedrawControl(g_list);
}

void Mark(void *row)
{
   for (Row &r : g_rows)
      r.flags &= ~LIST_ROW_MARK;
   if (row)
      static_cast<Row *>(row)->flags |= LIST_ROW_MARK;
   RedrawControl(g_list);
}

void BuildMarkMenu(void *row)
{
   AddPopupItem(0, "This row", "", Mark, row);
   AddPopupItem(0, "No row", "", Mark, nullptr);
}

void BuildRowMenu(void *row)
{
   AddPopupItem(0, "#playicon;~Play", "Enter", nullptr, nullptr);
   AddPopupItem(1, "~Mark", "", BuildMarkMenu, row);
   AddPopupSeparator();
   AddPopupItem(0, "Sort A to ~Z", "", Sort, nullptr);
   AddPopupItem(0, "Sort Z to ~A", "", Sort, reinterpret_cast<void *>(intptr_t{1}));
}

void RowMenu(int, void *item)
{
   OpenPopupMenu(-1, BuildRowMenu, item);
}

void OpenMenu(void *button_id)
{
   OpenPopupMenu(*static_cast<const int *>(button_id), BuildRowMenu, &g_rows[0]);
}

}

void GalleryListGroup(void)
{
   BeginGroupBox(PLACE_RIGHT, AUTO, 0, AUTO, "List view and menu", 1);
   g_list = PlaceListView(PLACE_FIRST, AUTO, nullptr, &g_count, 112, 1, RowText, RowMenu, 4);
   SetListIndexer(g_list, RowHandle);
   MakeResizable(g_list, nullptr, nullptr, 0);
   SetDragSource(g_list, Drag, 64, 1);
   SetDropTarget(g_list, Drop, 64);
   // The menu opens beside the button that asked for it.
   static int menu_button = -1;
   menu_button = PlaceButton(PLACE_BELOW, AUTO, "M~enu", OpenMenu, &menu_button);
   EndGroupBox();
}
