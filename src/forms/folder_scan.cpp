#include "forms/folder_scan.h"

#include <algorithm>
#include <cstdint>

#include "text/sjis.h"
#include "text/text_split.h"

namespace zorbi {

namespace {

// Compares with single-byte letters folded: a trail byte in 'A'..'Z' belongs
// to a double-byte character and must stay as it is.
int CompareIgnoringCase(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  for (; i < a.size() && i < b.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x != y) {
      if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
      if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
      if (x != y) return x < y ? -1 : 1;
    }
    if (IsSjisLeadByte(static_cast<unsigned char>(a[i])) && i + 1 < a.size() && i + 1 < b.size()) {
      ++i;  // the trail bytes compare as they are
      if (a[i] != b[i])
        return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[i]) ? -1 : 1;
    }
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

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
        if (entry.IsFolder ? subfolders : EndsWithIgnoringCase(entry.DisplayName, extension))
          scan.Unreadable.push_back(JoinPath(folder, entry.DisplayName));
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

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareIgnoringCase(a, b) == 0;
}

bool LessIgnoringCase(std::string_view a, std::string_view b) {
  const int order = CompareIgnoringCase(a, b);
  return order != 0 ? order < 0 : a < b;
}

FolderScan ScanFolder(FileSystem& files, const std::string& root, bool subfolders,
                      std::string_view extension, ProgressSink* progress) {
  Scanner scanner{files, subfolders, extension, progress, {}};
  scanner.scan.Cancelled = !scanner.Walk(root, true);
  return std::move(scanner.scan);
}

}  // namespace zorbi
