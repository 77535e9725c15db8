// "項目修復(&R)": the catalogue rebuilt from Z_Orbi.DAT, from one of its
// backups or from PATH.TXT. The
// restored catalogue is built aside and replaces the current one only when
// its whole source was read: a restore that stops must not leave a damaged
// catalogue that the next close would write over both files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/path_txt.h"
#include "forms/file_marks.h"
#include "forms/item_view.h"
#include "platform/controls.h"
#include "platform/file_system.h"
#include "platform/services.h"

namespace zorbi {

class Recovery {
 public:
  Recovery(Catalogue& cat, ItemView& view, FileMarks& marks, TabStrip& tabs, Memo& memo,
           FileSystem& files, MessageBoxes& messages, ProgressRunner& progress)
      : cat_(cat),
        view_(view),
        marks_(marks),
        tabs_(tabs),
        memo_(memo),
        files_(files),
        messages_(messages),
        progress_(progress) {}

  // Both ask first; each changes nothing unless its whole source was read.
  // The data file's bytes when it was restored from it, else nothing.
  std::optional<std::string> FromDataFile();
  void FromPathTxt(const std::string& appDir);
  // The data-file restore from a backup of it; true when it restored.
  bool FromBackup(const std::string& path);

 private:
  // The data-file restore from the file at `path`: its bytes when it restored.
  std::optional<std::string> FromFile(const std::string& path);
  // Puts a restored catalogue in the place of the current one.
  void Replace(std::vector<std::string> names, TTabList tabs, std::int32_t currentTab,
               std::int32_t pickedIndex);

  Catalogue& cat_;
  ItemView& view_;
  FileMarks& marks_;
  TabStrip& tabs_;
  Memo& memo_;
  FileSystem& files_;
  MessageBoxes& messages_;
  ProgressRunner& progress_;
};

}  // namespace zorbi
