#include "forms/edit_modes.h"

#include <string>

#include "forms/grid_columns.h"

namespace zorbi {

namespace {

constexpr std::string_view CloseUnstoredSummary = "編集中の概要を保存しないで閉じますか？";
constexpr std::string_view CloseUnstoredMemo = "編集中のメモを保存しないで閉じますか？";

// Each line quoted as it is, inner quotes not doubled.
std::string MemoText(const std::vector<std::string>& lines) {
  if (lines.empty()) return "\"\"";
  std::string memo;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) memo += ',';
    memo += '"' + lines[i] + '"';
  }
  return memo;
}

}  // namespace

void EditModes::Enter(FormMode mode) {
  mode_ = mode;
  label_.SetCaption(std::string(mode == FormMode::Move ? MoveModeCaption : EditModeCaption));
  label_.SetVisible(true);
  switch (mode) {
    case FormMode::ItemEdit:
      grid_.SetRowSelect(false);
      grid_.SetEditing(true);
      grid_.SetSelection(EditCell(cat_.PickedIndex() + 1));
      grid_.ScrollIntoView(cat_.PickedIndex() + 1);
      // The menu leaves the focus where it was; F2 and typing belong to the grid now.
      grid_.SetFocus();
      break;
    case FormMode::Move:
      grid_.SetRowMoving(true);
      break;
    case FormMode::MemoEdit:
      memo_.SetReadOnly(false);
      // Typing belongs to the memo now, not to the grid's number keys.
      memo_.SetFocus();
      break;
    case FormMode::Normal:
      break;
  }
}

void EditModes::Leave() {
  const FormMode left = mode_;
  mode_ = FormMode::Normal;
  label_.SetCaption("");
  label_.SetVisible(false);
  switch (left) {
    case FormMode::ItemEdit:
      grid_.SetRowSelect(true);
      grid_.SetEditing(false);
      // Typed cells would hide later changes of their rows (a missing mark).
      view_.ShowRowsAgain();
      // The edit cell may have moved to another row; the pick did not.
      view_.SelectPickedRow();
      break;
    case FormMode::Move:
      grid_.SetRowMoving(false);
      break;
    case FormMode::MemoEdit:
      memo_.SetReadOnly(true);
      // The keys go back to the grid, where they pick; when the memo lost the
      // focus, it went where the user put it.
      if (!memoLosingFocus_) grid_.SetFocus();
      break;
    case FormMode::Normal:
      break;
  }
}

bool EditModes::End() {
  const std::int32_t tab = cat_.CurrentTab();
  switch (mode_) {
    case FormMode::ItemEdit: {
      // Text the cell cannot hold stays in the editor, and so does the mode.
      if (!grid_.EndCellEdit()) return false;
      // Only the row of the edit cell is stored; a row without an item stores nothing.
      const int r = grid_.Selection().Top;
      cat_.SetItemSummary(tab, r - 1, grid_.Cell(SummaryColumn, r));
      break;
    }
    case FormMode::MemoEdit: {
      if (!memo_.AcceptText()) return false;
      const int r = grid_.Selection().Top;
      // Text typed where no item is shown belongs to nothing: it goes.
      if (!cat_.SetItemMemo(tab, r - 1, MemoText(memo_.Lines()))) memo_.Clear();
      break;
    }
    case FormMode::Move:
    case FormMode::Normal:
      break;
  }
  Leave();
  return true;
}

bool EditModes::EndToClose() {
  if (End()) return true;
  const std::string_view question =
      mode_ == FormMode::ItemEdit ? CloseUnstoredSummary : CloseUnstoredMemo;
  if (!messages_.Ask(std::string(question), MessageKind::Warning)) return false;
  Leave();
  return true;
}

void EditModes::EndEditOrMove() {
  if (mode_ == FormMode::ItemEdit || mode_ == FormMode::Move) End();
}

void EditModes::RowMoved(int fromRow, int toRow) {
  // A row below the last item holds nothing to move.
  cat_.MoveItem(cat_.CurrentTab(), fromRow - 1, toRow - 1);
  // The grid moved its own row already; show the list's order again.
  view_.ClearGrid();
  view_.ShowTab(cat_.CurrentTab());
}

void EditModes::DeleteRow(int row) {
  if (!cat_.DeleteItem(cat_.CurrentTab(), row - 1)) {
    view_.SelectPickedRow();
    return;
  }
  view_.ClearGrid();
  memo_.Clear();
  view_.ShowTab(cat_.CurrentTab());
}

void EditModes::EndMemoEdit() {
  if (mode_ == FormMode::MemoEdit) End();
}

void EditModes::MemoExit() {
  if (mode_ != FormMode::MemoEdit) return;
  memoLosingFocus_ = true;
  End();
  memoLosingFocus_ = false;
}

}  // namespace zorbi
