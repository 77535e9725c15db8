// Find as you type: the search box, the result list in the grid, and a
// result chosen, or shown on its own tab.
#include <string>

#include "forms/main_form.h"
#include "text/search_fold.h"
#include "text/text_split.h"

namespace zorbi {

namespace {

constexpr std::string_view TabHeader = "タブ";
constexpr int VK_UP_KEY = 0x26;
constexpr int VK_DOWN_KEY = 0x28;

int RowCountFor(int items) {
  return items <= DefaultGridRows - 1 ? DefaultGridRows : items + 1;
}

}  // namespace

void TForm1::SearchRows::Show(const Catalogue* c, std::vector<SearchHit> hits) {
  cat_ = c;
  hits_ = std::move(hits);
}

const SearchHit* TForm1::SearchRows::Hit(int row) const {
  return row >= 1 && row <= Count() ? &hits_[static_cast<std::size_t>(row - 1)] : nullptr;
}

const TMenuItem* TForm1::SearchRows::Item(int row) const {
  const SearchHit* hit = Hit(row);
  return hit && cat_ ? cat_->Item(hit->Tab, hit->Position) : nullptr;
}

std::string TForm1::SearchRows::Cell(int col, int row) const {
  const TMenuItem* item = Item(row);
  if (!item) return {};
  if (col == 0) return "  " + cat_->TabNames()[static_cast<std::size_t>(Hit(row)->Tab)];
  return ItemCell(*item, col);
}

std::string TForm1::SearchRows::WidestNumber() const {
  std::string widest(TabHeader);
  if (!cat_) return widest;
  for (const std::string& name : cat_->TabNames())
    if (name.size() + 2 > widest.size()) widest = "  " + name;
  return widest;
}

void TForm1::SearchBox1Change() {
  if (!SearchBox1) return;
  const TypedText typed = SearchBox1->Text();
  // Spaces alone are no search; a character Shift-JIS lacks is in no item.
  if (!typed.Refused && SearchWords(typed.Text).empty()) {
    if (Searching()) LeaveSearch();
    return;
  }
  if (!Searching() && !StartSearch()) return;
  ShowResults(typed.Refused ? std::vector<SearchHit>{} : search_->Find(typed.Text));
}

bool TForm1::StartSearch() {
  // Text that the summary or memo cell cannot store keeps its mode, and no
  // search starts over it.
  if (!EndMode()) {
    SearchBox1->SetText("");
    return false;
  }
  confirmingKeys_.clear();
  search_ = std::make_unique<CatalogueSearch>(cat_.Data());
  C.TabControl1.SetTabIndex(-1);
  return true;
}

void TForm1::ShowResults(const std::vector<SearchHit>& hits) {
  Grid& g = C.StringGrid1;
  ClearGrid();
  g.SetCell(0, 0, std::string(TabHeader));
  g.SetCell(1, 0, std::string(FileNameHeader));
  g.SetCell(2, 0, std::string(SummaryHeader));
  g.SetRowCount(RowCountFor(static_cast<int>(hits.size())));
  searchRows_.Show(&cat_, hits);
  g.SetRowSource(&searchRows_);
  g.SetTopRow(1);
  HighlightResult(1);
}

void TForm1::HighlightResult(int row) {
  C.StringGrid1.SetSelection({1, row, 2, row});
  C.StringGrid1.ScrollIntoView(row);
  if (const TMenuItem* item = searchRows_.Item(row))
    C.Memo1.SetLines(SplitDelimited(item->Memo, ','));
  else
    C.Memo1.Clear();
}

const SearchHit* TForm1::HighlightedHit() const {
  return Searching() ? searchRows_.Hit(C.StringGrid1.Selection().Top) : nullptr;
}

void TForm1::StopSearch() {
  if (!Searching()) return;
  ClearGrid();
  search_.reset();
  searchRows_.Show(nullptr, {});
  if (SearchBox1) SearchBox1->SetText("");
  C.StringGrid1.SetCell(0, 0, "");
}

void TForm1::LeaveSearch() {
  if (!Searching()) return;
  StopSearch();
  C.TabControl1.SetTabIndex(cat_.CurrentTab());
  ShowTabAsItWas();
}

void TForm1::ShowTabAsItWas() {
  Grid& g = C.StringGrid1;
  g.SetCell(1, 0, std::string(FileNameHeader));
  g.SetCell(2, 0, std::string(SummaryHeader));
  const TMList* list = cat_.Tab(cat_.CurrentTab());
  g.SetRowCount(RowCountFor(list ? list->Count() : 0));
  if (list) {
    shownRows_.Show(list);
    g.SetRowSource(&shownRows_);
  }
  SelectPickedRow();
  if (const TMenuItem* item = cat_.PickedItem())
    C.Memo1.SetLines(SplitDelimited(item->Memo, ','));
  else
    C.Memo1.Clear();
  ScrollToPick();
}

bool TForm1::ShowResultOnTab() {
  const SearchHit* highlighted = HighlightedHit();
  if (!highlighted) return false;
  const SearchHit hit = *highlighted;
  StopSearch();
  // As a tab switch does: the tab left keeps its pick as the remembered one.
  cat_.SwitchTab(hit.Tab);
  C.TabControl1.SetTabIndex(hit.Tab);
  C.Memo1.Clear();
  Grid& g = C.StringGrid1;
  g.SetCell(1, 0, std::string(FileNameHeader));
  g.SetCell(2, 0, std::string(SummaryHeader));
  g.SetRowCount(RowCountFor(cat_.Tab(hit.Tab)->Count()));
  // The tab's remembered pick gives way to the result.
  FillGrid(hit.Tab);
  const int row = hit.Position + 1;
  g.SetSelection({1, row, 2, row});
  bool canSelect = true;
  StringGrid1SelectCell(0, row, canSelect);
  ScrollToPick();
  return true;
}

void TForm1::TabView1Click() {
  if (ShowResultOnTab()) C.StringGrid1.SetFocus();
}

bool TForm1::SearchBox1KeyDown(int key, ShiftState shift) {
  if (key == VK_ESCAPE_KEY) {
    const bool held = SearchBox1 && !SearchBox1->Text().Text.empty();
    if (Searching())
      LeaveSearch();
    else if (held)
      SearchBox1->SetText("");
    return held;
  }
  if (!Searching() || shift.Alt) return false;
  const int row = C.StringGrid1.Selection().Top;
  switch (key) {
    case VK_UP_KEY:
      if (row > 1) HighlightResult(row - 1);
      return true;
    case VK_DOWN_KEY:
      if (row < searchRows_.Count()) HighlightResult(row + 1);
      return true;
    case VK_RETURN_KEY:
      if (shift.CtrlAlone())
        TabView1Click();
      else if (!shift.Ctrl && ShowResultOnTab())
        Button2Click();
      return true;
    default:
      return false;
  }
}

}  // namespace zorbi
