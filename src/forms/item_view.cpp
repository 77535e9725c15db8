#include "forms/item_view.h"

#include <algorithm>
#include <utility>

#include "forms/grid_columns.h"
#include "text/text_split.h"

namespace zorbi {

namespace {

// A missing file's mark takes the place of the two spaces.
std::string NumberText(int row, bool missing) {
  return (missing ? std::string(MissingFileMark) : std::string("  ")) + std::to_string(row);
}

}  // namespace

std::string ItemCellText(const TMenuItem& item, int col) {
  switch (col) {
    case FileNameColumn:
      return "  " + FileNamePart(item.BatPath);
    case SummaryColumn:
      return item.Summary;
    default:
      return {};
  }
}

void ShowGridHeaders(Grid& grid, bool results) {
  for (int col = 0; col < GridColumnCount; ++col) {
    const GridColumn& c = GridColumns[static_cast<std::size_t>(col)];
    grid.SetCell(col, 0, std::string(results ? c.ResultHeader : c.Header));
  }
}

bool ItemView::Missing(const TMenuItem* item) const {
  // Nothing is looked up for the path while no file is missing.
  return item && marks_.AnyMissing() && marks_.IsMissing(item->BatPath);
}

int ItemView::TabRows::Count() const {
  return list_ ? list_->Count() : 0;
}

const TMenuItem* ItemView::TabRows::Item(int row) const {
  return list_ ? list_->ItemAt(row - 1) : nullptr;
}

std::string ItemView::TabRows::Cell(int col, int row) const {
  const TMenuItem* item = Item(row);
  if (!item) return {};
  return col == NumberColumn ? NumberText(row, view_.Missing(item)) : ItemCellText(*item, col);
}

std::string ItemView::TabRows::WidestNumber() const {
  // The longest tab's: the column keeps its width from tab to tab.
  std::int32_t most = Count();
  for (std::int32_t t = 0; t < view_.cat_.TabListCount(); ++t)
    if (const TMList* tab = view_.cat_.Tab(t)) most = std::max(most, tab->Count());
  return NumberText(most, view_.marks_.AnyMissing());
}

bool ItemView::TabRows::Dimmed(int row) const {
  return view_.Missing(Item(row));
}

const SearchHit* ItemView::Hit(int row) const {
  return row >= 1 && row <= ResultCount() ? &hits_[static_cast<std::size_t>(row - 1)] : nullptr;
}

const TMenuItem* ItemView::ResultItem(int row) const {
  const SearchHit* hit = Hit(row);
  return hit ? cat_.Item(hit->Tab, hit->Position) : nullptr;
}

std::string ItemView::ResultRows::Cell(int col, int row) const {
  const TMenuItem* item = Item(row);
  if (!item) return {};
  if (col == NumberColumn)
    return "  " + view_.cat_.TabNames()[static_cast<std::size_t>(view_.Hit(row)->Tab)];
  return ItemCellText(*item, col);
}

std::string ItemView::ResultRows::WidestNumber() const {
  std::string widest(GridColumns[NumberColumn].ResultHeader);
  for (const std::string& name : view_.cat_.TabNames())
    if (name.size() + 2 > widest.size()) widest = "  " + name;
  return widest;
}

bool ItemView::ResultRows::Dimmed(int row) const {
  return view_.Missing(Item(row));
}

int ItemView::RowCountFor(int items) {
  return items <= DefaultGridRows - 1 ? DefaultGridRows : items + 1;
}

void ItemView::ClearGrid() {
  grid_.SetRowSource(nullptr);
  tabRows_.Show(nullptr);
}

void ItemView::ShowTabNames() {
  tabs_.SetTabs(cat_.TabNames());
}

void ItemView::ShowTabsAgain(bool refill) {
  ShowTabNames();
  tabs_.SetTabIndex(cat_.CurrentTab());
  if (!refill) return;
  ClearGrid();
  memo_.Clear();
  ShowTab(cat_.CurrentTab());
}

std::int32_t ItemView::FillGrid(std::int32_t tab) {
  const TMList* list = cat_.Tab(tab);
  if (!list) return 0;
  tabRows_.Show(list);
  grid_.SetRowSource(&tabRows_);
  return cat_.RememberedPick(tab);
}

void ItemView::ShowTab(std::int32_t tab, bool quiet) {
  ShowTabAt(tab, -1, quiet);
}

void ItemView::ShowTabAt(std::int32_t tab, std::int32_t position, bool quiet) {
  ShowGridHeaders(grid_, false);
  const TMList* list = cat_.Tab(tab);
  const std::int32_t n = list ? list->Count() : 0;
  if (n == 0) {
    grid_.SetSelection(RowCells(1));
    return;
  }
  grid_.SetRowCount(RowCountFor(n));
  const std::int32_t remembered = FillGrid(tab);
  const std::int32_t p = position >= 0 ? position : remembered;
  grid_.SetSelection(RowCells(p + 1));
  // In place before the warning about its file.
  ScrollToRow(p + 1);
  PickRow(p + 1, quiet);
  ScrollToPick();
}

void ItemView::ShowStripTab() {
  ClearGrid();
  memo_.Clear();
  cat_.SwitchTab(tabs_.TabIndex());
  ShowTab(cat_.CurrentTab());
}

void ItemView::ShowRowsAgain() {
  if (tabRows_.Shows()) grid_.SetRowSource(&tabRows_);
}

void ItemView::ShowTabAsItWas() {
  ShowGridHeaders(grid_, false);
  const TMList* list = cat_.Tab(cat_.CurrentTab());
  grid_.SetRowCount(RowCountFor(list ? list->Count() : 0));
  if (list) {
    tabRows_.Show(list);
    grid_.SetRowSource(&tabRows_);
  }
  SelectPickedRow();
  ShowMemo(cat_.PickedItem());
  ScrollToPick();
}

bool ItemView::PickRow(int row, bool quiet) {
  const TMenuItem* item = row >= 1 && row < grid_.RowCount() ? grid_.Item(row) : nullptr;
  const bool picks = item && item == cat_.Item(cat_.CurrentTab(), row - 1);
  if (picks) {
    ShowMemo(item);
    cat_.PickItem(row - 1);
    ++picks_;
  }
  const std::string path = cat_.PickedBatPath();
  pickMissing_ = path.empty() || !files_.Exists(path);
  if (quiet || !pickMissing_) return picks;
  // The warning is about the row the user sees highlighted: a click moves
  // the highlight only after this, a key may pick a row out of view.
  if (picks) {
    grid_.SetSelection(RowCells(row));
    grid_.ScrollIntoView(row);
  }
  messages_.ShowMessage(std::string(InvalidItemMessage), MessageKind::Plain);
  return picks;
}

void ItemView::RecheckPick() {
  if (pickMissing_) return;  // said when it was picked
  const std::string path = cat_.PickedBatPath();
  if (!path.empty() && files_.Exists(path)) return;
  pickMissing_ = true;
  messages_.ShowMessage(std::string(InvalidItemMessage), MessageKind::Plain);
}

void ItemView::SelectPickedRow() {
  grid_.SetSelection(RowCells(cat_.PickedItem() ? cat_.PickedIndex() + 1 : 1));
}

void ItemView::ScrollToPick() {
  ScrollToRow(cat_.PickedIndex() + 1);
}

void ItemView::ScrollToRow(int row) {
  grid_.SetTopRow(row <= 10 ? 1 : row - 9);
}

void ItemView::ShowMemo(const TMenuItem* item) {
  if (item)
    memo_.SetLines(SplitDelimited(item->Memo, ','));
  else
    memo_.Clear();
}

void ItemView::ShowResults(std::vector<SearchHit> hits) {
  ClearGrid();
  ShowGridHeaders(grid_, true);
  hits_ = std::move(hits);
  grid_.SetRowCount(RowCountFor(ResultCount()));
  grid_.SetRowSource(&resultRows_);
  grid_.SetTopRow(1);
  HighlightResult(1);
}

void ItemView::HighlightResult(int row) {
  grid_.SetSelection(RowCells(row));
  grid_.ScrollIntoView(row);
  ShowMemo(ResultItem(row));
}

const SearchHit* ItemView::HighlightedHit() const {
  return Hit(grid_.Selection().Top);
}

void ItemView::DropResults() {
  ClearGrid();
  hits_.clear();
  grid_.SetCell(NumberColumn, 0, "");
}

}  // namespace zorbi
