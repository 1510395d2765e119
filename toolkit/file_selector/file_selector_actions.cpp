// What the file selector's controls do: moving between folders, the
// location and mask fields, creating folders and datafiles, OK and Cancel.
#include "core/control.h"
#include "draw/display_names.h"
#include "file_selector/file_listing.h"
#include "file_selector/file_selector_settings.h"
#include "file_selector/file_selector_state.h"
#include "input/loops.h"
#include "toolkit/control_calls.h"
#include "toolkit/controls/button.h"
#include "toolkit/controls/check_box.h"
#include "toolkit/controls/choice_list.h"
#include "toolkit/controls/list_view.h"
#include "toolkit/file_selector.h"
#include "toolkit/placement.h"
#include "toolkit/requesters.h"
#include "toolkit/windows.h"
#include "windows/window_parts.h"

#include <allegro.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

Selector &Of(void *data)
{
   return *static_cast<Selector *>(data);
}

// A message box's last button answers Escape too.
std::string WithEscape(std::string message)
{
   const std::size_t bar = message.rfind('|');
   if (bar != std::string::npos && message.compare(bar + 1, 4, "#27;") != 0)
      message.insert(bar + 1, "#27;");
   return message;
}

void CopyText(char *to, std::size_t size, const std::string &text)
{
   // A text too long is cut where a character begins, never inside one.
   const std::size_t n = text.size() < size ? text.size() : PreviousCharacter(text, size);
   text.copy(to, n);
   to[n] = '\0';
}

void SetSelectedText(Selector &s, const std::string &text)
{
   CopyText(s.selected, sizeof s.selected, text);
   RedrawControl(s.name_field);
}

// The bytes of the entry "Selected:" shows as `shown`: a selected row shown
// so (two names can look alike, one in UTF-8 and one in Latin-1: the one
// picked is meant), else an entry of that very name, else the entry whose
// name is displayed so, else `shown` itself.
std::string EntryBytes(const Selector &s, const std::string &shown)
{
   for (int i = 0; i < s.count; ++i) {
      const FileEntry &e = *s.rows[static_cast<std::size_t>(i)].entry;
      if (ListRowSelected(s.list, i) && DisplayName(e.name) == shown)
         return e.name;
   }
   const FileEntry *match = nullptr;
   for (const FileEntry &e : s.entries) {
      if (e.name == shown)
         return shown;
      if (!match && DisplayName(e.name) == shown)
         match = &e;
   }
   return match ? match->name : shown;
}

// `name` inside the current folder, unless it is a path of its own.
std::string PathOf(const Selector &s, const std::string &name)
{
   if (!name.empty() && name[0] == '/')
      return name;
   char path[1024];
   append_filename(path, s.folder.c_str(), EntryBytes(s, name).c_str(), sizeof path);
   return path;
}

int FirstSelectedRow(const Selector &s)
{
   for (int i = 0; i < s.count; ++i)
      if (ListRowSelected(s.list, i))
         return i;
   return -1;
}

// The mount point that holds the current folder.
int DriveOf(const Selector &s)
{
   int best = 0;
   std::size_t best_length = 0;
   for (std::size_t i = 0; i < s.drives.size(); ++i) {
      const std::string &d = s.drives[i];
      const bool holds =
         s.folder == d || (s.folder.compare(0, d.size(), d) == 0 && (d == "/" || s.folder[d.size()] == '/'));
      if (holds && d.size() > best_length) {
         best = static_cast<int>(i);
         best_length = d.size();
      }
   }
   return best;
}

// Every check of the options for one chosen name; false (after telling the
// user why) when the selector stays open. A name that does not exist yet is
// a new file to save (unless the name must exist), and then only inside a
// folder that exists.
bool PassesChecks(Selector &s, const std::string &name)
{
   const std::string path = PathOf(s, name);
   const bool exists = PathExists(path), folder = IsFolder(path);
   const std::string parent = path.substr(0, path.size() - std::strlen(get_filename(path.c_str())));
   if (!exists && ((s.flags & SELECT_MUST_EXIST) || !IsFolder(parent.empty() ? "/" : parent)))
      return SelectorMessage(s, FB_DOES_NOT_EXIST, name), false;
   if ((s.flags & SELECT_REFUSE_EXISTING) && exists)
      return SelectorMessage(s, FB_REFUSE_EXISTING, name), false;
   if ((s.flags & SELECT_ASK_IF_EXISTS) && exists && SelectorMessage(s, FB_ASK_EXISTING, name) != 0)
      return false;
   if ((s.flags & SELECT_DIRECTORY) && !folder)
      return SelectorMessage(s, FB_IS_NO_FOLDER, name), false;
   if (!(s.flags & SELECT_DIRECTORY) && folder)
      return SelectorMessage(s, FB_IS_FOLDER, name), false;
   return true;
}

