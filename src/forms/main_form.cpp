#include "forms/main_form.h"

#include "catalogue/data_file.h"
#include "catalogue/path_txt.h"
#include "exchange/exchange_writer.h"
#include "files/startup_preload.h"
#include "text/text_split.h"

namespace zorbi {

namespace {

constexpr std::string_view UnreadableDataFileMessage = " を読み込めません、終了します。";
constexpr std::string_view WriteFailedMessage = " を保存できませんでした。";
constexpr std::string_view CloseUnsavedQuestion = "このファイルを保存しないで閉じますか？";
constexpr std::string_view BackupSuffix = ".bak";
constexpr std::string_view DataFileChangedQuestion =
    " は、このウィンドウが開いた後に書き換えられています"
    "（同じフォルダーの Z_Orbi がもう一つ閉じたときなど）。\r\n"
    "置き換えると、その変更は失われます。置き換えますか？\r\n\r\n"
    "いいえ: 置き換えずにウィンドウに戻ります。";

}  // namespace

TForm1::TForm1(const FormControls& controls, const FormServices& services)
    : C(controls),
      files_(services.Files),
      messages_(services.Messages),
      sys_(services.Sys),
      window_(services.Window),
      dialogs_(services.Dialogs),
      procs_(services.Procs),
      host_(services.Host),
      fonts_(services.Fonts),
      progress_(services.Progress) {
  OpenDialog1.Filter = std::string(BatFilter);
  OpenDialog1.MultiSelect = true;
  OpenDialog1.FileMustExist = true;
}

std::string TForm1::SettingsPath() const {
  const std::string exe = sys_.ExePath();
  const std::string name = FileNamePart(exe);
  const std::size_t dot = name.rfind('.');
  const std::size_t cut = dot == std::string::npos ? exe.size() : exe.size() - name.size() + dot;
  return exe.substr(0, cut) + ".ini";
}

bool TForm1::FormCreate() {
  if (!FormCreateUntilExchange()) return false;
  FormCreateFromExchange();
  return true;
}

bool TForm1::FormCreateUntilExchange() {
  const std::string exe = sys_.ExePath();
  OwnExeName = FileNamePart(exe);
  AppDir = exe.substr(0, exe.size() - OwnExeName.size());
  window_.SetCaption(std::string(VersionCaption));
  if (!InitialLoad()) return false;
  // Before the exchange file, which may still be being read: the settings
  // show and ask nothing, and act only on what the exchange file leaves alone.
  ReadSettings(SettingsPath());
  return true;
}

void TForm1::FormCreateFromExchange() {
  ReadExchange(AppDir + std::string(ExchangeFileName));
  SettingsLoaded = true;
  if (JWCheck) FindTargetWindows();
}

bool TForm1::LoadCatalogueFile(const std::string& path) {
  std::shared_ptr<const std::string> bytes;
  bool parsed = false;
  DataFileContents contents;
  if (preload_ != nullptr && preload_->DataFilePath() == path && cat_.Empty()) {
    StartupPreload::DataFile read = preload_->TakeDataFile();
    bytes = std::move(read.Bytes);
    parsed = read.Parsed;
    contents = std::move(read.Contents);
  } else {
    if (std::optional<std::string> read = files_.ReadAll(path))
      bytes = std::make_shared<const std::string>(std::move(*read));
    parsed = bytes && ParseCatalogueImage(bytes, contents);
  }
  if (!bytes) {
    messages_.ShowMessage(std::string(DataFileName) + std::string(UnreadableDataFileMessage),
                          MessageKind::Error);
    return false;
  }
  if (!parsed) {
    messages_.ShowMessage(std::string(NotDataFileMessage), MessageKind::Plain);
    return false;
  }
  const std::size_t used = contents.Used;
  cat_.Load(std::move(contents));
  ShowTabNames();
  // Bytes past the last item may be items that a damaged count hides: the
  // next save keeps the file as it is beside the new one.
  if (used < bytes->size()) originalDataFile_ = *bytes;
  dataFileRead_ = std::move(bytes);
  return true;
}

bool TForm1::InitialLoad() {
  CreateExchangeLists(Exchange);
  cat_.Clear();
  cat_.SetBatFolder(AppDir);
  OpenDialog1.InitialDir = cat_.BatFolder();
  ClearGrid();
  C.DatRestore1.SetEnabled(false);
  C.PATHTXT1.SetEnabled(false);
  const std::string dataFile = AppDir + std::string(DataFileName);
  const EntryKind entry = files_.Entry(dataFile);
  if (entry == EntryKind::Other) {
    // A folder of that name, or a file the system won't even describe: starting
    // empty would save an empty catalogue over it at close.
    messages_.ShowMessage(std::string(DataFileName) + std::string(UnreadableDataFileMessage),
                          MessageKind::Error);
    return false;
  }
  if (entry == EntryKind::File) {
    C.DatRestore1.SetEnabled(true);
    if (files_.Exists(AppDir + std::string(PathTxtName))) C.PATHTXT1.SetEnabled(true);
    // A file we cannot take ends the program here, before anything is written,
    // so the user's catalogue survives as it is.
    if (!LoadCatalogueFile(dataFile)) return false;
    C.TabControl1.SetTabIndex(cat_.CurrentTab());
    // The pick is checked once, by the selection below.
    quietPick_ = true;
    TabControl1Change();
    quietPick_ = false;
    // On an empty tab there is nothing to pick: checking the empty pick would
    // report an invalid item at every start of a new, empty catalogue.
    if (cat_.Item(cat_.CurrentTab(), cat_.PickedIndex()) != nullptr) {
      bool canSelect = true;
      StringGrid1SelectCell(0, cat_.PickedIndex() + 1, canSelect);
    }
  } else {
    cat_.StartEmpty();
    ShowTabNames();
    C.StringGrid1.SetCell(1, 0, std::string(FileNameHeader));
    C.StringGrid1.SetCell(2, 0, std::string(SummaryHeader));
  }
  return true;
}

void TForm1::ReadExchange(const std::string& path) {
  // The records are checked and counted but not kept: the close writes only
  // the chaining lines, and nothing else ever reads them.
  if (preload_ != nullptr && preload_->ExchangePath() == path) {
    ExchangeLoaded = preload_->TakeExchange(Exchange);
    preload_ = nullptr;
  } else {
    const bool exists = files_.Exists(path);
    const std::optional<std::string> content = exists ? files_.ReadAll(path) : std::nullopt;
    ExchangeLoaded = ReadExchangeFile(Exchange, exists, content, {.KeepRecords = false});
  }
  if (ExchangeLoaded) return;
  if (Exchange.ExchangeStatus == kExchangeReadError) {
    messages_.ShowMessage(std::string(HostUnstableMessage), MessageKind::Error);
    // Only Cancel, the menus and the close box stay usable.
    C.Button2.SetEnabled(false);
    C.StringGrid1.SetEnabled(false);
    C.Memo1.SetEnabled(false);
    C.TabControl1.SetEnabled(false);
  } else if (Exchange.ExchangeStatus == kExchangeNotHq) {
    messages_.ShowMessage(std::string(ExchangeFileName) + std::string(ExchangeDamagedMessage),
                          MessageKind::Plain);
  }
}

bool TForm1::WriteChainingLines() {
  // A control byte in the path would hand the host further commands: such a
  // pick is not chained, and the close goes on.
  if (!IsChainablePath(ChainPath())) {
    messages_.ShowMessage(std::string(UnchainablePathMessage), MessageKind::Warning);
    return true;
  }
  // Built afresh each time, so a retried close never doubles the lines.
  Exchange.OutputLines.clear();
  AddChainingLines(Exchange, ChainPath(), Info);
  const std::string path = AppDir + std::string(ExchangeFileName);
  std::string error;
  const ExchangeWrite written = WriteExchangeFile(
      Exchange, [&](const std::string& bytes) { return files_.ReplaceAll(path, bytes, error); });
  if (written == ExchangeWrite::Failed) return CloseWithoutSaving(path, error);
  return true;
}

bool TForm1::WritePathTxt() {
  const std::string path = AppDir + std::string(PathTxtName);
  std::string error;
  if (!files_.ReplaceAll(path, PathTxtImage(cat_.TabNames(), cat_.Data().TabList), error))
    return CloseWithoutSaving(path, error);
  return true;
}

void TForm1::Button2Click() {
  if (EditMode() || closed_ || closing_) return;
  if (WhileClosing([this] { return EndModeToClose() && WritePathTxt(); })) Close();
}

void TForm1::Button4Click() {
  if (closed_ || closing_) return;
  // Nothing is chained; a close that is called off keeps the pick, the one
  // from before any search.
  const bool ready = WhileClosing([&] {
    if (!EndModeToClose()) return false;
    LeaveSearch();
    return WritePathTxt();
  });
  chainPick_ = false;
  if (ready) Close();
  if (!closed_) chainPick_ = true;
}

bool TForm1::WhileClosing(const std::function<bool()>& steps) {
  // A question or a failed write's message box runs a message loop: a close
  // request that arrives there must not start the sequence inside itself.
  closing_ = true;
  bool done = false;
  try {
    done = steps();
  } catch (...) {
    closing_ = false;
    throw;
  }
  closing_ = false;
  return done;
}

void TForm1::Close() {
  if (closed_ || closing_) return;
  // Closing as OK does: the highlighted result is the one chained; without
  // one, the pick as before.
  if (Searching() && !ShowResultOnTab()) LeaveSearch();
  if (!WhileClosing([this] { return EndModeToClose() && FormClose(); })) return;
  closed_ = true;
  window_.Destroy();
}

bool TForm1::FormClose() {
  if (SettingsLoaded && !WriteSettings(SettingsPath())) return false;
  return FinalSave();
}

bool TForm1::CloseWithoutSaving(const std::string& path, const std::string& error) {
  // Always a way out: a folder or disk that refuses every write must not keep
  // the window, and the host waiting behind it, open for ever.
  std::string text = FileNamePart(path) + std::string(WriteFailedMessage);
  if (!error.empty()) text += "\r\n" + error;
  text += "\r\n\r\n" + std::string(CloseUnsavedQuestion);
  return messages_.Ask(text, MessageKind::Error);
}

bool TForm1::DataFileChangedElsewhere(const std::string& path) {
  if (!files_.Exists(path)) return false;
  const std::optional<std::string> now = files_.ReadAll(path);
  // A file that cannot be read cannot be told unchanged.
  return !now || !dataFileRead_ || *now != *dataFileRead_;
}

bool TForm1::SaveDataFile() {
  const std::string dataFile = AppDir + std::string(DataFileName);
  // Another copy of the program in this folder may have saved its catalogue
  // since ours was read: replacing it unasked would drop that copy's changes.
  if (DataFileChangedElsewhere(dataFile) &&
      !messages_.Ask(std::string(DataFileName) + std::string(DataFileChangedQuestion),
                     MessageKind::Warning))
    return false;
  std::string error;
  if (originalDataFile_) {
    if (!files_.ReplaceAll(dataFile + std::string(BackupSuffix), *originalDataFile_, error))
      return CloseWithoutSaving(dataFile, error);
    originalDataFile_.reset();
  }
  const std::int32_t tabCount = cat_.TabNameCount();
  std::string image = CatalogueImage(cat_.Data(), tabCount, cat_.TabNames());
  if (!files_.ReplaceAll(dataFile, image, error)) return CloseWithoutSaving(dataFile, error);
  // A close that stops after this must not take our own file for another's.
  dataFileRead_ = std::make_shared<const std::string>(std::move(image));
  return true;
}

bool TForm1::FinalSave() {
  if (!SaveDataFile()) return false;
  if (ExchangeLoaded && !ChainPath().empty() && !WriteChainingLines()) return false;
  // The grid shows nothing more; the catalogue goes with the form.
  ClearGrid();
  FreeExchangeLists(Exchange);
  return true;
}

void TForm1::FormDestroy() {
  ForegroundSwitch();
}

}  // namespace zorbi
