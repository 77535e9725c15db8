// The launches kept beside the program (catalogue/usage_log.h): read when
// first asked for, so start-up never waits for it, and written at close when
// a launch or a relink changed it. A missing, damaged or unreadable file is
// taken as no history and replaced at the next write; nothing is said.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/usage_log.h"
#include "platform/file_system.h"
#include "platform/services.h"

namespace zorbi {

class UsageHistory {
 public:
  UsageHistory(FileSystem& files, System& sys) : files_(files), sys_(sys) {}

  // The scores of paths at this moment: the clock is read once for them all.
  std::function<double(std::string_view path)> ScoresNow();
  // A hand-off of `path` to the host, now.
  void Launched(std::string_view path);
  void Relinked(std::string_view oldPath, std::string_view newPath);
  // Writes the file when it changed; a failure costs nothing but the history.
  void Save();

 private:
  UsageLog& Log();
  std::string Path() const;

  FileSystem& files_;
  System& sys_;
  std::optional<UsageLog> log_;
};

}  // namespace zorbi