void Finish(Selector &s, const std::string &result)
{
   if (s.finished)
      return;
   s.finished = true;
   s.result = result;
   if (Control *root = LookupControl(s.window)) {
      if (!(s.flags & SELECT_NO_SETTINGS)) {
         s.settings.x_pos = SCREEN_W > 0 ? root->x1 * 10240 / SCREEN_W : 0;
         s.settings.y_pos = SCREEN_H > 0 ? root->y1 * 10240 / SCREEN_H : 0;
         s.settings.width = ControlWidth(root) + 1;
         s.settings.height = ControlHeight(root) + 1;
         s.settings.init_path = s.folder;
         WriteSelectorSettings(s.section.c_str(), s.settings, false, true);
      }
      root->cls->close(root);
   }
   EndLoop(LOOP_FILE_SELECTOR);
}

// The name typed into "Selected:" as a new entry of the current folder, or
// empty after telling the user what is wrong with it.
std::string NewEntryPath(Selector &s, const char *extension)
{
   const std::vector<std::string> names = SplitSelectedNames(s.selected);
   if (names.empty()) {
      AlertBox("", WithEscape(s.texts[FB_NO_NAME] + "|" + s.texts[FB_OK]).c_str());
      return {};
   }
   std::string path = PathOf(s, names.front());
   if (extension && !*get_extension(path.c_str()))
      path += extension;
   if (PathExists(path)) {
      SelectorMessage(s, FB_REFUSE_EXISTING, path);
      return {};
   }
   return path;
}

}

void SelectorError(Selector &s, const std::string &path, const std::string &why)
{
   const std::string shown = NarrowDisplayText(DisplayName(path));
   AlertBox("", WithEscape(s.texts[FB_ERROR] + ": " + shown + " (" + why + ")|" + s.texts[FB_OK]).c_str());
}

int SelectorMessage(Selector &s, int text, const std::string &name)
{
   std::string message = s.texts[static_cast<std::size_t>(text)];
   // A bar in a name would end the message early; the broken bar looks alike.
   std::string shown = NarrowDisplayText(DisplayName(name));
   std::replace(shown.begin(), shown.end(), '|', '\xA6');
   const std::size_t at = message.find("%s");
   if (at != std::string::npos)
      message.replace(at, 2, shown);
   return AlertBox("", WithEscape(message).c_str());
}

bool EnterFolder(Selector &s, const std::string &folder)
{
   const std::string target = NormalFolder(folder);
   ListingOptions options;
   options.masks = s.masks;
   options.show_hidden = s.settings.show_hidden_system;
   options.sort_column = s.settings.sorting_column;
   options.descending = s.settings.sorting_descending;
   std::vector<FileEntry> entries;
   if (!ListFolder(target, options, entries)) {
      SelectorMessage(s, FB_LIST_ERROR, target);
      return false;
   }
   s.entries = std::move(entries);
   s.rows.clear();
   for (const FileEntry &e : s.entries)
      s.rows.push_back(SelectorRow{&s, &e});
   s.count = static_cast<int>(s.rows.size());
   // A name chosen in another folder means nothing here.
   if (target != s.folder)
      SetSelectedText(s, "");
   s.folder = target;
   CopyText(s.location, sizeof s.location, DisplayName(target));
   s.drive = DriveOf(s);
   ScrollListTo(s.list, 0);
   s.synced_row = FirstSelectedRow(s);
   for (int id : {s.list, s.location_field, s.drive_list})
      RedrawControl(id);
   return true;
}

void SyncSelectedName(Selector &s)
{
   const int row = FirstSelectedRow(s);
   if (row == s.synced_row)
      return;
   s.synced_row = row;
   if (row < 0)
      return;
   const FileEntry &e = *s.rows[static_cast<std::size_t>(row)].entry;
   if (e.name != ".." && (!e.directory || (s.flags & SELECT_DIRECTORY)))
      SetSelectedText(s, DisplayName(e.name));
}

void SelectorOk(void *data)
{
   Selector &s = Of(data);
   // A row picked just now counts even if the poll has not seen it yet.
   SyncSelectedName(s);
   std::vector<std::string> names = SplitSelectedNames(s.selected);
   // With a folder wanted and no name, the current folder is the answer.
   if (names.empty() && (s.flags & SELECT_DIRECTORY))
      return Finish(s, s.folder);
   if (names.empty()) {
      AlertBox("", WithEscape(s.texts[FB_NO_NAME] + "|" + s.texts[FB_OK]).c_str());
      return;
   }
   for (const std::string &name : names)
      if (!PassesChecks(s, name))
         return;
   Finish(s, PathOf(s, names.front()));
}

void SelectorCancel(void *data)
{
   Finish(Of(data), "");
}

void SelectorUp(void *data)
{
   Selector &s = Of(data);
   EnterFolder(s, ParentFolder(s.folder));
}

void SelectorLocationEntered(void *data)
{
   Selector &s = Of(data);
   const std::string typed = s.location;
   const std::string path = ResolveShownPath(!typed.empty() && typed[0] == '/' ? typed : s.folder + "/" + typed);
   if (IsFolder(path)) {
      EnterFolder(s, path);
   } else if (PathExists(path)) {
      // A file: open its folder with its name selected.
      const std::string name = get_filename(path.c_str());
      if (EnterFolder(s, path.substr(0, path.size() - name.size())))
         SetSelectedText(s, DisplayName(name));
   } else {
      SelectorMessage(s, FB_DOES_NOT_EXIST, typed);
      CopyText(s.location, sizeof s.location, DisplayName(s.folder));
      RedrawControl(s.location_field);
   }
}

