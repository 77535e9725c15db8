#include "forms/data_backups.h"

#include <algorithm>

#include "catalogue/data_file.h"
#include "forms/backup_list_form.h"

namespace zorbi {

namespace {

constexpr std::string_view NamePrefix = "Z_Orbi-";
constexpr std::string_view NameSuffix = ".DAT";
// "Z_Orbi-" YYYYMMDD "-" HHMMSS ".DAT"
constexpr std::size_t StampAt = NamePrefix.size(), StampSize = 15;
constexpr std::size_t NameSize = StampAt + StampSize + NameSuffix.size();
constexpr std::string_view ListTitle = "バックアップから復旧";
constexpr std::string_view ReadingText = "バックアップを読み込んでいます...";
constexpr std::string_view FailedText = " Z_Orbi.DAT のバックアップを作れませんでした: ";
constexpr std::string_view OldNotRemoved = "古いバックアップを削除できませんでした: ";

bool SameLetters(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    const auto up = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    return up(x) == up(y);
  });
}

bool Digits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Names the program gave; any other file in the folder is the user's.
bool IsBackupName(std::string_view name) {
  return name.size() == NameSize && SameLetters(name.substr(0, StampAt), NamePrefix) &&
         Digits(name.substr(StampAt, 8)) && name[StampAt + 8] == '-' &&
         Digits(name.substr(StampAt + 9, 6)) &&
         SameLetters(name.substr(StampAt + StampSize), NameSuffix);
}

std::string Stamp(std::string_view name) {
  return std::string(name.substr(StampAt, StampSize));
}

std::string TwoDigits(int n) {
  return std::string{static_cast<char>('0' + n / 10 % 10), static_cast<char>('0' + n % 10)};
}

std::string BackupName(const CalendarTime& t) {
  return std::string(NamePrefix) + std::to_string(t.Year) + TwoDigits(t.Month) + TwoDigits(t.Day) +
         "-" + TwoDigits(t.Hour) + TwoDigits(t.Minute) + TwoDigits(t.Second) +
         std::string(NameSuffix);
}

std::string ShownTime(const CalendarTime& t) {
  return std::to_string(t.Year) + "/" + TwoDigits(t.Month) + "/" + TwoDigits(t.Day) + " " +
         TwoDigits(t.Hour) + ":" + TwoDigits(t.Minute) + ":" + TwoDigits(t.Second);
}

// "2026/12/08 10:43:20" from a backup's name.
std::string ShownTime(std::string_view name) {
  const std::string_view s = name.substr(StampAt, StampSize);
  return std::string(s.substr(0, 4)) + "/" + std::string(s.substr(4, 2)) + "/" +
         std::string(s.substr(6, 2)) + " " + std::string(s.substr(9, 2)) + ":" +
         std::string(s.substr(11, 2)) + ":" + std::string(s.substr(13, 2));
}

}  // namespace

std::vector<std::string> DataBackups::Names(const std::string& folder) {
  std::vector<FolderEntry> entries;
  std::vector<std::string> names;
  if (!files_.ListFolder(folder, entries)) return names;
  for (FolderEntry& entry : entries)
    if (!entry.IsFolder && IsBackupName(entry.Name)) names.push_back(std::move(entry.Name));
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return Stamp(a) < Stamp(b); });
  return names;
}

void DataBackups::Keep(const std::string& appDir, const std::string& old, const std::string& next) {
  if (old == next) return;
  const std::string folder = appDir + std::string(BackupFolderName);
  std::string error;
  if (!files_.MakeFolder(folder, error)) return Failed(appDir, error);
  std::vector<std::string> names = Names(folder);
  // A second close in the same second takes the next free second, so the
  // names still sort in the order the backups were made.
  std::int64_t at = sys_.UnixTime();
  std::string name = BackupName(sys_.LocalTimeAt(at));
  const auto taken = [&](const std::string& n) {
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& o) { return Stamp(o) == Stamp(n); });
  };
  while (taken(name)) name = BackupName(sys_.LocalTimeAt(++at));
  if (!files_.ReplaceAll(folder + "\\" + name, old, error)) return Failed(appDir, error);
  // The oldest go; the new one stays even when a clock put back names it older.
  std::string notRemoved;
  for (std::size_t k = 0; k + KeptBackups < names.size() + 1; ++k)
    if (!files_.RemoveFile(folder + "\\" + names[k])) notRemoved = names[k];
  if (!notRemoved.empty()) return Failed(appDir, std::string(OldNotRemoved) + notRemoved);
  const std::string note = appDir + std::string(BackupFailedName);
  if (files_.Exists(note)) files_.RemoveFile(note);
}

void DataBackups::Failed(const std::string& appDir, const std::string& why) {
  // Nothing is asked and nothing stops: the note is all that is left.
  std::string error;
  files_.ReplaceAll(
      appDir + std::string(BackupFailedName),
      ShownTime(sys_.LocalTimeAt(sys_.UnixTime())) + std::string(FailedText) + why + "\r\n", error);
}

std::string DataBackups::LastFailure(const std::string& appDir) {
  std::string note = files_.ReadHead(appDir + std::string(BackupFailedName), 2048).value_or("");
  while (!note.empty() && (note.back() == '\n' || note.back() == '\r')) note.pop_back();
  return note;
}

std::vector<BackupEntry> DataBackups::List(
    const std::string& appDir, const std::function<bool(std::size_t, std::size_t)>& going) {
  const std::string folder = appDir + std::string(BackupFolderName);
  std::vector<std::string> names = Names(folder);
  std::reverse(names.begin(), names.end());
  std::vector<BackupEntry> entries;
  for (const std::string& name : names) {
    if (going && !going(entries.size(), names.size())) break;
    BackupEntry entry{folder + "\\" + name, ShownTime(name)};
    DataFileContents contents;
    const std::optional<std::string> bytes = files_.ReadAll(entry.Path);
    if (bytes && ParseCatalogueImage(std::string_view(*bytes), contents)) {
      entry.Readable = true;
      entry.Tabs = contents.TabNames.size();
      for (const auto& items : contents.TabItems) entry.Items += items.size();
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::optional<std::string> DataBackups::Choose(const std::string& appDir, TBackupListForm* form) {
  if (form == nullptr) return std::nullopt;
  std::vector<BackupEntry> entries;
  bool cancelled = false;
  progress_.Run(std::string(ListTitle), [&](ProgressSink& sink) {
    entries = List(appDir, [&](std::size_t done, std::size_t total) {
      cancelled = !sink.Report(static_cast<std::int64_t>(done), static_cast<std::int64_t>(total),
                               std::string(ReadingText));
      return !cancelled;
    });
  });
  if (cancelled) return std::nullopt;
  const int chosen = form->Choose(entries, LastFailure(appDir));
  if (chosen < 0 || static_cast<std::size_t>(chosen) >= entries.size()) return std::nullopt;
  return entries[static_cast<std::size_t>(chosen)].Path;
}

}  // namespace zorbi
