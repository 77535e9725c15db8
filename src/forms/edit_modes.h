// Item editing in the main window: summaries edited in place, items moved and
// deleted, the memo of an item. The modes begin and end only here, one at a
// time.
#pragma once

#include "catalogue/catalogue.h"
#include "forms/command_rule.h"
#include "forms/item_view.h"
#include "platform/controls.h"
#include "platform/services.h"

namespace zorbi {

inline constexpr std::string_view EditModeCaption = "編集モード";
inline constexpr std::string_view MoveModeCaption = "移動モード";

class EditModes {
 public:
  EditModes(Catalogue& cat, ItemView& view, Grid& grid, Memo& memo, Label& label,
            MessageBoxes& messages)
      : cat_(cat), view_(view), grid_(grid), memo_(memo), label_(label), messages_(messages) {}

  FormMode Mode() const { return mode_; }
  // Begins `mode` from normal.
  void Enter(FormMode mode);
  // Ends the mode storing what it edits; false, the mode staying, when that
  // is refused (text the cell or memo cannot hold).
  bool End();
  // End on the way out: a refused store asks whether to close without it.
  bool EndToClose();

  // 確定終了 in the grid's menu, and the grid losing the focus.
  void EndEditOrMove();
  // A row dragged in move mode: the catalogue's order shown again.
  void RowMoved(int fromRow, int toRow);
  // "項目削除" on the row the user saw selected before the mode ended.
  void DeleteRow(int row);
  // 確定終了 in the memo's menu.
  void EndMemoEdit();
  // The memo lost the focus: its edit is stored, the focus left where the
  // user put it.
  void MemoExit();

 private:
  // Ends the mode storing nothing.
  void Leave();

  Catalogue& cat_;
  ItemView& view_;
  Grid& grid_;
  Memo& memo_;
  Label& label_;
  MessageBoxes& messages_;
  FormMode mode_ = FormMode::Normal;
  bool memoLosingFocus_ = false;
};

}  // namespace zorbi
