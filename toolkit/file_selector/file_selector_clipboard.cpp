// Copying, cutting and pasting files in the file selector (Ctrl-C, Ctrl-X,
// Ctrl-V), and moving a file by dragging its row onto a folder's row. The
// copy buffer outlives the selector, so files can be carried from one
// selector to the next.
#include "core/control.h"
#include "file_selector/file_listing.h"
#include "file_selector/file_selector_state.h"
#include "toolkit/controls/list_view.h"
#include "windows/control_class.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct CopyBuffer {
   std::vector<std::string> paths;
   bool cut = false;
};

CopyBuffer &Buffer()
{
   static auto *buffer = new CopyBuffer;  // outlives static destructors
   return *buffer;
}

Selector &Of(void *data)
{
   return *static_cast<Selector *>(data);
}

void Take(Selector &s, bool cut)
{
   CopyBuffer taken;
   taken.cut = cut;
   for (int i = 0; i < s.count; ++i) {
      const FileEntry &e = *s.rows[static_cast<std::size_t>(i)].entry;
      if (e.name != ".." && ListRowSelected(s.list, i))
         taken.paths.push_back((fs::path(s.folder) / e.name).string());
   }
   if (!taken.paths.empty())
      Buffer() = std::move(taken);
}

void CopyFiles(void *data)
{
   Take(Of(data), false);
}

void CutFiles(void *data)
{
   Take(Of(data), true);
}

// Moves `from` to `to`, copying across file systems.
bool Move(const fs::path &from, const fs::path &to, std::error_code &error)
{
   fs::rename(from, to, error);
   if (!error)
      return true;
   if (error != std::errc::cross_device_link)
      return false;
   error.clear();
   fs::copy(from, to, fs::copy_options::recursive, error);
   return !error && fs::remove_all(from, error) != static_cast<std::uintmax_t>(-1) && !error;
}

void PasteFiles(void *data)
{
   Selector &s = Of(data);
   CopyBuffer &buffer = Buffer();
   for (const std::string &path : buffer.paths) {
      const fs::path from(path), to = fs::path(s.folder) / from.filename();
      if (from == to)
         continue;
      std::error_code error;
      if (fs::exists(to, error)) {
         SelectorMessage(s, FB_REFUSE_EXISTING, from.filename().string());
         continue;
      }
      const bool done =
         buffer.cut ? Move(from, to, error) : (fs::copy(from, to, fs::copy_options::recursive, error), !error);
      if (!done)
         SelectorError(s, to.string(), error.message());
   }
   if (buffer.cut)
      buffer = CopyBuffer{};
   EnterFolder(s, s.folder);
}

// Drag type of the selector's rows.
constexpr int kRowDragType = 0x100;

int DragRow(void *item, int event, void *list, int)
{
   Selector &s = Of(list);
   // The row may be gone by the end of the drag: only its start reads it.
   if (event != LIST_DRAG_START)
      return 1;
   const auto *row = static_cast<const SelectorRow *>(item);
   if (!row || row->entry->name == "..")
      return 0;
   s.dragged = (fs::path(s.folder) / row->entry->name).string();
   return 1;
}

int DropRow(void *item, int event, void *source, void *list, int, ...)
{
   const auto *row = static_cast<const SelectorRow *>(item);
   Selector &from = Of(source), &s = Of(list);
   if (!row || !row->entry->directory || from.dragged.empty())
      return 0;
   const fs::path dragged(from.dragged);
   const fs::path folder =
      row->entry->name == ".." ? fs::path(ParentFolder(s.folder)) : fs::path(s.folder) / row->entry->name;
   if (dragged == folder || dragged.parent_path() == folder)
      return 0;
   if (event != LIST_DRAG_END)
      return event == LIST_DRAG_OVER;
   const fs::path to = folder / dragged.filename();
   std::error_code error;
   if (fs::exists(to, error))
      SelectorMessage(s, FB_REFUSE_EXISTING, dragged.filename().string());
   else if (!Move(dragged, to, error))
      SelectorError(s, to.string(), error.message());
   from.dragged.clear();
   EnterFolder(s, s.folder);
   if (&from != &s)
      EnterFolder(from, from.folder);
   return 0;
}

// An invisible control whose only part is its hot key.
void PlaceKey(char key, void (*fn)(void *), Selector &s)
{
   static ClassSlot slot;
   const char label[2] = {key, '\0'};
   Control *c = CreateControl(ClassOnce(slot, nullptr), 0, 0, label);
   if (!c)
      return;
   c->not_placed = 1;
   c->on_action = fn;
   c->action_data = &s;
}

}

void PlaceClipboardKeys(Selector &s)
{
   PlaceKey('\x03', CopyFiles, s);   // Ctrl-C
   PlaceKey('\x18', CutFiles, s);    // Ctrl-X
   PlaceKey('\x16', PasteFiles, s);  // Ctrl-V
}

void AllowRowDragging(Selector &s)
{
   SetDragSource(s.list, DragRow, kRowDragType, 1);
   SetDropTarget(s.list, DropRow, kRowDragType);
}
