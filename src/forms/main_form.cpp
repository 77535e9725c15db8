#include "forms/main_form.h"

#include "forms/about_form.h"
#include "forms/backup_list_form.h"
#include "forms/editor_settings_form.h"

namespace zorbi {

TForm1::TForm1(const FormControls& controls, const FormServices& services)
    : C(controls),
      messages_(services.Messages),
      usage_(services.Files, services.Sys),
      backups_(services.Files, services.Sys, services.Progress),
      marks_(cat_, controls.StringGrid1, services.Files, services.Messages, services.Dialogs,
             services.Progress, usage_),
      view_(cat_, controls.StringGrid1, controls.TabControl1, controls.Memo1, services.Files,
            services.Messages, marks_),
      search_(cat_, view_, controls.StringGrid1, controls.TabControl1, usage_),
      history_(cat_, view_, marks_, controls.TabControl1, controls.Memo1, controls.Undo1,
               controls.Redo1),
      modes_(cat_, view_, controls.StringGrid1, controls.Memo1, controls.Label2, services.Messages),
      reg_(cat_, view_, marks_, controls.StringGrid1, services.Files, services.Messages,
           services.Dialogs, services.Progress),
      recovery_(cat_, view_, marks_, controls.TabControl1, controls.Memo1, services.Files,
                services.Messages, services.Progress),
      settings_({controls.StringGrid1, controls.Memo1, controls.TabControl1, controls.K10,
                 controls.K6, controls.K7, controls.K15, controls.JWWIN1},
                services.Window, services.Files, services.Messages, services.Fonts),
      editor_(controls.StringGrid1, services.Files, services.Messages, services.Procs,
              settings_.Values.Editor, settings_.Values.AWKPath),
      catFiles_(cat_, services.Files, services.Messages, &backups_),
      handoff_(services.Files, services.Messages),
      link_(services.Host, services.Messages),
      start_(cat_, view_, settings_, catFiles_, handoff_, link_, controls, services),
      close_({cat_, view_, search_, modes_, marks_, settings_, catFiles_, handoff_, usage_, start_},
             *this, services.Sys, services.Window),
      keys_(cat_, view_, search_, controls.StringGrid1, controls.TabControl1, services.Messages,
            *this, settings_.Values.KeyRan, [this](bool pickedNow) { close_.Confirm(pickedNow); }) {
}

void TForm1::UsePreload(StartupPreload* preload) {
  catFiles_.UsePreload(preload);
  handoff_.UsePreload(preload);
}

// The rule of what may run now.

FormState TForm1::State(bool pickedNow) const {
  return {.Mode = Mode(),
          .Searching = Searching(),
          .ResultHighlighted = Searching() && view_.HighlightedHit() != nullptr,
          .ConfirmDisabled = handoff_.Unstable(),
          .Closing = close_.Closed() || close_.Closing(),
          .PickedNowMissing = pickedNow && view_.PickMissing()};
}

bool TForm1::Allowed(Command command, bool pickedNow) {
  if (pickedNow) view_.RecheckPick();
  const Verdict verdict = MayRun(command, State(pickedNow));
  if (!verdict.Runs) {
    if (!verdict.Message.empty())
      messages_.ShowMessage(std::string(verdict.Message), MessageKind::Plain);
    return false;
  }
  if (verdict.EndModeFirst && !modes_.End()) return false;
  if (verdict.LeaveSearchFirst) search_.Leave();
  if (verdict.PickResultFirst) {
    if (!search_.ShowResultOnTab()) return false;
    // The result is the pick now, and this gesture picked it.
    return command == Command::ShowResultOnTab || Allowed(command, true);
  }
  return true;
}

// The grid, the tab strip and the keys.

void TForm1::StringGrid1SelectCell(int col, int row, bool& canSelect) {
  // A result is only highlighted; it is picked when chosen.
  if (Searching()) {
    const TMenuItem* item = view_.ResultItem(row);
    if (item) view_.ShowMemo(item);
    canSelect = item != nullptr;
    return;
  }
  // In item edit mode a click moves the edit cell, to the summary column only.
  if (EditMode() || tabSwitching_) {
    if (!EditableColumn(col)) canSelect = false;
    return;
  }
  canSelect = Allowed(Command::PickRow) && view_.PickRow(row);
}

void TForm1::StringGrid1DblClick(int row) {
  // The click before picked the row: one gesture picks and confirms.
  if (Searching()) {
    if (!view_.ResultItem(row)) return;
    view_.HighlightResult(row);
    close_.Confirm(true);
    return;
  }
  const TMenuItem* item =
      row >= 1 && row < C.StringGrid1.RowCount() ? C.StringGrid1.Item(row) : nullptr;
  if (item && item == cat_.PickedItem()) close_.Confirm(true);
}

void TForm1::TabControl1Changing(bool& allowChange) {
  // The tab strip takes no focus: the mode ends here, or the tab stays.
  allowChange = Allowed(Command::SwitchTab);
  if (!allowChange) return;
  // The strip shows no tab while results show: the one left is CurrentTab.
  search_.Stop();
  tabSwitching_ = true;
  cat_.LeaveCurrentTab();
}

void TForm1::TabControl1Change() {
  view_.ShowStripTab();
  tabSwitching_ = false;
}

void TForm1::K3Click() {
  if (!Allowed(Command::CatalogueWide)) return;
  // Every change made in the dialog is one step.
  const auto step = history_.Step();
  if (TForm2* form2 = Form2()) form2->ShowModal();
}

// Registration, editing, search and recovery.

// A command's changes, and the pick it leaves, are undone as one step.

void TForm1::m2Click() {
  if (!Allowed(Command::Register)) return;
  const auto step = history_.Step();
  reg_.AddChosenFiles();
}

void TForm1::FolderRegister1Click() {
  if (!Allowed(Command::Register)) return;
  const auto step = history_.Step();
  reg_.AddFolder();
}

void TForm1::StringGrid1DropFiles(const std::vector<ChosenFile>& files) {
  if (!reg_.SortDropped(files) || !Allowed(Command::DropFiles)) return;
  const auto step = history_.Step();
  reg_.AddDropped();
}

void TForm1::Edit1Click() {
  if (Allowed(Command::StartItemEdit)) modes_.Enter(FormMode::ItemEdit);
}

void TForm1::K8Click() {
  if (Allowed(Command::StartMove)) modes_.Enter(FormMode::Move);
}

void TForm1::n1Click() {
  if (Allowed(Command::StartMemoEdit)) modes_.Enter(FormMode::MemoEdit);
}

void TForm1::m1Click() {
  // The row the user sees selected, also when it is an edit cell's.
  const int row = C.StringGrid1.Selection().Top;
  if (!Allowed(Command::DeleteItem)) return;
  const auto step = history_.Step();
  modes_.DeleteRow(row);
}

void TForm1::StringGrid1RowMoved(int fromRow, int toRow) {
  if (!MoveMode()) return;
  const auto step = history_.Step();
  modes_.RowMoved(fromRow, toRow);
}

void TForm1::Undo1Click() {
  if (Allowed(Command::UndoRedo)) history_.Undo();
}

void TForm1::Redo1Click() {
  if (Allowed(Command::UndoRedo)) history_.Redo();
}

void TForm1::StringGrid1Exit() {
  // A key released after the focus comes back was pressed elsewhere.
  keys_.Forget();
  modes_.EndEditOrMove();
}

void TForm1::SearchBox1Change() {
  if (!search_.HoldsSearch()) {
    search_.Leave();
    return;
  }
  if (!Searching()) {
    // Text that the summary or memo cell cannot store keeps its mode, and no
    // search starts over it.
    if (!Allowed(Command::Search)) {
      search_.ClearBox();
      return;
    }
    keys_.Forget();
  }
  search_.Update();
}

void TForm1::SearchBox1Request() {
  if (Searching() || search_.HoldsSearch() || !Allowed(Command::Search)) return;
  keys_.Forget();
  search_.ShowFavourites();
}

bool TForm1::SearchBox1KeyDown(int key, ShiftState shift) {
  switch (search_.Key(key, shift)) {
    case SearchKey::NotTaken:
      return false;
    case SearchKey::Confirm:
      close_.Confirm(false);
      break;
    case SearchKey::ShowOnTab:
      keys_.ShowResultOnTab();
      break;
    case SearchKey::Taken:
      break;
  }
  return true;
}

void TForm1::RestoreFromDataFile() {
  if (!Allowed(Command::CatalogueWide)) return;
  const auto step = history_.Step();
  if (std::optional<std::string> bytes = recovery_.FromDataFile())
    catFiles_.Restored(std::move(*bytes));
}

void TForm1::RestoreFromBackup() {
  if (!Allowed(Command::CatalogueWide)) return;
  const auto step = history_.Step();
  // Z_Orbi.DAT stays as it is: the close compares it with what was read.
  if (const std::optional<std::string> path =
          backups_.Choose(start_.AppDir(), Dialogs ? Dialogs->BackupListForm() : nullptr))
    recovery_.FromBackup(*path);
}

void TForm1::PATHTXT1Click() {
  if (!Allowed(Command::CatalogueWide)) return;
  const auto step = history_.Step();
  recovery_.FromPathTxt(start_.AppDir());
}

void TForm1::Relink1Click() {
  if (!Allowed(Command::Relink)) return;
  const auto step = history_.Step();
  // The results' texts were read before the paths changed.
  if (marks_.Relink(Dialogs ? Dialogs->RelinkForm() : nullptr)) search_.Leave();
}

void TForm1::K11Click() {
  if (TForm4* form4 = Form4()) form4->ShowModal();
}

void TForm1::About1Click() {
  if (TForm3* form3 = Form3()) form3->ShowModal();
}

}  // namespace zorbi
