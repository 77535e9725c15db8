#include "files/folder_scan.h"

#include <algorithm>
#include <cstdint>

#include "text/name_order.h"
#include "text/sjis.h"
#include "text/text_split.h"

namespace zorbi {

namespace {

bool EndsWithIgnoringCase(std::string_view name, std::string_view tail) {
  if (tail.empty()) return true;
  if (name.size() < tail.size()) return false;
  // The tail must start on a character of its own.
  std::size_t at = 0;
  while (at < name.size() - tail.size()) at += SjisCharLen(name, at);
  return at == name.size() - tail.size() && SameNameIgnoringCase(name.substr(at), tail);
}

struct Scanner {
  FileSystem& files;
  bool subfolders;
  std::string_view extension;
  ProgressSink* progress;
  FolderScan scan;
  std::int64_t reported = -1;

  bool Report(const std::string& folder) {
    if (!progress) return true;
    const auto found = static_cast<std::int64_t>(scan.Files.size());
    if (found == reported) return true;
    reported = found;
    return progress->Report(found, 0, folder);
  }

  // False once cancelled.
  bool Walk(const std::string& folder, bool root) {
    if (!Report(folder)) return false;
    std::vector<FolderEntry> entries;
    if (!files.ListFolder(folder, entries)) {
      if (!root) scan.Unreadable.push_back(folder);
      return true;
    }
    if (root) scan.RootListed = true;
    std::vector<std::string> names, folders;
    for (FolderEntry& entry : entries) {
      if (entry.Name.empty()) {
        if (entry.IsFolder ? subfolders && !entry.IsLink
                           : EndsWithIgnoringCase(entry.DisplayName, extension)) {
          scan.Unnamed.push_back(JoinPath(folder, entry.DisplayName) +
                                 (entry.IsFolder ? "\\" : ""));
          if (entry.IsFolder) ++scan.UnnamedFolders;
        }
      } else if (entry.IsFolder) {
        if (subfolders && !entry.IsLink) folders.push_back(std::move(entry.Name));
      } else if (EndsWithIgnoringCase(entry.Name, extension)) {
        names.push_back(std::move(entry.Name));
      }
    }
    const auto byName = [](const std::string& a, const std::string& b) {
      return LessIgnoringCase(a, b);
    };
    std::sort(names.begin(), names.end(), byName);
    std::sort(folders.begin(), folders.end(), byName);
    for (const std::string& name : names) scan.Files.push_back(JoinPath(folder, name));
    for (const std::string& name : folders)
      if (!Walk(JoinPath(folder, name), false)) return false;
    return true;
  }
};

}  // namespace

FolderScan ScanFolder(FileSystem& files, const std::string& root, bool subfolders,
                      std::string_view extension, ProgressSink* progress) {
  Scanner scanner{files, subfolders, extension, progress, {}};
  scanner.scan.Cancelled = !scanner.Walk(root, true);
  return std::move(scanner.scan);
}

}  // namespace zorbi
