#include "forms/tab_settings_form.h"

#include <utility>

#include "forms/typed_text.h"

namespace zorbi {

namespace {

constexpr std::string_view TabNameWhat = "タブ名";

void RenumberItems(TMList* tab, std::int32_t index) {
  if (!tab) return;
  for (auto& item : tab->Items) item->SetTabNo(index);
}

}  // namespace

TForm2::TForm2(const TabSettingsControls& controls, TForm1& main, MessageBoxes& messages,
               DialogWindow& window)
    : C(controls), main_(main), messages_(messages), window_(window) {}

void TForm2::ShowNames(int selected) {
  C.ListBox1.SetItems(main_.Cat.TabNames);
  if (selected >= 0) C.ListBox1.SetItemIndex(selected);
}

void TForm2::CopyNamesToStrip() {
  main_.ShowTabNames();
  main_.C.TabControl1.SetTabIndex(main_.Cat.CurrentTab);
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
  if (s >= 0 && s < static_cast<int>(main_.Cat.TabNames.size()))
    C.Edit1.SetText(main_.Cat.TabNames[static_cast<std::size_t>(s)]);
}

void TForm2::Button2Click() {
  std::vector<std::string>& names = main_.Cat.TabNames;
  const int s = C.ListBox1.ItemIndex();
  if (s < 0 || s >= static_cast<int>(names.size())) {
    messages_.ShowMessage(std::string(SelectTabToRenameMessage), MessageKind::Information);
    return;
  }
  const std::optional<std::string> name = TypedName();
  if (!name || name->empty()) return;
  names[static_cast<std::size_t>(s)] = *name;
  ShowNames(s);
  CopyNamesToStrip();
}

void TForm2::Button3Click() {
  const std::optional<std::string> name = TypedName();
  if (!name) return;
  main_.Cat.TabNames.push_back(*name);
  ShowNames(C.ListBox1.ItemIndex());
  CopyNamesToStrip();
  main_.Cat.TabList.push_back(std::make_unique<TMList>());
}

void TForm2::Button6Click() {
  Catalogue& cat = main_.Cat;
  std::vector<std::string>& names = cat.TabNames;
  if (names.size() <= 1) {
    // The last tab is emptied and renamed rather than removed.
    names = {std::string(DefaultTabName)};
    if (cat.TabList.empty()) cat.TabList.push_back(std::make_unique<TMList>());
    ClearTabItems(*cat.TabList[0]);
    cat.CurrentTab = 0;
  } else {
    const int s = C.ListBox1.ItemIndex();
    if (s < 0 || s >= static_cast<int>(names.size())) {
      messages_.ShowMessage(std::string(SelectTabToDeleteMessage), MessageKind::Information);
      return;
    }
    if (cat.CurrentTab == static_cast<std::int32_t>(names.size()) - 1) --cat.CurrentTab;
    names.erase(names.begin() + s);
    if (s < static_cast<int>(cat.TabList.size())) cat.TabList.erase(cat.TabList.begin() + s);
    for (std::size_t t = static_cast<std::size_t>(s); t < cat.TabList.size(); ++t)
      RenumberItems(cat.TabList[t].get(), static_cast<std::int32_t>(t));
  }
  ShowNames(-1);
  CopyNamesToStrip();
  main_.ClearGrid();
  main_.ShowTab(main_.C.TabControl1.TabIndex());
}

void TForm2::MoveSelected(int step) {
  Catalogue& cat = main_.Cat;
  std::vector<std::string>& names = cat.TabNames;
  const int i = C.ListBox1.ItemIndex();
  if (i < 0 || i >= static_cast<int>(names.size())) {
    messages_.ShowMessage(std::string(SelectTabToMoveMessage), MessageKind::Information);
    return;
  }
  const int j = i + step;
  if (j < 0 || j >= static_cast<int>(names.size())) return;
  std::swap(names[static_cast<std::size_t>(i)], names[static_cast<std::size_t>(j)]);
  if (cat.Tab(i) && cat.Tab(j))
    std::swap(cat.TabList[static_cast<std::size_t>(i)], cat.TabList[static_cast<std::size_t>(j)]);
  RenumberItems(cat.Tab(j), j);
  RenumberItems(cat.Tab(i), i);
  // The moved tab is shown when the dialog closes, whichever was shown before.
  cat.CurrentTab = j;
  ShowNames(j);
  CopyNamesToStrip();
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
  Catalogue& cat = main_.Cat;
  // Moves and deletes can change the shown tab behind the pick's back; only
  // the shown tab may hold the current pick, or the next start could open on
  // another tab than the one left.
  for (std::size_t t = 0; t < cat.TabList.size(); ++t) {
    if (static_cast<std::int32_t>(t) == cat.CurrentTab) continue;
    for (auto& item : cat.TabList[t]->Items)
      if (item->PickState == 2) item->SetPickState(1);
  }
  main_.ClearGrid();
  main_.ShowTab(cat.CurrentTab);
}

}  // namespace zorbi
