#include "forms/change_history.h"

namespace zorbi {

ChangeHistory::ChangeHistory(Catalogue& cat, ItemView& view, FileMarks& marks, TabStrip& tabs,
                             Memo& memo, MenuCommand& undo, MenuCommand& redo)
    : cat_(cat),
      view_(view),
      marks_(marks),
      tabs_(tabs),
      memo_(memo),
      undo_(undo),
      redo_(redo),
      history_(cat) {
  history_.OnChange = [this] { ShowMenuState(); };
  ShowMenuState();
}

void ChangeHistory::ShowMenuState() {
  undo_.SetEnabled(history_.CanUndo());
  redo_.SetEnabled(history_.CanRedo());
}

void ChangeHistory::Play(bool undo) {
  if (undo ? !history_.CanUndo() : !history_.CanRedo()) return;
  // The grid refers to items that may go.
  view_.ClearGrid();
  memo_.Clear();
  if (undo)
    history_.Undo();
  else
    history_.Redo();
  // Every path but those of a catalogue a restore replaced has been looked at.
  if (history_.LastReplacedAll()) marks_.CheckAll();
  view_.ShowTabNames();
  tabs_.SetTabIndex(cat_.CurrentTab());
  view_.ShowTabAsItWas();
}

}  // namespace zorbi
