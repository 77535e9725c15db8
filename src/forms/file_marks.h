// Missing BAT files: checked in the background once the window is up and
// again for items that come in; their rows are greyed and marked. The relink
// finds moved files below a folder the user chooses.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "catalogue/catalogue.h"
#include "forms/usage_history.h"
#include "platform/controls.h"
#include "platform/file_check.h"
#include "platform/file_system.h"
#include "platform/services.h"

namespace zorbi {

class TRelinkForm;

// Before the number of an item whose file is missing.
inline constexpr std::string_view MissingFileMark = "× ";

class FileMarks {
 public:
  FileMarks(Catalogue& cat, Grid& grid, FileSystem& files, MessageBoxes& messages,
            FileDialogs& dialogs, ProgressRunner& progress, UsageHistory& usage)
      : cat_(cat),
        grid_(grid),
        files_(files),
        messages_(messages),
        dialogs_(dialogs),
        progress_(progress),
        usage_(usage) {}

  void UseFileCheck(FileCheck* check) { check_ = check; }
  // Checks every item's file not checked yet, the shown tab's first.
  void CheckAll();
  // Checks every item's file again (the window came back to the front: files
  // may have been deleted or put back meanwhile), once the last check is answered.
  void CheckAgain();
  // The answers of the background check; the rows are drawn again when a
  // mark changed.
  void Answered(const std::vector<CheckedFiles>& answers);
  // A file just read: it is there.
  void SeenPresent(const std::string& path) { Note(path, true); }
  // Every file is checked afresh (a restored catalogue).
  void Forget();
  bool IsMissing(const std::string& path) const;
  bool AnyMissing() const { return missing_ > 0; }
  // Stops redrawing: the window is going.
  void Stop() { stopped_ = true; }

  // "リンク切れ項目の再リンク...": the missing files looked for below a
  // chosen folder, the changes confirmed in `form`. True when paths changed.
  bool Relink(TRelinkForm* form);

 private:
  enum class State : unsigned char { Checking, Present, Missing };
  // True when the path's mark changed.
  bool Note(const std::string& path, bool exists);
  // The paths of items whose file is not known to be there, each once,
  // looked at again; false when the user cancelled.
  bool CheckMissingAgain();

  Catalogue& cat_;
  Grid& grid_;
  FileSystem& files_;
  MessageBoxes& messages_;
  FileDialogs& dialogs_;
  ProgressRunner& progress_;
  UsageHistory& usage_;
  // Starts the check of `paths`, counted until answered.
  void Start(std::vector<std::string> paths);

  FileCheck* check_ = nullptr;
  bool stopped_ = false;
  bool checkedAll_ = false;
  std::size_t pending_ = 0;  // paths asked about and not answered yet
  // By path: items that share a file share its mark.
  std::unordered_map<std::string, State> states_;
  std::int64_t missing_ = 0;
};

}  // namespace zorbi
