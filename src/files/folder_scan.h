// The files below a folder, through the FileSystem interface: for
// registering a folder's BAT files and for finding moved ones.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/services.h"

namespace zorbi {

struct FolderScan {
  // Full paths. A folder's files come in name order (letter case ignored),
  // then its subfolders', each in name order.
  std::vector<std::string> Files;
  // Folders below `root` that could not be listed.
  std::vector<std::string> Unreadable;
  // Files that would have been taken and folders that would have been
  // entered, whose names have no Shift-JIS form: as the system spells them
  // (text/display_text.h), a folder with '\\' at its end.
  std::vector<std::string> Unnamed;
  std::size_t UnnamedFolders = 0;
  bool RootListed = false;  // false: `root` is missing or is no folder
  bool Cancelled = false;
};

// The files in `root` whose names end in `extension` (letter case ignored;
// empty takes every file), and in its subfolders when `subfolders` is set.
// `progress`, when given, hears how many files were found so far and may
// cancel; the files found until then are kept.
FolderScan ScanFolder(FileSystem& files, const std::string& root, bool subfolders,
                      std::string_view extension, ProgressSink* progress = nullptr);

}  // namespace zorbi
