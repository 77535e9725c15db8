// The catalogue's files beside the program: Z_Orbi.DAT read at start-up and
// written at close, with its backups, and the PATH.TXT export.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "catalogue/catalogue.h"
#include "forms/data_backups.h"
#include "platform/file_system.h"
#include "platform/services.h"

namespace zorbi {

class StartupPreload;

inline constexpr std::string_view UnreadableDataFileMessage = " を読み込めません、終了します。";

class CatalogueFiles {
 public:
  CatalogueFiles(Catalogue& cat, FileSystem& files, MessageBoxes& messages,
                 DataBackups* backups = nullptr)
      : cat_(cat), files_(files), messages_(messages), backups_(backups) {}

  // The data file as read while the window was built; must outlive Load.
  void UsePreload(StartupPreload* preload) { preload_ = preload; }

  enum class Start { NoFile, Loaded, Refused };
  // Loads `folder`'s data file into the empty catalogue. Refused (said) when
  // it cannot be taken: the program ends then, writing nothing.
  Start Load(const std::string& folder);
  // The bytes the data file was restored from, as if read at start-up.
  void Restored(std::string bytes);

  // Before anything is written at close: when another copy of the program
  // changed Z_Orbi.DAT since it was read here, the user chooses to replace
  // it, to close without saving the catalogue, or to stay (false).
  bool DecideBeforeClose(const std::string& folder);
  // Z_Orbi.DAT and PATH.TXT replaced, unless the user chose to keep the
  // other copy's catalogue; false when a write failed and the user chose to stay.
  bool SaveDataFile(const std::string& folder);
  bool WritePathTxt(const std::string& folder);

 private:
  bool LoadFile(const std::string& path);
  // Whether the data file differs from what this window last read or wrote.
  bool ChangedElsewhere(const std::string& path);
  // Before the data file is replaced with `image`: a dated copy of what it holds.
  void KeepBackup(const std::string& folder, const std::string& image);
  // PATH.TXT made again from the data file another copy saved; false when
  // that failed and the user chose to stay.
  bool ExportKeptDataFile(const std::string& folder);
  // The other copy's catalogue is kept: the close writes neither file.
  bool keepOther_ = false;
  // This window's catalogue was exported to PATH.TXT.
  bool pathTxtWritten_ = false;

  Catalogue& cat_;
  FileSystem& files_;
  MessageBoxes& messages_;
  DataBackups* backups_;
  StartupPreload* preload_ = nullptr;
  // The data file as read, while it still has to be kept as Z_Orbi.DAT.bak.
  std::optional<std::string> originalDataFile_;
  // The data file as last read or written; none when there was no file.
  // Kept whole: comparing it at close is far quicker than hashing it at start.
  std::shared_ptr<const std::string> dataFileRead_;
  // The data file as the check before this close read it; none when it was
  // missing or unreadable, unset when no check ran since the last save.
  std::optional<std::shared_ptr<const std::string>> onDisk_;
  // The data file last kept as a backup, until it is replaced.
  std::shared_ptr<const std::string> backedUp_;
};

}  // namespace zorbi
