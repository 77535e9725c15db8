// Dated copies of Z_Orbi.DAT in the folder "backup" beside the program. Before
// a close replaces the data file with other bytes, the old file is kept there
// as Z_Orbi-YYYYMMDD-HHMMSS.DAT (the local time of the close), and only the
// newest ten are kept. A backup that cannot be made never stops the close:
// why it failed is written to backup-failed.txt beside the program and shown
// above the list of backups, until a backup is made again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/services.h"

namespace zorbi {

class TBackupListForm;

inline constexpr std::string_view BackupFolderName = "backup";
inline constexpr std::string_view BackupFailedName = "backup-failed.txt";
inline constexpr std::size_t KeptBackups = 10;

struct BackupEntry {
  std::string Path;
  std::string When;       // "2026/12/08 10:43:20", from the name
  bool Readable = false;  // the whole file reads as a data file
  std::size_t Tabs = 0;   // when readable
  std::size_t Items = 0;
};

class DataBackups {
 public:
  DataBackups(FileSystem& files, System& sys, ProgressRunner& progress)
      : files_(files), sys_(sys), progress_(progress) {}

  // Before `appDir`'s data file, which holds `old`, is replaced with `next`.
  void Keep(const std::string& appDir, const std::string& old, const std::string& next);
  // The backups, newest first, each read to count its tabs and items.
  // `going` hears of each file read; false stops the list there.
  std::vector<BackupEntry> List(
      const std::string& appDir,
      const std::function<bool(std::size_t done, std::size_t total)>& going = nullptr);
  // Why the last backup could not be made; empty when it was.
  std::string LastFailure(const std::string& appDir);
  // The backup the user chooses in `form`; none when the list was closed
  // without a choice, or could not be shown.
  std::optional<std::string> Choose(const std::string& appDir, TBackupListForm* form);

 private:
  void Failed(const std::string& appDir, const std::string& why);
  // The backups' names in the folder, oldest first.
  std::vector<std::string> Names(const std::string& folder);

  FileSystem& files_;
  System& sys_;
  ProgressRunner& progress_;
};

}  // namespace zorbi
