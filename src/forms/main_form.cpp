#include "forms/main_form.h"

#include "forms/about_form.h"
#include "forms/editor_settings_form.h"
#include "text/text_split.h"

namespace zorbi {

TForm1::TForm1(const FormControls& controls, const FormServices& services)
    : C(controls),
      files_(services.Files),
      messages_(services.Messages),
      sys_(services.Sys),
      window_(services.Window),
      marks_(cat_, controls.StringGrid1, services.Files, services.Messages, services.Dialogs,
             services.Progress),
      view_(cat_, controls.StringGrid1, controls.TabControl1, controls.Memo1, services.Files,
            services.Messages, marks_),
      search_(cat_, view_, controls.StringGrid1, controls.TabControl1),
      modes_(cat_, view_, controls.StringGrid1, controls.Memo1, controls.Label2, services.Messages),
      reg_(cat_, view_, marks_, controls.StringGrid1, services.Files, services.Messages,
           services.Dialogs, services.Progress),
      recovery_(cat_, view_, marks_, controls.TabControl1, controls.Memo1, services.Files,
                services.Messages),
      settings_({controls.StringGrid1, controls.Memo1, controls.TabControl1, controls.K10,
                 controls.K6, controls.K7, controls.K15, controls.JWWIN1},
                services.Window, services.Files, services.Messages, services.Fonts),
      editor_(controls.StringGrid1, services.Files, services.Messages, services.Procs,
              settings_.Values.Editor, settings_.Values.AWKPath),
      catFiles_(cat_, services.Files, services.Messages),
      handoff_(services.Files, services.Messages),
      link_(services.Host, services.Messages) {}

void TForm1::UsePreload(StartupPreload* preload) {
  catFiles_.UsePreload(preload);
  handoff_.UsePreload(preload);
}

// Start-up.

bool TForm1::FormCreate() {
  if (!FormCreateUntilExchange()) return false;
  FormCreateFromExchange();
  return true;
}

bool TForm1::FormCreateUntilExchange() {
  const std::string exe = sys_.ExePath();
  link_.OwnExeName = FileNamePart(exe);
  appDir_ = exe.substr(0, exe.size() - link_.OwnExeName.size());
  window_.SetCaption(std::string(VersionCaption));
  if (!InitialLoad()) return false;
  // Before the exchange file, which may still be being read: the settings
  // show and ask nothing, and act only on what the exchange file leaves alone.
  settings_.Read(SettingsPathOf(sys_.ExePath()));
  return true;
}

void TForm1::FormCreateFromExchange() {
  handoff_.Read(appDir_ + std::string(ExchangeFileName));
  if (handoff_.Unstable()) {
    // Only キャンセル, the menus and the close box stay usable.
    C.Button2.SetEnabled(false);
    C.StringGrid1.SetEnabled(false);
    C.Memo1.SetEnabled(false);
    C.TabControl1.SetEnabled(false);
    if (EditBox* box = search_.Box()) box->SetEnabled(false);
  }
  settingsLoaded_ = true;
  if (settings_.Values.JWCheck) link_.FindTargetWindows();
}

bool TForm1::InitialLoad() {
  cat_.Clear();
  cat_.SetBatFolder(appDir_);
  reg_.OpenDialog1.InitialDir = appDir_;
  view_.ClearGrid();
  C.DatRestore1.SetEnabled(false);
  C.PATHTXT1.SetEnabled(false);
  switch (catFiles_.Load(appDir_)) {
    case CatalogueFiles::Start::Refused:
      return false;
    case CatalogueFiles::Start::NoFile:
      cat_.StartEmpty();
      view_.ShowTabNames();
      ShowGridHeaders(C.StringGrid1, false);
      return true;
    case CatalogueFiles::Start::Loaded:
      break;
  }
  C.DatRestore1.SetEnabled(true);
  if (files_.Exists(appDir_ + std::string(PathTxtName))) C.PATHTXT1.SetEnabled(true);
  view_.ShowTabNames();
  C.TabControl1.SetTabIndex(cat_.CurrentTab());
  cat_.SwitchTab(cat_.CurrentTab());
  // The pick is checked once, by the pick below; on an empty tab there is
  // nothing to pick, and a new, empty catalogue reports nothing.
  view_.ShowTab(cat_.CurrentTab(), true);
  if (cat_.Item(cat_.CurrentTab(), cat_.PickedIndex()) != nullptr)
    view_.PickRow(cat_.PickedIndex() + 1);
  return true;
}

// The rule of what may run now.

FormState TForm1::State(bool pickedNow) const {
  return {.Mode = Mode(),
          .Searching = Searching(),
          .ResultHighlighted = Searching() && view_.HighlightedHit() != nullptr,
          .ConfirmDisabled = handoff_.Unstable(),
          .Closing = closed_ || closing_,
          .Picked = cat_.PickedItem() != nullptr,
          .PickedNowMissing = pickedNow && view_.PickMissing()};
}

bool TForm1::Allowed(Command command, bool pickedNow) {
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

// Closing.

void TForm1::Confirm(bool pickedNow) {
  if (!Allowed(Command::Confirm, pickedNow)) return;
  if (WhileClosing([this] { return modes_.EndToClose() && catFiles_.WritePathTxt(appDir_); }))
    CloseNow(true);
}

void TForm1::Button4Click() {
  if (!Allowed(Command::Cancel)) return;
  // Nothing is chained; a close that is called off keeps the pick, the one
  // from before any search.
  const bool ready = WhileClosing([this] {
    if (!modes_.EndToClose()) return false;
    search_.Leave();
    return catFiles_.WritePathTxt(appDir_);
  });
  if (ready) CloseNow(false);
}

void TForm1::Close() {
  const Verdict verdict = MayRun(Command::CloseRequest, State(false));
  if (!verdict.Runs) return;
  if (verdict.LeaveSearchFirst) search_.Leave();
  // Closing as OK does: the highlighted result is the one chained.
  if (verdict.PickResultFirst &&
      (!search_.ShowResultOnTab() || !MayRun(Command::CloseRequest, State(true)).Runs))
    return;
  CloseNow(!verdict.ChainNothing);
}

void TForm1::CloseNow(bool chain) {
  chain_ = chain;
  if (!WhileClosing([this] { return modes_.EndToClose() && FormClose(); })) {
    chain_ = true;
    return;
  }
  closed_ = true;
  window_.Destroy();
}

bool TForm1::FormClose() {
  if (settingsLoaded_ && !settings_.Write(SettingsPathOf(sys_.ExePath()))) return false;
  if (!catFiles_.SaveDataFile(appDir_)) return false;
  const std::string chained = ChainPath();
  if (handoff_.Loaded() && !chained.empty() &&
      !handoff_.Chain(appDir_ + std::string(ExchangeFileName), chained, settings_.Values.Info))
    return false;
  // The grid shows nothing more; the catalogue goes with the form.
  view_.ClearGrid();
  marks_.Stop();
  handoff_.Release();
  return true;
}

bool TForm1::WhileClosing(const std::function<bool()>& steps) {
  // A question or a failed write's message box runs a message loop: a close
  // request that arrives there must not start the sequence inside itself.
  closing_ = true;
  bool done = false;
  try {
    done = steps();
  } catch (...) {
    closing_ = false;
    throw;
  }
  closing_ = false;
  return done;
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
    Confirm(true);
    return;
  }
  const TMenuItem* item =
      row >= 1 && row < C.StringGrid1.RowCount() ? C.StringGrid1.Item(row) : nullptr;
  if (item && item == cat_.PickedItem()) Confirm(true);
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
  view_.ClearGrid();
  C.Memo1.Clear();
  cat_.SwitchTab(C.TabControl1.TabIndex());
  view_.ShowTab(cat_.CurrentTab());
  tabSwitching_ = false;
}

void TForm1::StringGrid1KeyDown(int key, ShiftState shift) {
  // Over results number keys pick nothing, and only Enter confirms.
  if (Searching()) {
    if (key == VK_RETURN_KEY && shift.CtrlAlone())
      TabView1Click();
    else if (key == VK_ESCAPE_KEY)
      search_.Leave();
    else if (key == VK_RETURN_KEY && !shift.Ctrl && !shift.Alt)
      keys_.KeyDown(key, shift);
    return;
  }
  if (!EditMode()) keys_.KeyDown(key, shift);
}

void TForm1::StringGrid1KeyUp(int key, ShiftState shift) {
  // In item edit mode only Ctrl+number reaches the keys: it switches tabs.
  if (EditMode() && !(shift.CtrlAlone() && KeyNumber(key))) return;
  keys_.KeyUp(key, shift);
}

bool TForm1::PickNumber(int position) {
  const TMList* tab = cat_.Tab(cat_.CurrentTab());
  if (!tab || position >= tab->Count()) {
    messages_.ShowMessage(std::to_string(position + 1) + std::string(NotRegisteredMessage),
                          MessageKind::Plain);
    return false;
  }
  if (!Allowed(Command::PickRow)) return false;
  C.StringGrid1.SetSelection(RowCells(position + 1));
  view_.PickRow(position + 1);
  C.StringGrid1.ScrollIntoView(position + 1);
  return cat_.PickedItem() != nullptr && cat_.PickedIndex() == position;
}

void TForm1::ShowTabNumber(int position) {
  if (position >= cat_.TabNameCount() || !Allowed(Command::SwitchTab)) return;
  // As through the strip, the tab left remembers its pick: one current pick
  // in the whole catalogue. Results show no tab.
  search_.Stop();
  cat_.LeaveCurrentTab();
  C.TabControl1.SetTabIndex(position);
  TabControl1Change();
}

void TForm1::K3Click() {
  if (!Allowed(Command::CatalogueWide)) return;
  if (TForm2* form2 = Form2()) form2->ShowModal();
}

// Registration, editing, search and recovery.

void TForm1::m2Click() {
  if (Allowed(Command::Register)) reg_.AddChosenFiles();
}

void TForm1::FolderRegister1Click() {
  if (Allowed(Command::Register)) reg_.AddFolder();
}

void TForm1::StringGrid1DropFiles(const std::vector<ChosenFile>& files) {
  if (reg_.SortDropped(files) && Allowed(Command::DropFiles)) reg_.AddDropped();
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
  if (Allowed(Command::DeleteItem)) modes_.DeleteRow(row);
}

void TForm1::StringGrid1RowMoved(int fromRow, int toRow) {
  if (MoveMode()) modes_.RowMoved(fromRow, toRow);
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

bool TForm1::SearchBox1KeyDown(int key, ShiftState shift) {
  switch (search_.Key(key, shift)) {
    case SearchKey::NotTaken:
      return false;
    case SearchKey::Confirm:
      Confirm(false);
      break;
    case SearchKey::ShowOnTab:
      TabView1Click();
      break;
    case SearchKey::Taken:
      break;
  }
  return true;
}

void TForm1::TabView1Click() {
  if (Allowed(Command::ShowResultOnTab)) C.StringGrid1.SetFocus();
}

void TForm1::RestoreFromDataFile() {
  if (!Allowed(Command::CatalogueWide)) return;
  if (std::optional<std::string> bytes = recovery_.FromDataFile())
    catFiles_.Restored(std::move(*bytes));
}

void TForm1::PATHTXT1Click() {
  if (Allowed(Command::CatalogueWide)) recovery_.FromPathTxt(appDir_);
}

void TForm1::Relink1Click() {
  if (Allowed(Command::CatalogueWide)) marks_.Relink(Dialogs ? Dialogs->RelinkForm() : nullptr);
}

void TForm1::K11Click() {
  if (TForm4* form4 = Form4()) form4->ShowModal();
}

void TForm1::About1Click() {
  if (TForm3* form3 = Form3()) form3->ShowModal();
}

}  // namespace zorbi
