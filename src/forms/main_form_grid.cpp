// The item grid and the tab strip: showing a tab, picking a row, switching tabs.
#include <string>
#include <utility>

#include "forms/main_form.h"
#include "forms/tab_settings_form.h"
#include "text/text_split.h"

namespace zorbi {

namespace {

// A missing file's mark takes the place of the two spaces.
std::string NumberText(int row, bool missing = false) {
  return (missing ? std::string(MissingFileMark) : std::string("  ")) + std::to_string(row);
}

}  // namespace

int TForm1::TabRows::Count() const {
  return list_ ? list_->Count() : 0;
}

const TMenuItem* TForm1::TabRows::Item(int row) const {
  return list_ ? list_->ItemAt(row - 1) : nullptr;
}

std::string TForm1::TabRows::Cell(int col, int row) const {
  const TMenuItem* item = Item(row);
  if (!item) return {};
  if (col == 0)
    return NumberText(row, form_.missingFiles_ > 0 && form_.IsMissingFile(item->BatPath));
  return ItemCell(*item, col);
}

std::string TForm1::ItemCell(const TMenuItem& item, int col) {
  switch (col) {
    case 1:
      return "  " + FileNamePart(item.BatPath);
    case 2:
      return item.Summary;
    default:
      return {};
  }
}

std::string TForm1::TabRows::WidestNumber() const {
  return NumberText(Count(), form_.missingFiles_ > 0);
}

bool TForm1::SearchRows::Dimmed(int row) const {
  const TMenuItem* item = Item(row);
  return item && form_.missingFiles_ > 0 && form_.IsMissingFile(item->BatPath);
}

bool TForm1::TabRows::Dimmed(int row) const {
  const TMenuItem* item = Item(row);
  // Nothing is copied for the path while no file is missing.
  return item && form_.missingFiles_ > 0 && form_.IsMissingFile(item->BatPath);
}

void TForm1::ClearGrid() {
  C.StringGrid1.SetRowSource(nullptr);
  shownRows_.Show(nullptr);
}

void TForm1::ShowTabNames() {
  C.TabControl1.SetTabs(cat_.TabNames());
}

std::int32_t TForm1::FillGrid(std::int32_t tab) {
  const TMList* list = cat_.Tab(tab);
  if (!list) return 0;
  shownRows_.Show(list);
  C.StringGrid1.SetRowSource(&shownRows_);
  return cat_.RememberedPick(tab);
}

void TForm1::ShowTab(std::int32_t tab) {
  Grid& g = C.StringGrid1;
  g.SetCell(1, 0, std::string(FileNameHeader));
  g.SetCell(2, 0, std::string(SummaryHeader));
  const TMList* list = cat_.Tab(tab);
  const std::int32_t n = list ? list->Count() : 0;
  if (n == 0) {
    g.SetSelection({1, 1, 2, 1});
    return;
  }
  g.SetRowCount(n <= DefaultGridRows - 1 ? DefaultGridRows : n + 1);
  const std::int32_t p = FillGrid(tab);
  g.SetSelection({1, p + 1, 2, p + 1});
  TabSwitching = false;
  bool canSelect = true;
  StringGrid1SelectCell(0, p + 1, canSelect);
  ScrollToPick();
}

void TForm1::ScrollToPick() {
  // The pick stays in view as the tenth visible row.
  const int row = cat_.PickedIndex() + 1;
  C.StringGrid1.SetTopRow(row <= 10 ? 1 : row - 9);
}

void TForm1::SelectPickedRow() {
  const int row = cat_.PickedItem() ? cat_.PickedIndex() + 1 : 1;
  C.StringGrid1.SetSelection({1, row, 2, row});
}

void TForm1::StringGrid1SelectCell(int col, int row, bool& canSelect) {
  // A memo that could not be stored keeps its row until the user fixes it.
  if (MemoEditMode()) {
    canSelect = false;
    return;
  }
  // A result is only highlighted; it is picked when chosen.
  if (Searching()) {
    if (const TMenuItem* item = searchRows_.Item(row))
      C.Memo1.SetLines(SplitDelimited(item->Memo, ','));
    else
      canSelect = false;
    return;
  }
  if (EditMode() || TabSwitching) {
    if (col == 0 || col == 1) canSelect = false;
    return;
  }
  Grid& g = C.StringGrid1;
  const TMenuItem* item = row >= 1 && row < g.RowCount() ? g.Item(row) : nullptr;
  if (item && item == cat_.Item(cat_.CurrentTab(), row - 1)) {
    C.Memo1.SetLines(SplitDelimited(item->Memo, ','));
    cat_.PickItem(row - 1);
  } else {
    // The highlight stays on the pick.
    canSelect = false;
  }
  if (!quietPick_ && (cat_.PickedBatPath().empty() || !files_.Exists(cat_.PickedBatPath())))
    messages_.ShowMessage(std::string(InvalidItemMessage), MessageKind::Plain);
}

void TForm1::StringGrid1DblClick(int row) {
  if (Searching()) {
    if (!searchRows_.Item(row)) return;
    HighlightResult(row);
    if (ShowResultOnTab()) Button2Click();
    return;
  }
  const TMenuItem* item =
      row >= 1 && row < C.StringGrid1.RowCount() ? C.StringGrid1.Item(row) : nullptr;
  if (item && item == cat_.PickedItem()) Button2Click();
}

void TForm1::TabControl1Changing(bool& allowChange) {
  // The tab strip takes no focus: the mode ends here, or the tab stays.
  // The strip shows no tab while results show: the one left is CurrentTab.
  if (Searching()) {
    StopSearch();
    TabSwitching = true;
    cat_.LeaveCurrentTab();
    return;
  }
  allowChange = EndMode();
  if (!allowChange) return;
  TabSwitching = true;
  cat_.LeaveCurrentTab();
}

void TForm1::TabControl1Change() {
  ClearGrid();
  C.Memo1.Clear();
  cat_.SwitchTab(C.TabControl1.TabIndex());
  ShowTab(cat_.CurrentTab());
  TabSwitching = false;
}

void TForm1::K3Click() {
  // As on a tab switch: the mode ends before the tabs change.
  if (!EndMode()) return;
  // The results refer to tabs the dialog may change.
  LeaveSearch();
  if (TForm2* form2 = Form2()) form2->ShowModal();
}

void TForm1::ShowTabsAgain(bool refillGrid) {
  ShowTabNames();
  C.TabControl1.SetTabIndex(cat_.CurrentTab());
  if (!refillGrid) return;
  ClearGrid();
  C.Memo1.Clear();
  ShowTab(cat_.CurrentTab());
}

void TForm1::AddTab(std::string name) {
  cat_.AddTab(std::move(name));
  ShowTabsAgain(false);
}

void TForm1::RenameTab(int index, std::string name) {
  if (cat_.RenameTab(index, std::move(name))) ShowTabsAgain(false);
}

void TForm1::DeleteTab(int index) {
  if (cat_.DeleteTab(index)) ShowTabsAgain(true);
}

void TForm1::MoveTab(int from, int to) {
  // The grid is refilled when the dialog closes.
  if (cat_.MoveTab(from, to)) ShowTabsAgain(false);
}

void TForm1::TabSettingsClosed() {
  ShowTabsAgain(true);
}

}  // namespace zorbi
