// Registering BAT files: chosen in the open dialog ("項目追加"), every BAT
// file of a folder ("フォルダから登録..."), and files or folders dropped on
// the grid. They become items at the end of the shown tab.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "forms/file_marks.h"
#include "forms/item_view.h"
#include "platform/controls.h"
#include "platform/file_system.h"
#include "platform/services.h"

namespace zorbi {

inline constexpr std::string_view BatFilter = "外部変形 BAT ファイル|*.bat";
inline constexpr std::string_view NotBatFilesMessage =
    "BAT ファイルではないため、次のファイルは登録しませんでした。";

class ItemRegistration {
 public:
  ItemRegistration(Catalogue& cat, ItemView& view, FileMarks& marks, Grid& grid, FileSystem& files,
                   MessageBoxes& messages, FileDialogs& dialogs, ProgressRunner& progress);

  // "項目追加": the files chosen in the open dialog.
  void AddChosenFiles();
  // "フォルダから登録...": the BAT files of a chosen folder.
  void AddFolder();
  // Files dropped from the shell: BAT files, and the BAT files in dropped
  // folders. The names that are no BAT file are said first; false when
  // nothing is left to register.
  bool SortDropped(const std::vector<ChosenFile>& files);
  // What SortDropped kept, registered.
  void AddDropped();
  // False when the file could not be read or is empty (reported).
  bool AddFile(const std::string& path, std::int32_t tab);

  OpenDialogOptions OpenDialog1;

 private:
  struct Report {
    std::string Text;
    std::vector<std::string> Lines;  // none: a plain message
    MessageKind Kind = MessageKind::Information;
  };
  // Registers the files on `tab`; false when one failed (reported).
  bool AddFiles(const std::vector<ChosenFile>& files, std::int32_t tab);
  // Registers the BAT files in `folders` on `tab` after asking whether their
  // subfolders count. What to tell the user once the grid is shown again;
  // nothing when the user cancelled.
  std::optional<Report> AddFolders(const std::vector<std::string>& folders, std::int32_t tab);
  // The shown tab again, then the report.
  void ShowTabAndReport(std::int32_t tab, const std::optional<Report>& report);

  Catalogue& cat_;
  ItemView& view_;
  FileMarks& marks_;
  Grid& grid_;
  FileSystem& files_;
  MessageBoxes& messages_;
  FileDialogs& dialogs_;
  ProgressRunner& progress_;
  // The folder last registered from, where the folder dialog opens next.
  std::string registeredFolder_;
  std::vector<ChosenFile> droppedBats_;
  std::vector<std::string> droppedFolders_;
};

}  // namespace zorbi
