// The catalogue as the main window shows it: the tab names on the strip, a
// tab's items or the search's results in the grid, the highlighted item's
// memo. Picking a row goes through here, so the highlight, the pick and the
// memo never part.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/catalogue_search.h"
#include "forms/file_marks.h"
#include "platform/controls.h"
#include "platform/file_system.h"
#include "platform/services.h"

namespace zorbi {

inline constexpr std::string_view InvalidItemMessage =
    "選択項目の外部変形は無効です、削除してください。";
inline constexpr int DefaultGridRows = 21;

class ItemView {
 public:
  ItemView(Catalogue& cat, Grid& grid, TabStrip& tabs, Memo& memo, FileSystem& files,
           MessageBoxes& messages, const FileMarks& marks)
      : cat_(cat),
        grid_(grid),
        tabs_(tabs),
        memo_(memo),
        files_(files),
        messages_(messages),
        tabRows_(*this),
        resultRows_(*this),
        marks_(marks) {}

  // The grid lets go of the items: before they change other than by an edit
  // of their texts, or go.
  void ClearGrid();
  // The catalogue's names on the strip.
  void ShowTabNames();
  // The strip's names and current tab again after a tab operation; the
  // current tab's items too when `refill`.
  void ShowTabsAgain(bool refill);
  // Tab `tab`'s items in the grid, its remembered pick picked and in view;
  // a missing file said unless `quiet`.
  void ShowTab(std::int32_t tab, bool quiet = false);
  // The same with the item at `position` picked instead.
  void ShowTabAt(std::int32_t tab, std::int32_t position, bool quiet = false);
  // The tab the strip shows now, after leaving the one before.
  void ShowStripTab();
  // The shown tab's rows drawn from its items again, dropping what was typed
  // into cells: after an edit the items hold what counts.
  void ShowRowsAgain();
  // The current tab and its pick shown again, the catalogue untouched.
  void ShowTabAsItWas();

  // Picks the item on `row` of the shown tab as a click does: its memo shown,
  // and a warning when its file is missing unless `quiet`. False (the
  // highlight stays on the pick) when the row holds no item of the tab.
  bool PickRow(int row, bool quiet = false);
  // The last pick's file was not there (or it had no path).
  bool PickMissing() const { return pickMissing_; }
  // For a gesture that picks and confirms at once: the pick's file looked at
  // again, and the warning shown when it went missing since it was picked.
  void RecheckPick();
  // How many rows were picked so far: a key that saw this change picked.
  std::uint64_t Picks() const { return picks_; }
  // The pick's row highlighted (row 1 when nothing is picked).
  void SelectPickedRow();
  // The pick's row as the tenth visible row, as a tab shows it first.
  void ScrollToPick();
  void ScrollToRow(int row);
  // The memo of `item`, or a blank memo.
  void ShowMemo(const TMenuItem* item);

  // The search's results in the grid, the first highlighted.
  void ShowResults(std::vector<SearchHit> hits);
  int ResultCount() const { return static_cast<int>(hits_.size()); }
  void HighlightResult(int row);
  // The highlighted result's item, if any, while results show.
  const SearchHit* HighlightedHit() const;
  const TMenuItem* ResultItem(int row) const;
  // The results go; the grid shows nothing until a tab is shown.
  void DropResults();

 private:
  // The rows of the current tab shown as they are; its remembered place returned.
  std::int32_t FillGrid(std::int32_t tab);
  // The grid's row count for `items` rows.
  static int RowCountFor(int items);
  // The shown tab's rows as the grid asks for them: their texts are made
  // from the items only for the rows the grid shows or reads.
  class TabRows final : public GridRowSource {
   public:
    explicit TabRows(const ItemView& view) : view_(view) {}
    void Show(const TMList* list) { list_ = list; }
    bool Shows() const { return list_ != nullptr; }
    int Count() const override;
    std::string Cell(int col, int row) const override;
    const TMenuItem* Item(int row) const override;
    std::string WidestNumber() const override;
    bool Dimmed(int row) const override;

   private:
    const ItemView& view_;
    const TMList* list_ = nullptr;
  };
  // The results: the tab's name in the number column.
  class ResultRows final : public GridRowSource {
   public:
    explicit ResultRows(const ItemView& view) : view_(view) {}
    int Count() const override { return view_.ResultCount(); }
    std::string Cell(int col, int row) const override;
    const TMenuItem* Item(int row) const override { return view_.ResultItem(row); }
    std::string WidestNumber() const override;
    bool Dimmed(int row) const override;

   private:
    const ItemView& view_;
  };
  bool Missing(const TMenuItem* item) const;
  const SearchHit* Hit(int row) const;

  Catalogue& cat_;
  Grid& grid_;
  TabStrip& tabs_;
  Memo& memo_;
  FileSystem& files_;
  MessageBoxes& messages_;
  TabRows tabRows_;
  ResultRows resultRows_;
  const FileMarks& marks_;
  std::vector<SearchHit> hits_;
  bool pickMissing_ = false;
  std::uint64_t picks_ = 0;
};

}  // namespace zorbi
