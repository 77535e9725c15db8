#include "forms/backup_list_form.h"

namespace zorbi {

namespace {

constexpr std::string_view ChooseText =
    "復旧に使うバックアップを選んで OK を押してください（新しい順）。";
constexpr std::string_view NoBackupsText =
    "バックアップはまだありません。閉じるときに Z_Orbi.DAT が変わると、"
    "前の Z_Orbi.DAT が backup フォルダーに残ります。";
constexpr std::string_view DamagedLine = "壊れています（データファイルとして読めません）";
constexpr std::string_view DamagedChosen = "このバックアップは壊れているため、復旧に使えません。";

// A number right-aligned in `width` columns.
std::string Padded(std::size_t n, std::size_t width) {
  std::string text = std::to_string(n);
  return std::string(text.size() < width ? width - text.size() : 0, ' ') + text;
}

}  // namespace

int TBackupListForm::Choose(const std::vector<BackupEntry>& entries,
                            const std::string& lastFailure) {
  std::vector<std::string> lines;
  readable_.clear();
  int first = -1;
  for (const BackupEntry& e : entries) {
    if (first < 0 && e.Readable) first = static_cast<int>(lines.size());
    lines.push_back(e.When + "  " +
                    (e.Readable ? "タブ" + Padded(e.Tabs, 4) + "  項目" + Padded(e.Items, 8)
                                : std::string(DamagedLine)));
    readable_.push_back(e.Readable);
  }
  C.List.SetItems(std::move(lines));
  // Enter takes the newest backup that can be used.
  C.List.SetItemIndex(first);
  std::string note = entries.empty() ? std::string(NoBackupsText) : std::string(ChooseText);
  if (!lastFailure.empty()) note = lastFailure + "\r\n" + note;
  C.Note.SetCaption(std::move(note));
  chosen_ = -1;
  window_.ShowModal();
  return chosen_;
}

void TBackupListForm::OKClick() {
  const int index = C.List.ItemIndex();
  if (index < 0 || static_cast<std::size_t>(index) >= readable_.size()) return;
  if (!readable_[static_cast<std::size_t>(index)]) {
    C.Note.SetCaption(std::string(DamagedChosen));
    return;
  }
  chosen_ = index;
  window_.Close();
}

void TBackupListForm::CancelClick() {
  chosen_ = -1;
  window_.Close();
}

}  // namespace zorbi
