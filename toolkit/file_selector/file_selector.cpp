// ChooseFile: the selector's window, its list rows and its lifetime.
#include "toolkit/file_selector.h"

#include "controls/list_view_parts.h"
#include "core/control.h"
#include "draw/display_names.h"
#include "file_selector/file_listing.h"
#include "file_selector/file_selector_icons.h"
#include "file_selector/file_selector_settings.h"
#include "file_selector/file_selector_state.h"
#include "input/loops.h"
#include "requesters/toolkit_texts.h"
#include "toolkit/control_calls.h"
#include "toolkit/controls/button.h"
#include "toolkit/controls/choice_list.h"
#include "toolkit/controls/input_field.h"
#include "toolkit/controls/list_view.h"
#include "toolkit/events.h"
#include "toolkit/fonts.h"
#include "toolkit/keyboard_focus.h"
#include "toolkit/placement.h"
#include "toolkit/start.h"
#include "toolkit/windows.h"
#include "windows/window_parts.h"

#include <allegro.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <memory>

namespace {

constexpr int kListWidth = 300;
constexpr int kFieldWidth = 200;
constexpr int kLocationWidth = 300;
constexpr int kRows = 14;
// Height of everything in the window besides the list.
constexpr int kAroundList = 184;
constexpr int kSyncMs = 50;
// Room beside a heading's text for the sorting mark.
constexpr int kSortMarkRoom = 18;
constexpr int kMinNameWidth = 80;

// Open selectors by token, so calls queued for a selector find out that it
// has gone.
std::map<intptr_t, std::unique_ptr<Selector>> &OpenSelectors()
{
   static auto *open = new std::map<intptr_t, std::unique_ptr<Selector>>;  // outlives static destructors
   return *open;
}

// The answer handed to the caller, kept apart from the selector so that it
// outlives the selector's clean-up: a caller that opens a requester before
// it is done with the path runs a loop, and with it the clean-up.
std::string &Answer()
{
   static auto *result = new std::string;
   return *result;
}

Selector *Find(void *token)
{
   const auto it = OpenSelectors().find(reinterpret_cast<intptr_t>(token));
   return it == OpenSelectors().end() ? nullptr : it->second.get();
}

void SyncPoll(void *token)
{
   Selector *s = Find(token);
   if (!s || s->finished)
      return;
   SyncSelectedName(*s);
   QueueCall(SyncPoll, token, kSyncMs, 0);
}

void CleanUp(void *token)
{
   OpenSelectors().erase(reinterpret_cast<intptr_t>(token));
}

void *RowItem(void *list, int i)
{
   auto *s = static_cast<Selector *>(list);
   return i >= 0 && i < s->count ? &s->rows[static_cast<std::size_t>(i)] : nullptr;
}

std::string Attributes(const FileEntry &e, const std::string &path)
{
   std::string a = e.directory ? "d" : "-";
   a += access(path.c_str(), R_OK) == 0 ? "r" : "-";
   a += access(path.c_str(), W_OK) == 0 ? "w" : "-";
   return a;
}

int RowText(void *item, char *buf, int column)
{
   const auto *row = static_cast<const SelectorRow *>(item);
   buf[0] = '\0';
   if (!row)
      return 0;
   const Selector &s = *row->owner;
   const FileEntry &e = *row->entry;
   const int shown = column >= 0 && column < static_cast<int>(s.columns.size())
                        ? s.columns[static_cast<std::size_t>(column)]
                        : SORT_BY_NAME;
   switch (shown) {
   case SORT_BY_TIME: {
      char when[32] = "";
      if (e.changed)
         std::strftime(when, sizeof when, "%Y-%m-%d %H:%M", std::localtime(&e.changed));
      std::snprintf(buf, LIST_TEXT_SIZE, "%s", when);
      return 0;
   }
   case SORT_BY_SIZE:
      if (!e.directory)
         std::snprintf(buf, LIST_TEXT_SIZE, "%lld", static_cast<long long>((e.size + 1023) / 1024));
      return static_cast<int>(LIST_ROW_RIGHT);
   case SORT_BY_MODE:
      std::snprintf(buf, LIST_TEXT_SIZE, "%s", Attributes(e, s.folder + "/" + e.name).c_str());
      return 0;
   default: {
      const char *icon = e.name == ".." ? SELECTOR_ICON_UP : e.directory ? SELECTOR_ICON_FOLDER : SELECTOR_ICON_FILE;
      std::snprintf(buf, LIST_TEXT_SIZE, "#%s;%s", icon, e.name.c_str());
      return static_cast<int>(LIST_ROW_UTF8);
   }
   }
}

void NoRowMenu(int, void *) {}

// Rows that fit with the rest of the window on the screen.
int ListRows()
{
   const int row_height = text_height(ToolkitFont()) + 3;
   const int headings = text_height(ToolkitFont()) + 6;
   const int fit = (SCREEN_H - kAroundList - headings) / std::max(1, row_height);
   return std::clamp(fit, 1, kRows);
}

std::string WorkingFolder()
{
   char cwd[4096];
   return getcwd(cwd, sizeof cwd) ? cwd : "/";
}

// The folder to open and the name to select first.
void ChooseStart(Selector &s, const char *initial_path)
{
   std::string start = initial_path ? initial_path : "";
   if (start.empty())
      start = IsFolder(s.settings.init_path) ? s.settings.init_path : WorkingFolder();
   if (IsFolder(start)) {
      s.folder = NormalFolder(start);
      return;
   }
   const std::string name = get_filename(start.c_str());
   const std::string folder = start.substr(0, start.size() - name.size());
   s.folder = NormalFolder(IsFolder(folder.empty() ? "." : folder) ? folder : WorkingFolder());
   std::snprintf(s.selected, sizeof s.selected, "%s", name.c_str());
}

// Places the top row; answers the id of its first control.
int PlaceTopRow(Selector &s)
{
   int code = PLACE_FIRST, first = 0;
   if (s.flags & SELECT_SETTINGS_MENU) {
      first = PlaceButton(code, AUTO, s.texts[FB_SETTINGS].c_str(), SelectorSettingsMenu, &s);
      code = PLACE_RIGHT;
   }
   if (!(s.flags & SELECT_NO_CREATE)) {
      const int folder = PlaceButton(code, AUTO, "#fs_newfolder;", SelectorCreateFolder, &s);
      first = first ? first : folder;
      ResizeControl(folder, -5, 0);
      SetTooltip(folder, s.texts[FB_CREATE_FOLDER].c_str());
      const int datafile = PlaceButton(PLACE_RIGHT, AUTO, "#fs_newdatafile;", SelectorCreateDatafile, &s);
      ResizeControl(datafile, -5, 0);
      SetTooltip(datafile, s.texts[FB_CREATE_DATAFILE].c_str());
      code = PLACE_RIGHT;
   }
   const int up = PlaceButton(code, AUTO, "#fs_up;", SelectorUp, &s);
   ResizeControl(up, -5, 0);
   first = first ? first : up;
   const int width = s.settings.width_path > 0 ? s.settings.width_path : kLocationWidth;
   // A path typed into the location replaces the one shown.
   s.location_field = PlaceInputField(PLACE_RIGHT, AUTO, width, s.texts[FB_LOCATION].c_str(),
                                      5 | INPUT_FLAG_REPLACE | INPUT_FLAG_UTF8, sizeof s.location, s.location);
   SetChangeHandler(s.location_field, SelectorLocationEntered, &s);
   return first;
}

// Widens the list to span the window, as the top row does, once the window
// is laid out: the name column takes the room.
void FitListToTopRow(Selector &s, int first)
{
   Control *root = LookupControl(s.window);
   WindowRecord *w = root ? WindowOf(root) : nullptr;
   if (!w)
      return;
   LayoutWindow(w);
   const Control *left = LookupControl(first), *right = LookupControl(s.location_field), *list = LookupControl(s.list);
   if (!left || !right || !list)
      return;
   const int grow = right->x2 - left->x1 - ControlWidth(list);
   if (grow > 0) {
      ResizeControl(s.list, grow, 0);
      s.row_width += grow;
   }
   ApplyColumns(s);
}

void PlaceLowerRows(Selector &s, const char *ok_label)
{
   // The choice list draws 8-bit text; the drives keep their bytes.
   for (const std::string &d : s.drives)
      s.drive_texts.push_back(NarrowDisplayText(DisplayName(d)));
   for (std::string &text : s.drive_texts)
      s.drive_items.push_back(text.data());
   s.drive_list = PlaceChoiceList(PLACE_NEW_ROW, AUTO, kFieldWidth, s.texts[FB_DISK_DEVICE].c_str(), &s.drive,
                                  s.drive_items.data(), static_cast<int>(s.drive_items.size()));
   SetChangeHandler(s.drive_list, SelectorDriveChosen, &s);
   const int show =
      PlaceInputField(PLACE_NEW_ROW, AUTO, kFieldWidth, s.texts[FB_SHOW].c_str(), 5, sizeof s.show, s.show);
   SetChangeHandler(show, SelectorMasksEntered, &s);
   const int width = s.settings.width_select > 0 ? s.settings.width_select : kFieldWidth;
   s.name_field = PlaceInputField(PLACE_NEW_ROW, AUTO, width, s.texts[FB_SELECTED].c_str(), 5 | INPUT_FLAG_UTF8,
                                  sizeof s.selected, s.selected);
   SetChangeHandler(s.name_field, SelectorOk, &s);
   PlaceButton(PLACE_RIGHT, AUTO, ok_label && *ok_label ? ok_label : s.texts[FB_OK].c_str(), SelectorOk, &s);
   // Escape is the Cancel button's key as well.
   s.cancel_label = s.texts[FB_CANCEL] + "#27;";
   PlaceButton(PLACE_RIGHT, AUTO, s.cancel_label.c_str(), SelectorCancel, &s);
}

// Puts a shown window where the settings remember it.
void RestorePosition(Selector &s)
{
   if (!s.settings.x_pos && !s.settings.y_pos)
      return;
   Control *root = LookupControl(s.window);
   WindowRecord *w = root ? WindowOf(root) : nullptr;
   if (!w)
      return;
   const int x = std::clamp(s.settings.x_pos * SCREEN_W / 10240, 0, std::max(0, SCREEN_W - ControlWidth(root) - 1));
   const int y = std::clamp(s.settings.y_pos * SCREEN_H / 10240, 0, std::max(0, SCREEN_H - ControlHeight(root) - 1));
   MoveWindow(w, x, y);
}

bool BuildSelector(Selector &s, const char *masks, const char *initial_path, const char *title, const char *ok_label)
{
   s.texts = FileBrowserTexts();
   if (!(s.flags & SELECT_NO_SETTINGS))
      s.settings = ReadSelectorSettings(s.section.c_str());
   if (s.flags & SELECT_SHOW_SIZE)
      s.settings.show_size = 1;
   if (s.flags & SELECT_SHOW_TIME)
      s.settings.show_time = 1;
   if (s.flags & SELECT_SHOW_MODE)
      s.settings.show_mode = 1;
   if (s.flags & SELECT_SHOW_HIDDEN)
      s.settings.show_hidden_system = 1;
   if (s.flags & SELECT_DESCENDING)
      s.settings.sorting_descending = 1;
   if (s.flags & SELECT_SORT_BY_TIME)
      s.settings.sorting_column = SORT_BY_TIME;
   s.masks = masks ? masks : "";
   std::snprintf(s.show, sizeof s.show, "%s", s.masks.c_str());
   s.drives = DiskDevices();
   ChooseStart(s, initial_path);

   s.window = MakeWindow(0, AUTO, title && *title ? title : s.texts[FB_TITLE].c_str(), 0);
   if (s.window <= 0)
      return false;
   RegisterSelectorIcons(s.window);
   const int top_row = PlaceTopRow(s);
   s.row_width = kListWidth;
   s.headings = PlaceHeadings(s);
   s.list = PlaceListView(PLACE_BELOW, AUTO, &s, &s.count, s.row_width, 2, RowText, NoRowMenu, ListRows());
   SetListIndexer(s.list, RowItem);
   SetRowActivate(s.list, SelectorRowActivated, 1);
   if (!(s.flags & SELECT_NO_DRAG))
      AllowRowDragging(s);
   ApplyColumns(s);
   PlaceLowerRows(s, ok_label);
   PlaceClipboardKeys(s);
   FitListToTopRow(s, top_row);
   if (!EnterFolder(s, s.folder))
      EnterFolder(s, "/");
   PresentWindow();
   RestorePosition(s);
   FocusControl(s.name_field);
   return true;
}

}

