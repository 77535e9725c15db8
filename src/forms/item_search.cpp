#include "forms/item_search.h"

#include "forms/grid_columns.h"
#include "text/search_fold.h"

namespace zorbi {

namespace {

constexpr int VK_RETURN_KEY = 0x0D;
constexpr int VK_ESCAPE_KEY = 0x1B;
constexpr int VK_UP_KEY = 0x26;
constexpr int VK_DOWN_KEY = 0x28;
constexpr std::size_t Favourites = 20;
// Over the file names, and over the summaries: the order, or how the list fills.
constexpr std::string_view FavouritesHeader = "よく使う項目";
constexpr std::string_view FavouritesOrder = "よく使う順 (上位 20)";
constexpr std::string_view NoFavourites = "まだありません。実行すると並びます";

}  // namespace

bool ItemSearch::HoldsSearch() const {
  if (!box_) return false;
  const TypedText typed = box_->Text();
  return typed.Refused || !SearchWords(typed.Text).empty();
}

void ItemSearch::Update() {
  if (!box_) return;
  if (!HoldsSearch()) {
    Leave();
    return;
  }
  Begin();
  const TypedText typed = box_->Text();
  view_.ShowResults(typed.Refused ? std::vector<SearchHit>{} : search_->Find(typed.Text));
}

void ItemSearch::Begin() {
  if (Active()) return;
  // What the user runs most comes first.
  const auto score = usage_.ScoresNow();
  search_ = std::make_unique<CatalogueSearch>(
      cat_.Data(), [&score](const TMenuItem& item) { return score(item.BatPath); });
  tabs_.SetTabIndex(-1);
}

void ItemSearch::ShowFavourites() {
  if (!box_ || !box_->Text().Text.empty()) return;
  Begin();
  std::vector<SearchHit> top = search_->Ranked(Favourites);
  const bool none = top.empty();
  view_.ShowResults(std::move(top));
  grid_.SetCell(FileNameColumn, 0, std::string(FavouritesHeader));
  grid_.SetCell(SummaryColumn, 0, std::string(none ? NoFavourites : FavouritesOrder));
}

void ItemSearch::ClearBox() {
  if (box_) box_->SetText("");
}

SearchKey ItemSearch::Key(int key, ShiftState shift) {
  if (key == VK_ESCAPE_KEY) {
    const bool held = box_ && !box_->Text().Text.empty();
    if (Active())
      Leave();
    else if (held)
      ClearBox();
    return held ? SearchKey::Taken : SearchKey::NotTaken;
  }
  if (!Active() || shift.Alt) return SearchKey::NotTaken;
  const int row = grid_.Selection().Top;
  switch (key) {
    case VK_UP_KEY:
      if (row > 1) view_.HighlightResult(row - 1);
      return SearchKey::Taken;
    case VK_DOWN_KEY:
      if (row < view_.ResultCount()) view_.HighlightResult(row + 1);
      return SearchKey::Taken;
    case VK_RETURN_KEY:
      if (shift.CtrlAlone()) return SearchKey::ShowOnTab;
      return shift.Ctrl ? SearchKey::Taken : SearchKey::Confirm;
    default:
      return SearchKey::NotTaken;
  }
}

void ItemSearch::Stop() {
  if (!Active()) return;
  view_.DropResults();
  search_.reset();
  ClearBox();
}

void ItemSearch::Leave() {
  if (!Active()) return;
  Stop();
  tabs_.SetTabIndex(cat_.CurrentTab());
  view_.ShowTabAsItWas();
}

bool ItemSearch::ShowResultOnTab() {
  const SearchHit* highlighted = Active() ? view_.HighlightedHit() : nullptr;
  if (!highlighted) return false;
  const SearchHit hit = *highlighted;
  Stop();
  // As a tab switch does: the tab left keeps its pick as the remembered one,
  // and the tab's remembered pick gives way to the result.
  cat_.SwitchTab(hit.Tab);
  tabs_.SetTabIndex(hit.Tab);
  view_.ShowMemo(nullptr);
  view_.ShowTabAt(hit.Tab, hit.Position);
  return true;
}

}  // namespace zorbi
