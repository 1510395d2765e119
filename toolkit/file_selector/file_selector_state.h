// Inside the file selector: the state of one open selector, shared by the
// window builder (file_selector.cpp) and the actions of its controls
// (file_selector_actions.cpp).
#pragma once

#include "file_selector/file_listing.h"
#include "file_selector/file_selector_settings.h"

#include <string>
#include <vector>

struct Selector;

// One list row: the list view hands it back to the row callbacks.
struct SelectorRow {
   Selector *owner;
   const FileEntry *entry;
};

struct Selector {
   int flags = 0;
   std::string masks;         // own copy
   std::string folder;        // current folder, normal form
   char location[1024] = {};  // "Location:" field
   char show[256] = {};       // "Show:" field
   char selected[1024] = {};  // "Selected:" field
   SelectorSettings settings;
   std::vector<std::string> texts;  // "filebrow"
   std::string section = FILE_SELECTOR_SECTION;
   int window = 0, list = 0, location_field = 0, name_field = 0, drive_list = 0, headings = 0;
   std::vector<FileEntry> entries;
   std::vector<SelectorRow> rows;
   int count = 0;             // rows shown
   std::vector<int> columns;  // sorting-column numbers of the shown columns
   std::vector<int> widths;   // their widths, filling the list's rows
   int row_width = 0;         // of the list's rows
   std::vector<std::string> drives;
   std::vector<std::string> drive_texts;  // the drives in the choice list's 8-bit text
   std::vector<char *> drive_items;
   int drive = 0;
   int synced_row = -1;  // the selected row last copied to "Selected:"
   std::string dragged;  // path of the row being dragged
   std::string cancel_label;
   std::string result;  // handed to ChooseFile's caller
   bool finished = false;
};

// Filebrow text numbers the selector uses.
enum FilebrowText {
   FB_DISK_DEVICE = 0,
   FB_SHOW = 1,
   FB_CANCEL = 2,
   FB_SELECTED = 4,
   FB_CREATE_FOLDER = 5,
   FB_CREATE_DATAFILE = 6,
   FB_SETTINGS = 7,
   FB_IS_FOLDER = 14,
   FB_IS_NO_FOLDER = 15,
   FB_DOES_NOT_EXIST = 16,
   FB_ASK_EXISTING = 17,
   FB_REFUSE_EXISTING = 18,
   FB_TITLE = 20,
   FB_OK = 22,
   FB_VIEW_OPTIONS = 29,
   FB_NO_NAME = 39,
   FB_ERROR = 40,
   FB_LIST_ERROR = 41,
   FB_LOCATION = 49,
   FB_COLUMN_NAMES = 52,
};

// Shows filebrow text `text` in a requester with `name` in place of its %s;
// the index of the button pressed.
int SelectorMessage(Selector &s, int text, const std::string &name);

// Tells that `path` could not be made or moved, and why.
void SelectorError(Selector &s, const std::string &path, const std::string &why);

// Reads `folder` into the list and brings every field up to date; false
// (and nothing changed) when it cannot be read.
bool EnterFolder(Selector &s, const std::string &folder);

// Actions of the controls; `data` is the Selector.
void SelectorOk(void *data);
void SelectorCancel(void *data);
void SelectorUp(void *data);
void SelectorLocationEntered(void *data);
void SelectorMasksEntered(void *data);
void SelectorDriveChosen(void *data);
void SelectorCreateFolder(void *data);
void SelectorCreateDatafile(void *data);
// A window of check boxes for the columns and hidden files.
void SelectorSettingsMenu(void *data);
void SelectorRowActivated(int row_id, void *item, int buttons, int count);
// Copies a newly selected row's name to "Selected:".
void SyncSelectedName(Selector &s);
// Hidden controls whose hot keys copy, cut and paste the selected files.
void PlaceClipboardKeys(Selector &s);
// The column headings above the list (placed before it); a click sorts.
int PlaceHeadings(Selector &s);
// Rows dragged onto a folder's row move there.
void AllowRowDragging(Selector &s);
// Column widths and the list's columns after the settings changed: the
// time, size and attributes columns as wide as their texts need (or as the
// settings say, when wider), the name column taking the rest of the row.
void ApplyColumns(Selector &s);
