#include "files/folder_registration.h"

#include <unordered_set>

#include "catalogue/registration.h"
#include "files/folder_scan.h"
#include "text/sjis.h"

namespace zorbi {

namespace {

// The key under which SameNameIgnoringCase paths meet: single-byte letters
// folded, the trail bytes of double-byte characters kept.
std::string CaseKey(std::string_view path) {
  std::string key(path);
  for (std::size_t i = 0; i < key.size(); i += SjisCharLen(key, i))
    if (key[i] >= 'A' && key[i] <= 'Z') key[i] = static_cast<char>(key[i] - 'A' + 'a');
  return key;
}

}  // namespace

FolderRead ReadFolderBats(FileSystem& files, const std::vector<std::string>& folders,
                          bool subfolders, const std::vector<std::string>& onTab,
                          ProgressSink* progress) {
  FolderRead read;
  std::vector<std::string> found;
  for (const std::string& folder : folders) {
    FolderScan scan = ScanFolder(files, folder, subfolders, ".bat", progress);
    if (scan.Cancelled) {
      read.Cancelled = true;
      return read;
    }
    if (!scan.RootListed) read.Unlisted.push_back(folder);
    for (std::string& path : scan.Files) found.push_back(std::move(path));
    for (std::string& path : scan.Unreadable) read.Unreadable.push_back(std::move(path));
    for (std::string& path : scan.Unnamed) read.Unnamed.push_back(std::move(path));
  }

  std::unordered_set<std::string> seen;
  seen.reserve(onTab.size() + found.size());
  for (const std::string& path : onTab) seen.insert(CaseKey(path));
  std::vector<std::string> fresh;
  for (std::string& path : found) {
    if (seen.insert(CaseKey(path)).second)
      fresh.push_back(std::move(path));
    else
      ++read.Skipped;
  }

  // A short run has no time for a bar to tell anything.
  const auto total = static_cast<std::int64_t>(fresh.size() > ProgressBarFiles ? fresh.size() : 0);
  for (std::size_t i = 0; i < fresh.size(); ++i) {
    if (progress && !progress->Report(static_cast<std::int64_t>(i), total, fresh[i])) {
      read = FolderRead{};
      read.Cancelled = true;
      return read;
    }
    const std::optional<std::string> head = files.ReadHead(fresh[i], BatHeadBytes);
    std::optional<std::string> summary = head ? BatSummary(*head) : std::nullopt;
    if (!head)
      read.Unreadable.push_back(std::move(fresh[i]));
    else if (!summary)
      read.Empty.push_back(std::move(fresh[i]));
    else
      read.Bats.push_back({std::move(fresh[i]), std::move(*summary)});
  }
  return read;
}

}  // namespace zorbi
