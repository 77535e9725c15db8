// Reading the BAT files of dropped or chosen folders for registration. It
// runs on a worker thread, so it reads only files and a copy of the tab's
// paths; the items are made from its result on the UI thread.
#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/services.h"

namespace zorbi {

// Beyond this many files the progress window shows a bar, not a marquee.
inline constexpr std::size_t ProgressBarFiles = 200;

struct FolderBat {
  std::string Path;
  std::string Summary;
};

struct FolderRead {
  std::vector<FolderBat> Bats;          // to register, in this order
  std::size_t Skipped = 0;              // already on the tab, or found twice
  std::vector<std::string> Unreadable;  // files and subfolders that could not be read
  std::vector<std::string> Unnamed;     // names with no Shift-JIS form (FolderScan)
  std::vector<std::string> Empty;       // files with no line at all
  std::vector<std::string> Unlisted;    // given folders that could not be listed
  bool Cancelled = false;               // nothing is to be registered
};

// The ".bat" files of each folder in turn (and of its subfolders), in name
// order, leaving out paths in `onTab` (letter case ignored).
FolderRead ReadFolderBats(FileSystem& files, const std::vector<std::string>& folders,
                          bool subfolders, const std::vector<std::string>& onTab,
                          ProgressSink* progress = nullptr);

}  // namespace zorbi
