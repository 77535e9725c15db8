#include "forms/catalogue_files.h"

#include "catalogue/data_file.h"
#include "catalogue/path_txt.h"
#include "files/startup_preload.h"
#include "forms/save_question.h"
#include "text/text_split.h"

namespace zorbi {

namespace {

constexpr std::string_view WriteFailedMessage = " を保存できませんでした。";
constexpr std::string_view CloseUnsavedQuestion = "このファイルを保存しないで閉じますか？";
constexpr std::string_view BackupSuffix = ".bak";
constexpr std::string_view DataFileChangedQuestion =
    " は、このウィンドウが開いた後に書き換えられています"
    "（同じフォルダーの Z_Orbi がもう一つ閉じたときなど）。\r\n\r\n"
    "はい: このウィンドウの一覧で置き換えます。もう一つの変更は失われます。\r\n"
    "いいえ: 一覧を保存しないで閉じます（Z_Orbi.DAT と PATH.TXT はそのまま残ります）。\r\n"
    "キャンセル: 閉じずにウィンドウに戻ります。\r\n\r\n"
    "もう一つの一覧は、ｵﾌﾟｼｮﾝの「項目修復」→「Z_Orbi.dat から復旧」で読み込めます。";

}  // namespace

bool AskCloseWithoutSaving(MessageBoxes& messages, const std::string& path,
                           const std::string& error) {
  std::string text = FileNamePart(path) + std::string(WriteFailedMessage);
  if (!error.empty()) text += "\r\n" + error;
  text += "\r\n\r\n" + std::string(CloseUnsavedQuestion);
  return messages.Ask(text, MessageKind::Error);
}

CatalogueFiles::Start CatalogueFiles::Load(const std::string& folder) {
  const std::string path = folder + std::string(DataFileName);
  const EntryKind entry = files_.Entry(path);
  if (entry == EntryKind::Missing) return Start::NoFile;
  if (entry == EntryKind::Other) {
    // A folder of that name, or a file the system won't even describe: starting
    // empty would save an empty catalogue over it at close.
    messages_.ShowMessage(std::string(DataFileName) + std::string(UnreadableDataFileMessage),
                          MessageKind::Error);
    return Start::Refused;
  }
  // A file we cannot take ends the program here, before anything is written,
  // so the user's catalogue survives as it is.
  return LoadFile(path) ? Start::Loaded : Start::Refused;
}

bool CatalogueFiles::LoadFile(const std::string& path) {
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
  // Bytes past the last item may be items that a damaged count hides: the
  // next save keeps the file as it is beside the new one.
  if (used < bytes->size()) originalDataFile_ = *bytes;
  dataFileRead_ = std::move(bytes);
  return true;
}

void CatalogueFiles::Restored(std::string bytes) {
  dataFileRead_ = std::make_shared<const std::string>(std::move(bytes));
}

bool CatalogueFiles::ChangedElsewhere(const std::string& path) {
  onDisk_ = std::shared_ptr<const std::string>();
  if (!files_.Exists(path)) return false;
  std::optional<std::string> now = files_.ReadAll(path);
  // A file that cannot be read, even after waiting for a program that held
  // it, is no sign of another copy: its save says what is wrong.
  if (!now) return false;
  const bool changed = !dataFileRead_ || *now != *dataFileRead_;
  onDisk_ = changed ? std::make_shared<const std::string>(std::move(*now)) : dataFileRead_;
  return changed;
}

void CatalogueFiles::KeepBackup(const std::string& folder, const std::string& image) {
  if (backups_ == nullptr) return;
  const std::string path = folder + std::string(DataFileName);
  if (!onDisk_) {
    std::optional<std::string> now = files_.ReadAll(path);
    onDisk_ = now ? std::make_shared<const std::string>(std::move(*now)) : nullptr;
  }
  // A close tried again after a failed write keeps the same file once.
  if (*onDisk_ && !(backedUp_ && **onDisk_ == *backedUp_)) {
    backups_->Keep(folder, **onDisk_, image);
    backedUp_ = *onDisk_;
  }
  onDisk_.reset();
}

bool CatalogueFiles::DecideBeforeClose(const std::string& folder) {
  keepOther_ = false;
  // Another copy of the program in this folder may have saved its catalogue
  // since ours was read: replacing it unasked would drop that copy's changes,
  // and writing PATH.TXT alone would make the two files disagree.
  if (!ChangedElsewhere(folder + std::string(DataFileName))) return true;
  // Its text names the answers: our own buttons, which read so on any system.
  const Answer answer =
      messages_.ShowList(std::string(DataFileName) + std::string(DataFileChangedQuestion), {},
                         MessageKind::Warning, Answers::YesNoCancel);
  keepOther_ = answer == Answer::No;
  // A close that stopped after PATH.TXT (a later write failed) left this
  // window's export there: it follows the catalogue kept, as the question says.
  if (keepOther_ && pathTxtWritten_) return ExportKeptDataFile(folder);
  return answer != Answer::Cancel;
}

bool CatalogueFiles::ExportKeptDataFile(const std::string& folder) {
  const std::string path = folder + std::string(PathTxtName);
  const std::optional<std::string> bytes = files_.ReadAll(folder + std::string(DataFileName));
  CatalogueData kept;
  std::vector<std::string> names;
  std::string error;
  if (!bytes) {
    error = std::string(DataFileName) + " を読み込めません。";
  } else if (!ReadCatalogueImage(kept, *bytes, names)) {
    error = std::string(DataFileName) + " はデータファイルではありません。";
  } else if (files_.ReplaceAll(path, PathTxtImage(names, kept.TabList), error)) {
    pathTxtWritten_ = false;
    return true;
  }
  return AskCloseWithoutSaving(messages_, path, error);
}

bool CatalogueFiles::SaveDataFile(const std::string& folder) {
  if (keepOther_) return true;
  const std::string dataFile = folder + std::string(DataFileName);
  std::string error;
  if (originalDataFile_) {
    if (!files_.ReplaceAll(dataFile + std::string(BackupSuffix), *originalDataFile_, error))
      return AskCloseWithoutSaving(messages_, dataFile, error);
    originalDataFile_.reset();
  }
  std::string image = CatalogueImage(cat_.Data(), cat_.TabNameCount(), cat_.TabNames());
  KeepBackup(folder, image);
  if (!files_.ReplaceAll(dataFile, image, error))
    return AskCloseWithoutSaving(messages_, dataFile, error);
  backedUp_.reset();
  // A close that stops after this must not take our own file for another's.
  dataFileRead_ = std::make_shared<const std::string>(std::move(image));
  return true;
}

bool CatalogueFiles::WritePathTxt(const std::string& folder) {
  if (keepOther_) return true;
  const std::string path = folder + std::string(PathTxtName);
  std::string error;
  if (!files_.ReplaceAll(path, PathTxtImage(cat_.TabNames(), cat_.Data().TabList), error))
    return AskCloseWithoutSaving(messages_, path, error);
  pathTxtWritten_ = true;
  return true;
}

}  // namespace zorbi
