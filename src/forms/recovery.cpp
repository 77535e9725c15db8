#include "forms/recovery.h"

#include "catalogue/data_file.h"
#include "catalogue/path_txt.h"
#include "catalogue/registration.h"
#include "text/sjis.h"
#include "text/text_split.h"

namespace zorbi {

namespace {

constexpr std::string_view RestoreQuestion = "現在の設定を破棄して前回の内容に戻します。";
constexpr std::string_view RestoreTitle = "項目修復";
constexpr std::string_view ReadingText = "一覧を読み込んでいます...";
constexpr std::string_view RestoreStopped = "復旧を中止しました。項目は元のままです。";
constexpr std::string_view FileMissing = " が見つかりません。";
constexpr std::string_view FileUnreadable = " を読み込めません。";
constexpr std::string_view NotShiftJisText =
    " は Shift-JIS のテキストではないため、読み込めません。";
constexpr std::string_view Utf8Text = " は UTF-8 で保存されています。";
constexpr std::string_view Utf16Text = " は UTF-16 (Unicode) で保存されています。";
constexpr std::string_view SaveAsSjisText =
    "メモ帳などで文字コードを ANSI (Shift-JIS) にして保存し直してください。";
constexpr std::string_view SkippedLinesHead = " 行は使えません。";
constexpr std::string_view MoreSkippedLines = " 行";
constexpr std::string_view RestoreTheRestQuestion = "これらの行を除いて復旧しますか？";
// A line of PATH.TXT is shown up to this many bytes, and a question lists
// this many of the lines left out.
constexpr std::size_t ShownLineBytes = 200;
constexpr std::size_t ListedLines = 20;

std::string LineRef(const PathTxtError& e) {
  std::string line(SjisPrefix(e.Line, ShownLineBytes));
  if (line.size() < e.Line.size()) line += "...";
  return std::to_string(e.LineNo) + " 行目: " + line;
}

std::string SkipReason(const PathTxtError& e) {
  switch (e.Fault) {
    case PathTxtFault::BadTabNumber:
      return "タブ番号が整数ではありません";
    case PathTxtFault::NoPath:
      return "BATファイルのパスがありません";
    case PathTxtFault::NoSuchTab:
      return "その番号のタブがありません";
    case PathTxtFault::UnreadableBat:
      return "ファイルを読み込めません";
    case PathTxtFault::EmptyBat:
      return "ファイルが空です";
    default:
      return {};
  }
}

// Refusal of the whole file: it is not Shift-JIS.
std::string EncodingErrorText(const PathTxtError& e) {
  std::string text(PathTxtName);
  if (e.Fault == PathTxtFault::Utf8)
    text += std::string(Utf8Text);
  else if (e.Fault == PathTxtFault::Utf16)
    text += std::string(Utf16Text);
  else
    text += std::string(NotShiftJisText) + "\r\n" + std::to_string(e.LineNo) + " 行目";
  return text + "\r\n" + std::string(SaveAsSjisText) + "\r\n\r\n" + std::string(RestoreStopped);
}

// The lines a restore leaves out, as the question lists them.
std::vector<std::string> SkippedLines(const std::vector<PathTxtError>& skipped) {
  std::vector<std::string> lines;
  for (std::size_t k = 0; k < skipped.size() && k < ListedLines; ++k) {
    lines.push_back(LineRef(skipped[k]));
    lines.push_back("    (" + SkipReason(skipped[k]) + ")");
  }
  if (skipped.size() > ListedLines)
    lines.push_back("... ほか " + std::to_string(skipped.size() - ListedLines) +
                    std::string(MoreSkippedLines));
  return lines;
}

}  // namespace

void Recovery::Replace(std::vector<std::string> names, TTabList tabs, std::int32_t currentTab,
                       std::int32_t pickedIndex) {
  // The grid refers to the old items: drop the references before they go.
  view_.ClearGrid();
  memo_.Clear();
  cat_.ReplaceTabs(std::move(names), std::move(tabs), currentTab, pickedIndex);
  // The restored items are checked afresh: the user may have put files back.
  marks_.Forget();
  marks_.CheckAll();
  view_.ShowTabNames();
  tabs_.SetTabIndex(cat_.CurrentTab());
}

std::optional<std::string> Recovery::FromDataFile() {
  return FromFile(cat_.BatFolder() + std::string(DataFileName));
}

bool Recovery::FromBackup(const std::string& path) {
  return FromFile(path).has_value();
}

std::optional<std::string> Recovery::FromFile(const std::string& path) {
  if (!messages_.Confirm(std::string(RestoreQuestion))) return std::nullopt;
  const auto stop = [&](std::string_view what) {
    messages_.ShowMessage(
        FileNamePart(path) + std::string(what) + "\r\n" + std::string(RestoreStopped),
        MessageKind::Error);
    return std::nullopt;
  };
  // A file that is gone restores nothing: the catalogue in hand is all there is.
  if (!files_.Exists(path)) return stop(FileMissing);
  // The stored items go on the emptied tabs at the front, as at start-up.
  std::optional<std::string> bytes;
  CatalogueData restored;
  for (std::int32_t t = 0; t < cat_.TabListCount(); ++t)
    restored.TabList.push_back(std::make_unique<TMList>());
  std::vector<std::string> names = cat_.TabNames();
  bool read = false, cancelled = false;
  progress_.Run(std::string(RestoreTitle), [&](ProgressSink& sink) {
    cancelled = !sink.Report(0, 0, std::string(ReadingText));
    if (!cancelled) bytes = files_.ReadAll(path);
    if (bytes && !cancelled) read = ReadCatalogueImage(restored, *bytes, names);
    cancelled = cancelled || !sink.Report(1, 1, std::string(ReadingText));
  });
  if (cancelled) return std::nullopt;  // nothing changed
  if (!bytes) return stop(FileUnreadable);
  if (!read) {
    // The program goes on: say so below the data file's own message.
    messages_.ShowMessage(std::string(NotDataFileMessage) + "\r\n" + std::string(RestoreStopped),
                          MessageKind::Plain);
    return std::nullopt;
  }
  Replace(std::move(names), std::move(restored.TabList), restored.CurrentTab, restored.PickedIndex);
  cat_.SwitchTab(cat_.CurrentTab());
  view_.ShowTab(cat_.CurrentTab());
  return bytes;
}

void Recovery::FromPathTxt(const std::string& appDir) {
  if (!messages_.Confirm(std::string(RestoreQuestion))) return;
  const std::string path = appDir + std::string(PathTxtName);
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
  // Every BAT file is read again: at 100,000 items that takes a while, and
  // the window shows how far it came, with キャンセル.
  bool read = false, cancelled = false;
  const std::vector<std::string> names = cat_.TabNames();
  const auto tabs = static_cast<std::size_t>(cat_.TabListCount());
  progress_.Run(std::string(RestoreTitle), [&](ProgressSink& sink) {
    read = RestorePathTxt(
        *bytes, names, tabs, readHead, restored, error, [&](std::size_t done, std::size_t total) {
          if (done % 256 != 0) return true;
          cancelled = !sink.Report(static_cast<std::int64_t>(done),
                                   static_cast<std::int64_t>(total), std::string(ReadingText));
          return !cancelled;
        });
  });
  if (cancelled) return;  // nothing changed
  if (!read) {
    messages_.ShowMessage(EncodingErrorText(error), MessageKind::Error);
    return;
  }
  // The lines that can be used go in together, or none do.
  if (!restored.Skipped.empty()) {
    const std::string question =
        std::string(PathTxtName) + " の次の " + std::to_string(restored.Skipped.size()) +
        std::string(SkippedLinesHead) + "\r\n" + std::string(RestoreTheRestQuestion);
    if (messages_.ShowList(question, SkippedLines(restored.Skipped), MessageKind::Warning,
                           Answers::YesNoSafe) != Answer::Yes)
      return;
  }
  // As on a tab switch: no pick or memo of the old catalogue survives.
  Replace(std::move(restored.TabNames), std::move(restored.TabList), 0, 0);
  view_.ShowTab(0);
}

}  // namespace zorbi
