#include "forms/tab_settings_form.h"

#include <utility>

#include "forms/typed_text.h"

namespace zorbi {

namespace {

constexpr std::string_view TabNameWhat = "タブ名";

}  // namespace

TForm2::TForm2(const TabSettingsControls& controls, TabSettingsHost& main, MessageBoxes& messages,
               DialogWindow& window)
    : C(controls), main_(main), messages_(messages), window_(window) {}

void TForm2::ShowNames(int selected) {
  C.ListBox1.SetItems(main_.TabNames());
  if (selected >= 0) C.ListBox1.SetItemIndex(selected);
}

int TForm2::SelectedTab(std::string_view askFirst) {
  const int s = C.ListBox1.ItemIndex();
  if (s >= 0 && s < static_cast<int>(main_.TabNames().size())) return s;
  messages_.ShowMessage(std::string(askFirst), MessageKind::Information);
  return -1;
}

std::optional<std::string> TForm2::TypedName() {
  TypedText typed = C.Edit1.Text();
  if (typed.Refused != 0) {
    messages_.ShowMessage(UnrepresentableTextMessage(TabNameWhat, typed.Refused),
                          MessageKind::Warning);
    return std::nullopt;
  }
  return std::move(typed.Text);
}

void TForm2::FormShow() {
  ShowNames(-1);
  C.Edit1.SetText("");
}

void TForm2::ListBox1Click() {
  const int s = C.ListBox1.ItemIndex();
  if (s >= 0 && s < static_cast<int>(main_.TabNames().size()))
    C.Edit1.SetText(main_.TabNames()[static_cast<std::size_t>(s)]);
}

void TForm2::Button2Click() {
  const int s = SelectedTab(SelectTabToRenameMessage);
  if (s < 0) return;
  const std::optional<std::string> name = TypedName();
  if (!name || name->empty()) return;
  main_.RenameTab(s, *name);
  ShowNames(s);
}

void TForm2::Button3Click() {
  const std::optional<std::string> name = TypedName();
  if (!name) return;
  const int selected = C.ListBox1.ItemIndex();
  main_.AddTab(*name);
  ShowNames(selected);
}

void TForm2::Button6Click() {
  // The last tab is emptied and renamed rather than removed: no selection needed.
  int s = 0;
  if (main_.TabNames().size() > 1 && (s = SelectedTab(SelectTabToDeleteMessage)) < 0) return;
  main_.DeleteTab(s);
  ShowNames(-1);
}

void TForm2::MoveSelected(int step) {
  const int i = SelectedTab(SelectTabToMoveMessage);
  if (i < 0) return;
  const int j = i + step;
  if (j < 0 || j >= static_cast<int>(main_.TabNames().size())) return;
  // The moved tab is shown when the dialog closes, whichever was shown before.
  main_.MoveTab(i, j);
  ShowNames(j);
}

void TForm2::Button4Click() {
  MoveSelected(-1);
}

void TForm2::Button5Click() {
  MoveSelected(+1);
}

void TForm2::Button1Click() {
  window_.Close();
}

void TForm2::FormClose() {
  main_.TabSettingsClosed();
}

}  // namespace zorbi
