#include "forms/command_rule.h"

namespace zorbi {

namespace {

enum Before : unsigned { Nothing = 0, EndMode = 1, LeaveSearch = 2, PickResult = 4, NoChain = 8 };

Verdict Runs(unsigned before = Nothing) {
  Verdict v;
  v.Runs = true;
  v.EndModeFirst = (before & EndMode) != 0;
  v.LeaveSearchFirst = (before & LeaveSearch) != 0;
  v.PickResultFirst = (before & PickResult) != 0;
  v.ChainNothing = (before & NoChain) != 0;
  return v;
}

Verdict Refused(std::string_view message = {}) {
  Verdict v;
  v.Message = message;
  return v;
}

unsigned If(bool on, Before before) {
  return on ? before : Nothing;
}

// Confirming hands the pick to the host: only a pick the user sees, and
// never one whose file the same gesture has just found missing.
Verdict MayConfirm(const FormState& s, bool closeBox) {
  if (s.Searching) {
    if (s.ResultHighlighted) return Runs(PickResult);
    // Nothing shown is picked: OK has nothing to run, the close box closes
    // handing nothing over.
    if (closeBox) return Runs(LeaveSearch | NoChain);
    return Refused(NoResultMessage);
  }
  if (s.PickedNowMissing) return Refused();  // the warning has just been shown
  return Runs();
}

}  // namespace

Verdict MayRun(Command command, const FormState& s) {
  // A close that is asking or writing takes no second request, and nothing
  // else starts inside it.
  if (s.Closing) return Refused();
  const bool editing = s.Mode != FormMode::Normal;
  switch (command) {
    case Command::Confirm:
      // While the host is unstable only キャンセル and the close box remain;
      // a summary being edited blocks OK until it is committed.
      if (s.ConfirmDisabled || s.Mode == FormMode::ItemEdit) return Refused();
      return MayConfirm(s, false);
    case Command::CloseRequest:
      return MayConfirm(s, true);
    case Command::Cancel:
      return Runs();
    case Command::PickRow:
      // In item edit mode a click moves the edit cell; results are only
      // highlighted. A memo being edited is stored first.
      if (s.ConfirmDisabled || s.Searching || s.Mode == FormMode::ItemEdit) return Refused();
      return Runs(If(s.Mode == FormMode::MemoEdit, EndMode));
    case Command::SwitchTab:
      // Every mode ends with a tab switch, or the tab stays.
      if (s.ConfirmDisabled) return Refused();
      return Runs(If(editing, EndMode));
    case Command::StartItemEdit:
    case Command::StartMove:
    case Command::DeleteItem:
    case Command::StartMemoEdit:
    case Command::Register:
      // Results are only shown: nothing on them is edited, moved, deleted or
      // registered to.
      if (s.ConfirmDisabled || s.Searching) return Refused();
      if (command == Command::StartMove && s.Mode == FormMode::ItemEdit)
        return Refused(FinishEditingMessage);
      if ((command == Command::StartItemEdit && s.Mode == FormMode::ItemEdit) ||
          (command == Command::StartMove && s.Mode == FormMode::Move) ||
          (command == Command::StartMemoEdit && s.Mode == FormMode::MemoEdit))
        return Refused();
      return Runs(If(editing, EndMode));
    case Command::DropFiles:
      // Dropped files go on the tab the search was started from, shown again.
      if (s.ConfirmDisabled) return Refused();
      return Runs(If(editing, EndMode) | If(s.Searching, LeaveSearch));
    case Command::CatalogueWide:
    case Command::UndoRedo:
      // A summary or memo being edited is stored first, as its own step.
      return Runs(If(editing, EndMode) | If(s.Searching, LeaveSearch));
    case Command::Relink:
      // It changes paths only: results over unchanged items stay.
      return Runs(If(editing, EndMode));
    case Command::Search:
      if (s.ConfirmDisabled) return Refused();
      return Runs(If(editing, EndMode));
    case Command::ShowResultOnTab:
      if (!s.Searching || !s.ResultHighlighted) return Refused();
      return Runs(PickResult);
  }
  return Refused();
}

}  // namespace zorbi
