// Find as you type. While the search box holds a word, the grid lists the
// matching items of every tab and no tab is selected; the catalogue, its
// pick included, stays as it was until a result is chosen.
#pragma once

#include <memory>

#include "catalogue/catalogue.h"
#include "catalogue/catalogue_search.h"
#include "forms/item_view.h"
#include "forms/usage_history.h"
#include "platform/controls.h"

namespace zorbi {

// What a key in the search box asks of the main window.
enum class SearchKey { NotTaken, Taken, Confirm, ShowOnTab };

class ItemSearch {
 public:
  ItemSearch(Catalogue& cat, ItemView& view, Grid& grid, TabStrip& tabs, UsageHistory& usage)
      : cat_(cat), view_(view), grid_(grid), tabs_(tabs), usage_(usage) {}

  void UseBox(EditBox& box) { box_ = &box; }
  EditBox* Box() const { return box_; }
  bool Active() const { return search_ != nullptr; }
  // The box's text as typed: true when it holds a search (spaces alone do
  // not; a character Shift-JIS lacks is in no item).
  bool HoldsSearch() const;
  // The results for the box's text, the search begun if need be; an empty
  // text ends it.
  void Update();
  // With nothing typed: the items the user runs most, as results, or an empty
  // list that says how it fills.
  void ShowFavourites();
  // The box's text is dropped, as when a mode could not end.
  void ClearBox();
  // A key in the box: Up and Down move the highlight; Enter, Ctrl+Enter and
  // Escape are for the window to run.
  SearchKey Key(int key, ShiftState shift);
  // Ends the search leaving the grid to the caller.
  void Stop();
  // Ends the search showing the tab as it was.
  void Leave();
  // Ends the search and picks the highlighted result on its tab; false when
  // there was none.
  bool ShowResultOnTab();

 private:
  Catalogue& cat_;
  ItemView& view_;
  Grid& grid_;
  TabStrip& tabs_;
  UsageHistory& usage_;
  EditBox* box_ = nullptr;
  std::unique_ptr<CatalogueSearch> search_;
  void Begin();
};

}  // namespace zorbi
