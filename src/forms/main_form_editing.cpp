// Item editing in the main window: summaries in place, moving and deleting
// items, and the memo of an item. The modes begin and end only here.
#include <string>

#include "forms/main_form.h"

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

void TForm1::EnterMode(FormMode mode) {
  Grid& g = C.StringGrid1;
  mode_ = mode;
  C.Label2.SetCaption(std::string(mode == FormMode::Move ? MoveModeCaption : EditModeCaption));
  C.Label2.SetVisible(true);
  switch (mode) {
    case FormMode::ItemEdit: {
      g.SetRowSelect(false);
      g.SetEditing(true);
      const int row = cat_.PickedIndex() + 1;
      g.SetSelection({2, row, 2, row});
      // The menu leaves the focus where it was; F2 and typing belong to the grid now.
      g.SetFocus();
      break;
    }
    case FormMode::Move:
      g.SetRowMoving(true);
      break;
    case FormMode::MemoEdit:
      C.Memo1.SetReadOnly(false);
      // Typing belongs to the memo now, not to the grid's number keys.
      C.Memo1.SetFocus();
      break;
    case FormMode::Normal:
      break;
  }
}

void TForm1::LeaveMode() {
  const FormMode left = mode_;
  mode_ = FormMode::Normal;
  C.Label2.SetCaption("");
  C.Label2.SetVisible(false);
  Grid& g = C.StringGrid1;
  switch (left) {
    case FormMode::ItemEdit:
      g.SetRowSelect(true);
      g.SetEditing(false);
      // The edit cell may have moved to another row; the pick did not.
      SelectPickedRow();
      break;
    case FormMode::Move:
      g.SetRowMoving(false);
      break;
    case FormMode::MemoEdit:
      C.Memo1.SetReadOnly(true);
      // The keys go back to the grid, where they pick; when the memo lost the
      // focus, it went where the user put it.
      if (!memoLosingFocus_) g.SetFocus();
      break;
    case FormMode::Normal:
      break;
  }
}

bool TForm1::EndMode() {
  Grid& g = C.StringGrid1;
  const int tab = C.TabControl1.TabIndex();
  switch (mode_) {
    case FormMode::ItemEdit: {
      // Text the cell cannot hold stays in the editor, and so does the mode.
      if (!g.EndCellEdit()) return false;
      // Only the row of the edit cell is stored; a row without an item stores nothing.
      const int r = g.Selection().Top;
      cat_.SetItemSummary(tab, r - 1, g.Cell(2, r));
      break;
    }
    case FormMode::MemoEdit: {
      if (!C.Memo1.AcceptText()) return false;
      const int r = g.Selection().Top;
      // Text typed where no item is shown belongs to nothing: it goes.
      if (!cat_.SetItemMemo(tab, r - 1, MemoText(C.Memo1.Lines()))) C.Memo1.Clear();
      break;
    }
    case FormMode::Move:
    case FormMode::Normal:
      break;
  }
  LeaveMode();
  return true;
}

bool TForm1::EndModeToClose() {
  if (EndMode()) return true;
  const std::string_view question = EditMode() ? CloseUnstoredSummary : CloseUnstoredMemo;
  if (!messages_.Ask(std::string(question), MessageKind::Warning)) return false;
  LeaveMode();
  return true;
}

// Results are only shown: nothing on them is edited, moved or deleted.
void TForm1::Edit1Click() {
  if (Searching() || EditMode() || !EndMode()) return;
  EnterMode(FormMode::ItemEdit);
}

void TForm1::K4Click() {
  if (EditMode() || MoveMode()) EndMode();
}

void TForm1::K8Click() {
  if (Searching()) return;
  if (EditMode()) {
    messages_.ShowMessage(std::string(FinishEditingMessage), MessageKind::Plain);
    return;
  }
  if (MoveMode() || !EndMode()) return;
  EnterMode(FormMode::Move);
}

void TForm1::StringGrid1RowMoved(int fromRow, int toRow) {
  if (Searching()) return;
  // A row below the last item holds nothing to move.
  cat_.MoveItem(cat_.CurrentTab(), fromRow - 1, toRow - 1);
  // The grid moved its own row already; show the list's order again.
  ClearGrid();
  ShowTab(cat_.CurrentTab());
}

void TForm1::StringGrid1Exit() {
  // A key released after the focus comes back was pressed elsewhere.
  confirmingKeys_.clear();
  if (EditMode() || MoveMode()) K4Click();
}

void TForm1::m1Click() {
  // The row the user sees selected, also when it is an edit cell's.
  const int i = C.StringGrid1.Selection().Top - 1;
  if (Searching() || !EndMode()) return;
  if (!cat_.DeleteItem(cat_.CurrentTab(), i)) {
    SelectPickedRow();
    return;
  }
  ClearGrid();
  C.Memo1.Clear();
  ShowTab(cat_.CurrentTab());
}

void TForm1::n1Click() {
  if (Searching() || MemoEditMode() || !EndMode()) return;
  EnterMode(FormMode::MemoEdit);
}

void TForm1::Exit2Click() {
  if (MemoEditMode()) EndMode();
}

void TForm1::Memo1Exit() {
  if (!MemoEditMode()) return;
  memoLosingFocus_ = true;
  EndMode();
  memoLosingFocus_ = false;
}

}  // namespace zorbi
