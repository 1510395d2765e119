// What the file selector shows, apart from its controls: folder listings
// filtered by masks and sorted by a column, the disk devices, and the names
// typed into its "Selected:" field.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

struct FileEntry {
   std::string name;
   bool directory = false;
   int64_t size = 0;  // bytes
   std::time_t changed = 0;
   unsigned mode = 0;  // st_mode
};

// Sorting columns: 0 type (extension), 1 name, 2 change time, 3 size,
// 4 attributes. Directories always come first.
inline constexpr int SORT_BY_TYPE = 0;
inline constexpr int SORT_BY_NAME = 1;
inline constexpr int SORT_BY_TIME = 2;
inline constexpr int SORT_BY_SIZE = 3;
inline constexpr int SORT_BY_MODE = 4;

struct ListingOptions {
   std::string masks;         // "*.mp3;*.ogg"; empty or "*.*" shows every file
   bool show_hidden = false;  // names starting with '.'
   int sort_column = SORT_BY_NAME;
   bool descending = false;
};

// The entries of `folder` (".." first unless it is the root), or false when
// it cannot be read.
bool ListFolder(const std::string &folder, const ListingOptions &options, std::vector<FileEntry> &entries);

// Whether `name` matches one of the `;`-separated masks (`*` and `?`,
// letters in either case).
bool MatchesMasks(const std::string &name, const std::string &masks);

// The root and the mount points of the mounted file systems (pseudo file
// systems such as proc and sysfs left out), the root first.
std::vector<std::string> DiskDevices(const char *mounts_file = "/proc/mounts");

// The names of a "Selected:" text: separated by `;`, each may be enclosed in
// double quotes; blanks around a name are dropped, empty names skipped.
std::vector<std::string> SplitSelectedNames(const std::string &text);

// The folder made absolute and tidied ("a/b/../c/" is "a/c"), ending without
// a slash except for the root.
std::string NormalFolder(const std::string &path);
// The parent of a normal folder (the root for the root).
std::string ParentFolder(const std::string &folder);

bool IsFolder(const std::string &path);
bool PathExists(const std::string &path);

// The path a shown (display-decoded) path stands for: each part that does
// not exist as written is the entry of its folder displayed so. A path that
// matches nothing comes back as it was given.
std::string ResolveShownPath(const std::string &shown);
