// Folder listings, masks, disk devices and selected names for the file
// selector.
#include "file_selector/file_listing.h"

#include "draw/display_names.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <tuple>

namespace {

// Case-insensitive `*` and `?` matching.
bool Match(const char *mask, const char *name)
{
   for (; *mask; ++mask, ++name) {
      if (*mask == '*') {
         while (mask[1] == '*')
            ++mask;
         for (const char *rest = name;; ++rest) {
            if (Match(mask + 1, rest))
               return true;
            if (!*rest)
               return false;
         }
      }
      if (!*name)
         return false;
      if (*mask != '?' &&
          std::tolower(static_cast<unsigned char>(*mask)) != std::tolower(static_cast<unsigned char>(*name)))
         return false;
   }
   return !*name;
}

std::string Trim(const std::string &s)
{
   const auto first = s.find_first_not_of(" \t");
   if (first == std::string::npos)
      return {};
   return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::string Extension(const std::string &name)
{
   const auto dot = name.rfind('.');
   return dot == std::string::npos || dot == 0 ? std::string() : name.substr(dot + 1);
}

// "/proc/mounts" writes blanks and a few other characters as \ooo.
std::string Unescape(const std::string &field)
{
   std::string out;
   for (std::size_t i = 0; i < field.size(); ++i) {
      if (field[i] == '\\' && i + 3 < field.size() && std::isdigit(static_cast<unsigned char>(field[i + 1]))) {
         out.push_back(static_cast<char>(std::stoi(field.substr(i + 1, 3), nullptr, 8)));
         i += 3;
      } else {
         out.push_back(field[i]);
      }
   }
   return out;
}

struct DirCloser {
   void operator()(DIR *d) const { closedir(d); }
};

}

bool MatchesMasks(const std::string &name, const std::string &masks)
{
   std::stringstream in(masks);
   std::string mask;
   bool any = false;
   while (std::getline(in, mask, ';')) {
      mask = Trim(mask);
      if (mask.empty())
         continue;
      any = true;
      if (mask == "*.*" || Match(mask.c_str(), name.c_str()))
         return true;
   }
   return !any;
}

bool ListFolder(const std::string &folder, const ListingOptions &options, std::vector<FileEntry> &entries)
{
   entries.clear();
   std::unique_ptr<DIR, DirCloser> dir(opendir(folder.c_str()));
   if (!dir)
      return false;
   while (const dirent *d = readdir(dir.get())) {
      const std::string name = d->d_name;
      if (name == "." || name == "..")
         continue;
      if (name[0] == '.' && !options.show_hidden)
         continue;
      FileEntry e;
      e.name = name;
      struct stat st;
      if (stat((folder + "/" + name).c_str(), &st) == 0) {
         e.directory = S_ISDIR(st.st_mode);
         e.size = st.st_size;
         e.changed = st.st_mtime;
         e.mode = st.st_mode;
      }
      if (!e.directory && !MatchesMasks(name, options.masks))
         continue;
      entries.push_back(std::move(e));
   }
   const auto key = [&](const FileEntry &e) {
      switch (options.sort_column) {
      case SORT_BY_TYPE: return std::tuple<std::string, int64_t>(Extension(e.name), 0);
      case SORT_BY_TIME: return std::tuple<std::string, int64_t>("", e.changed);
      case SORT_BY_SIZE: return std::tuple<std::string, int64_t>("", e.size);
      case SORT_BY_MODE: return std::tuple<std::string, int64_t>("", e.mode);
      default: return std::tuple<std::string, int64_t>(e.name, 0);
      }
   };
   std::stable_sort(entries.begin(), entries.end(), [&](const FileEntry &a, const FileEntry &b) {
      if (a.directory != b.directory)
         return a.directory;
      const auto ka = key(a), kb = key(b);
      if (ka != kb)
         return options.descending ? kb < ka : ka < kb;
      return a.name < b.name;
   });
   if (folder != "/") {
      FileEntry up;
      up.name = "..";
      up.directory = true;
      entries.insert(entries.begin(), up);
   }
   return true;
}

std::vector<std::string> DiskDevices(const char *mounts_file)
{
   static const std::set<std::string> pseudo = {
      "proc",     "sysfs",      "devpts", "cgroup",   "cgroup2",   "mqueue",  "securityfs", "debugfs",
      "tracefs",  "pstore",     "bpf",    "autofs",   "configfs",  "fusectl", "hugetlbfs",  "binfmt_misc",
      "devtmpfs", "rpc_pipefs", "nsfs",   "efivarfs", "selinuxfs", "ramfs"};
   std::vector<std::string> devices{"/"};
   std::ifstream in(mounts_file);
   std::string line;
   while (std::getline(in, line)) {
      std::istringstream fields(line);
      std::string source, point, type;
      if (!(fields >> source >> point >> type) || pseudo.count(type))
         continue;
      point = Unescape(point);
      if (std::find(devices.begin(), devices.end(), point) == devices.end())
         devices.push_back(point);
   }
   return devices;
}

std::vector<std::string> SplitSelectedNames(const std::string &text)
{
   std::vector<std::string> names;
   std::string name;
   bool quoted = false;
   for (const char ch : text + ";") {
      if (ch == '"') {
         quoted = !quoted;
      } else if (ch == ';' && !quoted) {
         name = Trim(name);
         if (!name.empty())
            names.push_back(name);
         name.clear();
      } else {
         name.push_back(ch);
      }
   }
   return names;
}

std::string NormalFolder(const std::string &path)
{
   std::string full = path;
   if (full.empty() || full[0] != '/') {
      char cwd[4096];
      full = std::string(getcwd(cwd, sizeof cwd) ? cwd : "/") + "/" + full;
   }
   std::vector<std::string> parts;
   std::stringstream in(full);
   std::string part;
   while (std::getline(in, part, '/')) {
      if (part.empty() || part == ".")
         continue;
      if (part == "..") {
         if (!parts.empty())
            parts.pop_back();
      } else {
         parts.push_back(part);
      }
   }
   std::string out;
   for (const std::string &p : parts)
      out += "/" + p;
   return out.empty() ? "/" : out;
}

std::string ParentFolder(const std::string &folder)
{
   return NormalFolder(folder + "/..");
}

bool IsFolder(const std::string &path)
{
   struct stat st;
   return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool PathExists(const std::string &path)
{
   struct stat st;
   return stat(path.c_str(), &st) == 0;
}

std::string ResolveShownPath(const std::string &shown)
{
   if (shown.empty() || shown[0] != '/' || PathExists(shown))
      return shown;
   std::string path;
   std::istringstream parts(shown);
   std::string part;
   while (std::getline(parts, part, '/')) {
      if (part.empty())
         continue;
      std::string next = path + "/" + part;
      if (!PathExists(next)) {
         std::unique_ptr<DIR, DirCloser> dir(opendir(path.empty() ? "/" : path.c_str()));
         for (const dirent *d = dir ? readdir(dir.get()) : nullptr; d; d = readdir(dir.get()))
            if (DisplayName(d->d_name) == part) {
               next = path + "/" + d->d_name;
               break;
            }
      }
      path = std::move(next);
   }
   return PathExists(path) ? path : shown;
}
