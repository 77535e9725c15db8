// Item editing in the main window: summaries in place, moving and deleting
// items, and the memo of an item.
#include <algorithm>
#include <string>

#include "forms/main_form.h"

namespace zorbi {

void TForm1::ShowModeLabel(std::string_view caption) {
  C.Label2.SetCaption(std::string(caption));
  C.Label2.SetVisible(true);
}

void TForm1::HideModeLabel() {
  C.Label2.SetCaption("");
  C.Label2.SetVisible(false);
}

void TForm1::Edit1Click() {
  if (EditMode) return;
  ShowModeLabel(EditModeCaption);
  EditMode = true;
  Grid& g = C.StringGrid1;
  g.SetRowSelect(false);
  g.SetEditing(true);
  const int row = Cat.PickedIndex + 1;
  g.SetSelection({2, row, 2, row});
  // The menu leaves the focus where it was; F2 and typing belong to the grid now.
  g.SetFocus();
}

void TForm1::K4Click() {
  Grid& g = C.StringGrid1;
  if (EditMode) {
    // Text the cell cannot hold stays in the editor, and so does the mode.
    if (!g.EndCellEdit()) return;
    HideModeLabel();
    const int r = g.Selection().Top;
    // A row without an item stores nothing; the mode still ends.
    if (TMenuItem* item = Cat.Item(C.TabControl1.TabIndex(), r - 1)) item->SetSummary(g.Cell(2, r));
    g.SetRowSelect(true);
    g.SetEditing(false);
    EditMode = false;
    Cat.PickedIndex = g.Row() - 1;
  }
  if (MoveMode) {
    HideModeLabel();
    MoveMode = false;
    g.SetRowMoving(false);
  }
}

void TForm1::K8Click() {
  if (EditMode) {
    messages_.ShowMessage(std::string(FinishEditingMessage), MessageKind::Plain);
    return;
  }
  ShowModeLabel(MoveModeCaption);
  MoveMode = true;
  C.StringGrid1.SetRowMoving(true);
}

void TForm1::StringGrid1RowMoved(int fromRow, int toRow) {
  if (TMList* list = Cat.Tab(Cat.CurrentTab)) {
    auto& items = list->Items;
    const int count = list->Count();
    const int from = fromRow - 1;
    const int to = std::min(toRow, count) - 1;
    // A row below the last item holds nothing to move.
    if (from >= 0 && from < count && to >= 0 && from != to) {
      const auto first = items.begin();
      if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
      else
        std::rotate(first + to, first + from, first + from + 1);
    }
    for (int p = 0; p < count; ++p) items[static_cast<std::size_t>(p)]->SetPosition(p);
  }
  // The grid moved its own row already; show the list's order again.
  ClearGrid();
  ShowTab(Cat.CurrentTab);
}

void TForm1::StringGrid1Exit() {
  if (EditMode || MoveMode) K4Click();
}

void TForm1::m1Click() {
  Grid& g = C.StringGrid1;
  // Typed text goes into its cell first; the refill below replaces the cells.
  if (!g.EndCellEdit()) return;
  const int i = g.Selection().Top - 1;
  Cat.CurrentTab = C.TabControl1.TabIndex();
  TMList* list = Cat.Tab(Cat.CurrentTab);
  if (!list || i < 0 || i >= list->Count()) return;
  list->Items.erase(list->Items.begin() + i);
  for (int p = i; p < list->Count(); ++p) list->Items[static_cast<std::size_t>(p)]->SetPosition(p);
  ClearGrid();
  C.Memo1.Clear();
  ShowTab(Cat.CurrentTab);
}

void TForm1::n1Click() {
  if (MemoEditMode) return;
  ShowModeLabel(EditModeCaption);
  MemoEditMode = true;
  C.Memo1.SetReadOnly(false);
}

void TForm1::Exit2Click() {
  if (!MemoEditMode) return;
  if (!C.Memo1.AcceptText()) return;
  HideModeLabel();
  const int r = C.StringGrid1.Selection().Top;
  // Each line quoted as it is, inner quotes not doubled.
  std::string memo;
  const std::vector<std::string> lines = C.Memo1.Lines();
  if (lines.empty()) memo = "\"\"";
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) memo += ',';
    memo += '"' + lines[i] + '"';
  }
  if (TMenuItem* item = Cat.Item(C.TabControl1.TabIndex(), r - 1)) item->SetMemo(std::move(memo));
  C.Memo1.SetReadOnly(true);
  MemoEditMode = false;
}

void TForm1::Memo1Exit() {
  if (MemoEditMode) Exit2Click();
}

}  // namespace zorbi