void SelectorMasksEntered(void *data)
{
   Selector &s = Of(data);
   s.masks = s.show;
   EnterFolder(s, s.folder);
}

void SelectorDriveChosen(void *data)
{
   Selector &s = Of(data);
   if (s.drive >= 0 && s.drive < static_cast<int>(s.drives.size()))
      EnterFolder(s, s.drives[static_cast<std::size_t>(s.drive)]);
}

void SelectorCreateFolder(void *data)
{
   Selector &s = Of(data);
   const std::string path = NewEntryPath(s, nullptr);
   if (path.empty())
      return;
   if (mkdir(path.c_str(), 0777) != 0)
      return SelectorError(s, path, std::strerror(errno));
   SetSelectedText(s, "");
   EnterFolder(s, s.folder);
}

void SelectorCreateDatafile(void *data)
{
   Selector &s = Of(data);
   const std::string path = NewEntryPath(s, ".dat");
   if (path.empty())
      return;
   // An empty datafile: its magic number and no objects.
   PACKFILE *f = pack_fopen(path.c_str(), F_WRITE_PACKED);
   if (!f)
      return SelectorError(s, path, std::strerror(errno));
   pack_mputl(DAT_MAGIC, f);
   pack_mputl(0, f);
   if (pack_fclose(f) != 0)
      return SelectorError(s, path, std::strerror(errno));
   SetSelectedText(s, get_filename(path.c_str()));
   EnterFolder(s, s.folder);
}

void SelectorRowActivated(int, void *item, int, int)
{
   const auto *row = static_cast<const SelectorRow *>(item);
   if (!row)
      return;
   Selector &s = *row->owner;
   const FileEntry &e = *row->entry;
   if (e.directory) {
      EnterFolder(s, e.name == ".." ? ParentFolder(s.folder) : PathOf(s, e.name));
      return;
   }
   SetSelectedText(s, DisplayName(e.name));
   SelectorOk(&s);
}

namespace {

void CloseViewOptions(void *data)
{
   Selector &s = Of(data);
   CloseWindow();
   ApplyColumns(s);
   EnterFolder(s, s.folder);
}

}

void SelectorSettingsMenu(void *data)
{
   Selector &s = Of(data);
   // The label names the button's picture first: "#settings;Settings".
   const std::string &label = s.texts[FB_SETTINGS];
   const std::size_t icon_end = label[0] == '#' ? label.find(';') : std::string::npos;
   const std::string title = icon_end == std::string::npos ? label : label.substr(icon_end + 1);
   const int panel = MakeWindow(0, AUTO, title.c_str(), 0);
   if (panel <= 0)
      return;
   struct Option {
      int text;
      int *value;
   };
   const Option options[] = {
      {FB_VIEW_OPTIONS + 3, &s.settings.show_time},
      {FB_VIEW_OPTIONS + 4, &s.settings.show_size},
      {FB_VIEW_OPTIONS + 5, &s.settings.show_mode},
      {FB_VIEW_OPTIONS + 6, &s.settings.show_hidden_system},
   };
   for (const Option &o : options)
      PlaceCheckBox(PLACE_NEW_ROW, LAYOUT_STRETCH | AUTO, s.texts[static_cast<std::size_t>(o.text)].c_str(), o.value);
   // The column the list is sorted by, under the columns' headings.
   static const int heading_texts[] = {FB_COLUMN_NAMES + 7, FB_COLUMN_NAMES, FB_COLUMN_NAMES + 1, FB_COLUMN_NAMES + 2,
                                       FB_COLUMN_NAMES + 3};
   std::vector<char *> headings;
   for (int text : heading_texts)
      headings.push_back(s.texts[static_cast<std::size_t>(text)].data());
   PlaceChoiceList(PLACE_NEW_ROW, AUTO, 0, "", &s.settings.sorting_column, headings.data(),
                   static_cast<int>(headings.size()));
   PlaceButton(PLACE_NEW_ROW, AUTO, s.texts[FB_OK].c_str(), CloseViewOptions, &s);
   PresentWindow();
   // Over the selector, centred on it, rather than at the screen's corner.
   Control *root = LookupControl(panel), *owner = LookupControl(s.window);
   WindowRecord *w = root ? WindowOf(root) : nullptr;
   if (w && owner) {
      const int x = owner->x1 + (ControlWidth(owner) - ControlWidth(root)) / 2;
      const int y = owner->y1 + (ControlHeight(owner) - ControlHeight(root)) / 2;
      MoveWindow(w, std::clamp(x, 0, std::max(0, SCREEN_W - ControlWidth(root) - 1)),
                 std::clamp(y, 0, std::max(0, SCREEN_H - ControlHeight(root) - 1)));
   }
}
