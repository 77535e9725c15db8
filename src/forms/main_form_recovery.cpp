// "項目修復(&R)": rebuilding the catalogue from Z_Orbi.DAT or from PATH.TXT.
// The restored catalogue is built aside and replaces the current one only when
// its whole source was read: a restore that stops must not leave a damaged
// catalogue that the next close would write over both files.
#include <string>

#include "catalogue/data_file.h"
#include "catalogue/path_txt.h"
#include "catalogue/registration.h"
#include "forms/main_form.h"
#include "text/sjis.h"

namespace zorbi {

namespace {

constexpr std::string_view RestoreQuestion = "現在の設定を破棄して前回の内容に戻します。";
constexpr std::string_view RestoreStopped = "復旧を中止しました。項目は元のままです。";
constexpr std::string_view FileMissing = " が見つかりません。";
constexpr std::string_view FileUnreadable = " を読み込めません。";
// A line of PATH.TXT is shown up to this many bytes.
constexpr std::size_t ShownLineBytes = 200;

std::string PathTxtErrorText(const PathTxtError& e) {
  std::string reason;
  switch (e.Fault) {
    case PathTxtFault::BadTabNumber:
      reason = "タブ番号が整数ではありません。";
      break;
    case PathTxtFault::NoPath:
      reason = "BATファイルのパスがありません。";
      break;
    case PathTxtFault::NoSuchTab:
      reason = "その番号のタブはありません。";
      break;
    case PathTxtFault::UnreadableBat:
      reason = "ファイルを読み込めません。\r\n" + e.BatPath;
      break;
    case PathTxtFault::EmptyBat:
      reason = "ファイルが空です、登録できません。\r\n" + e.BatPath;
      break;
    case PathTxtFault::None:
      break;
  }
  std::string line(SjisPrefix(e.Line, ShownLineBytes));
  if (line.size() < e.Line.size()) line += "...";
  return std::string(PathTxtName) + " の " + std::to_string(e.LineNo) + " 行目: " + line + "\r\n" +
         reason + "\r\n\r\n" + std::string(RestoreStopped);
}

}  // namespace

void TForm1::ReplaceCatalogue(std::vector<std::string> names, TTabList tabs) {
  // An edit in progress belongs to the catalogue that goes.
  if (EditMode || MoveMode) K4Click();
  // The grid refers to the old items: drop the references before they go.
  ClearGrid();
  Cat.TabList = std::move(tabs);
  Cat.TabNames = std::move(names);
  ShowTabNames();
}

void TForm1::RestoreFromDataFile() {
  if (!messages_.Confirm(std::string(RestoreQuestion))) return;
  const std::string path = Cat.BatFolder + std::string(DataFileName);
  const auto stop = [&](std::string_view what) {
    messages_.ShowMessage(
        std::string(DataFileName) + std::string(what) + "\r\n" + std::string(RestoreStopped),
        MessageKind::Error);
  };
  // A file that is gone restores nothing: the catalogue in hand is all there is.
  if (!files_.Exists(path)) return stop(FileMissing);
  const std::optional<std::string> bytes = files_.ReadAll(path);
  if (!bytes) return stop(FileUnreadable);

  // The stored items go on the emptied tabs at the front, as at start-up.
  Catalogue restored;
  for (std::size_t t = 0; t < Cat.TabList.size(); ++t)
    restored.TabList.push_back(std::make_unique<TMList>());
  std::vector<std::string> names = Cat.TabNames;
  if (!ReadCatalogueImage(restored, *bytes, names)) {
    // The program goes on: say so below the data file's own message.
    messages_.ShowMessage(std::string(NotDataFileMessage) + "\r\n" + std::string(RestoreStopped),
                          MessageKind::Plain);
    return;
  }
  ReplaceCatalogue(std::move(names), std::move(restored.TabList));
  Cat.CurrentTab = restored.CurrentTab;
  Cat.PickedIndex = restored.PickedIndex;
  C.TabControl1.SetTabIndex(Cat.CurrentTab);
  TabControl1Change();
  bool canSelect = true;
  StringGrid1SelectCell(0, Cat.PickedIndex + 1, canSelect);
}

void TForm1::PATHTXT1Click() {
  if (!messages_.Confirm(std::string(RestoreQuestion))) return;
  const std::string path = AppDir + std::string(PathTxtName);
  const std::optional<std::string> bytes = files_.ReadAll(path);
  if (!bytes) {
    messages_.ShowMessage(std::string(PathTxtName) + std::string(FileUnreadable) + "\r\n" +
                              std::string(RestoreStopped),
                          MessageKind::Error);
    return;
  }
  PathTxtCatalogue restored;
  PathTxtError error;
  const auto readHead = [&](const std::string& bat) { return files_.ReadHead(bat, BatHeadBytes); };
  if (!RestorePathTxt(*bytes, Cat.TabNames, Cat.TabList.size(), readHead, restored, error)) {
    messages_.ShowMessage(PathTxtErrorText(error), MessageKind::Error);
    return;
  }
  ReplaceCatalogue(std::move(restored.TabNames), std::move(restored.TabList));
  Cat.CurrentTab = 0;
  Cat.PickedIndex = 0;
  C.TabControl1.SetTabIndex(0);
  // As on a tab switch: no pick or memo of the old catalogue survives.
  Cat.PickedBatPath.clear();
  C.Memo1.Clear();
  ShowTab(0);
}

}  // namespace zorbi
