// "項目追加": registering BAT files chosen in the open dialog.
#include <string>

#include "catalogue/registration.h"
#include "forms/main_form.h"

namespace zorbi {

namespace {

constexpr std::string_view UnreadableBatMessage = "ファイルを読み込めません。";
constexpr std::string_view EmptyBatMessage = "ファイルが空です、登録できません。";
constexpr std::string_view UnrepresentableNameMessage =
    "ファイル名に Shift-JIS で表せない文字があるため、登録できません。";

}  // namespace

bool TForm1::RegisterBatFile(const std::string& path, std::int32_t tab) {
  TMList* list = Cat.Tab(tab);
  if (!list) return false;
  const std::optional<std::string> head = files_.ReadHead(path, BatHeadBytes);
  if (!head) {
    messages_.ShowMessage(std::string(UnreadableBatMessage) + "\r\n" + path, MessageKind::Error);
    return false;
  }
  std::optional<std::string> summary = BatSummary(*head);
  if (!summary) {
    messages_.ShowMessage(std::string(EmptyBatMessage) + "\r\n" + path, MessageKind::Error);
    return false;
  }
  AppendBatItem(*list, tab, path, std::move(*summary));
  return true;
}

void TForm1::m2Click() {
  const std::int32_t t = C.TabControl1.TabIndex();
  OpenDialog1.InitialDir = Cat.BatFolder;
  if (const auto chosen = dialogs_.OpenFiles(OpenDialog1)) {
    const TMList* list = Cat.Tab(t);
    const int needed = (list ? list->Count() : 0) + static_cast<int>(chosen->size()) + 1;
    if (C.StringGrid1.RowCount() < needed) C.StringGrid1.SetRowCount(needed);
    for (const ChosenFile& file : *chosen) {
      // A name without a Shift-JIS form would be stored damaged and chain a
      // path that does not exist; the other files still go in.
      if (!file.Representable) {
        messages_.ShowMessage(std::string(UnrepresentableNameMessage) + "\r\n" + file.DisplayName,
                              MessageKind::Warning);
        continue;
      }
      if (!RegisterBatFile(file.Path, t)) return;
    }
  }
  ClearGrid();
  ShowTab(t);
}

}  // namespace zorbi
