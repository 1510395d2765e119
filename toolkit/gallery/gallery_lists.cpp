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

// The list the list view shows, and what the view is doing with it.
struct ListGroup {
   std::array<Row, 7> rows = {{
      {"#playicon;Playing now", LIST_ROW_UNDERLINE},
      {"Marked", LIST_ROW_MARK},
      {"Indented", LIST_ROW_INDENT},
      {"Struck through", LIST_ROW_STRIKE},
      {"Right-aligned", LIST_ROW_RIGHT},
      {"#stopicon;Stopped", 0},
      {"## not an icon", 0},
   }};
   int count = static_cast<int>(rows.size());
   int list = 0;      // the list view's id
   int dragged = -1;  // the row being dragged
};

ListGroup &Lists()
{
   static ListGroup state;
   return state;
}

void *RowHandle(void *, int i)
{
   return &Lists().rows[i];
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
      Lists().dragged = index;
   return event == LIST_DRAG_START || event == LIST_DRAG_END;
}

// Moves the dragged row to the row it was dropped on; a drop past the last
// row moves nothing.
int Drop(void *, int event, void *, void *, int index, ...)
{
   if (event == LIST_DRAG_OVER)
      return 1;
   if (event == LIST_DRAG_END && Lists().dragged >= 0 && Lists().dragged < Lists().count && index < Lists().count) {
      const Row moved = Lists().rows[Lists().dragged];
      std::copy(Lists().rows.begin() + Lists().dragged + 1, Lists().rows.end(), Lists().rows.begin() + Lists().dragged);
      std::copy_backward(Lists().rows.begin() + index, Lists().rows.end() - 1, Lists().rows.end());
      Lists().rows[index] = moved;
      RedrawControl(Lists().list);
   }
   return 0;
}

void Sort(void *descending)
{
   std::sort(Lists().rows.begin(), Lists().rows.end(), [descending](const Row &a, const Row &b) {
      return descending ? std::string_view(b.text) < a.text : std::string_view(a.text) < b.text;
   });
   RedrawControl(Lists().list);
}

void Mark(void *row)
{
   for (Row &r : Lists().rows)
      r.flags &= ~LIST_ROW_MARK;
   if (row)
      static_cast<Row *>(row)->flags |= LIST_ROW_MARK;
   RedrawControl(Lists().list);
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
   OpenPopupMenu(*static_cast<const int *>(button_id), BuildRowMenu, &Lists().rows[0]);
}

}

void GalleryListGroup(void)
{
   BeginGroupBox(PLACE_RIGHT, AUTO, 0, AUTO, "List view and menu", 1);
   Lists().list = PlaceListView(PLACE_FIRST, AUTO, nullptr, &Lists().count, 112, 1, RowText, RowMenu, 4);
   SetListIndexer(Lists().list, RowHandle);
   MakeResizable(Lists().list, nullptr, nullptr, 0);
   SetDragSource(Lists().list, Drag, 64, 1);
   SetDropTarget(Lists().list, Drop, 64);
   // The menu opens beside the button that asked for it.
   static int menu_button = -1;
   menu_button = PlaceButton(PLACE_BELOW, AUTO, "M~enu", OpenMenu, &menu_button);
   EndGroupBox();
}