void ApplyColumns(Selector &s)
{
   FONT *f = ToolkitFont();
   // Widest texts a column shows: the heading (with room for the sorting
   // mark) or a sample of its values.
   const char *samples[] = {"", "", "0000-00-00 00:00", "0000000", "drw"};
   const int *setting = s.settings.column_width;
   s.columns = {SORT_BY_NAME};
   s.widths = {0};
   int others = 0;
   for (int column : {SORT_BY_TIME, SORT_BY_SIZE, SORT_BY_MODE}) {
      const int on[] = {0, 0, s.settings.show_time, s.settings.show_size, s.settings.show_mode};
      if (!on[column])
         continue;
      const std::string &heading = s.texts[static_cast<std::size_t>(FB_COLUMN_NAMES + column - 1)];
      const int need = std::max(text_length(f, heading.c_str()) + kSortMarkRoom, text_length(f, samples[column]) + 6);
      s.columns.push_back(column);
      s.widths.push_back(std::max(setting[column], need));
      others += s.widths.back();
   }
   s.widths[0] = std::max(kMinNameWidth, s.row_width - others);
   SetListColumns(s.list, static_cast<int>(s.widths.size()), s.widths.data());
   RedrawControl(s.list);
   RedrawControl(s.headings);
}

const char *ChooseFile(const char *masks, const char *initial_path, int flags, const char *title, const char *ok_label)
{
   bool started_here = false;
   if (!ToolkitRunning()) {
      if (ToolkitStarting())
         return "";
      if (StartToolkit(0, 0, 0, &errno, atexit) != 1)
         return "";
      started_here = true;
   }
   static intptr_t next_token = 0;
   void *token = reinterpret_cast<void *>(++next_token);
   Selector &s = *(OpenSelectors()[next_token] = std::make_unique<Selector>());
   s.flags = flags | SELECT_MODAL;
   if (BuildSelector(s, masks, initial_path, title, ok_label)) {
      QueueCall(SyncPoll, token, kSyncMs, 0);
      RunLoop(LOOP_FILE_SELECTOR, nullptr, "File-selector");
   }
   Answer() = s.result;
   QueueCall(CleanUp, token, 0, 0);
   if (started_here)
      StopToolkit();
   return Answer().c_str();
}
