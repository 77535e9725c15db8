// 元に戻す and やり直し: the catalogue's changes of this run taken back and
// made again, step by step, the window showing the catalogue, its shown tab
// and its pick as they were.
#pragma once

#include "catalogue/catalogue.h"
#include "catalogue/catalogue_history.h"
#include "forms/file_marks.h"
#include "forms/item_view.h"
#include "platform/controls.h"

namespace zorbi {

class ChangeHistory {
 public:
  ChangeHistory(Catalogue& cat, ItemView& view, FileMarks& marks, TabStrip& tabs, Memo& memo,
                MenuCommand& undo, MenuCommand& redo);

  // The changes a command makes until the returned step ends are undone as one.
  [[nodiscard]] CatalogueHistory::Step Step() { return CatalogueHistory::Step(&history_); }
  void Undo() { Play(true); }
  void Redo() { Play(false); }
  bool CanUndo() const { return history_.CanUndo(); }
  bool CanRedo() const { return history_.CanRedo(); }

 private:
  void Play(bool undo);
  // The menu's items greyed when there is nothing to take back or make again.
  void ShowMenuState();

  Catalogue& cat_;
  ItemView& view_;
  FileMarks& marks_;
  TabStrip& tabs_;
  Memo& memo_;
  MenuCommand& undo_;
  MenuCommand& redo_;
  CatalogueHistory history_;
};

}  // namespace zorbi
