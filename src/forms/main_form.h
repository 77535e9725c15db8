// TForm1: the main window's logic. It composes the features of the window and
// routes the events the Win32 layer turns window messages into; before any
// command, key, drop or confirm runs, it asks the rule of what may run now.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "forms/catalogue_files.h"
#include "forms/change_history.h"
#include "forms/close_sequence.h"
#include "forms/command_rule.h"
#include "forms/data_backups.h"
#include "forms/edit_modes.h"
#include "forms/editor_commands.h"
#include "forms/file_marks.h"
#include "forms/form_settings.h"
#include "forms/form_start.h"
#include "forms/grid_columns.h"
#include "forms/host_handoff.h"
#include "forms/host_link.h"
#include "forms/item_registration.h"
#include "forms/item_search.h"
#include "forms/item_view.h"
#include "forms/key_selection.h"
#include "forms/main_form_parts.h"
#include "forms/recovery.h"
#include "forms/tab_operations.h"
#include "platform/file_check.h"

namespace zorbi {

class StartupPreload;

class TForm1 final : private CommandGate {
 public:
  TForm1(const FormControls& controls, const FormServices& services);

  // The reads of the data and exchange files, started before the window;
  // each used when it reads the file that start-up would read. Must outlive
  // FormCreate.
  void UsePreload(StartupPreload* preload);
  // Start-up. False when the program must end at once without writing anything.
  bool FormCreate() { return FormCreateUntilExchange() && (FormCreateFromExchange(), true); }
  // FormCreate in two steps, for work that needs no exchange file between
  // them: the catalogue and the settings, then the exchange file's outcome
  // and the host link.
  bool FormCreateUntilExchange() { return start_.UntilExchange(); }
  void FormCreateFromExchange() { start_.FromExchange(search_.Box()); }
  void Button2Click() { close_.Confirm(false); }  // OK
  void Button4Click() { close_.Cancel(); }        // キャンセル
  // A request to close the window (close box, system menu).
  void Close() { close_.CloseRequest(); }
  void FormDestroy() { link_.ForegroundSwitch(settings_.Values.JWCheck); }
  bool Closed() const { return close_.Closed(); }

  // Item grid and tabs.
  void StringGrid1SelectCell(int col, int row, bool& canSelect);
  // A double click on an item row confirms; elsewhere it does nothing.
  void StringGrid1DblClick(int row);
  void TabControl1Changing(bool& allowChange);
  void TabControl1Change();
  void K3Click();  // "タブ設定"
  // The pick scrolled into view again once the grid has its final size.
  void ScrollToPick() { view_.ScrollToPick(); }
  void StringGrid1KeyDown(int key, ShiftState shift) { keys_.KeyDown(key, shift, Mode()); }
  void StringGrid1KeyUp(int key, ShiftState shift) { keys_.KeyUp(key, shift, Mode()); }
  // Ctrl+Tab anywhere in the window; with Shift, the tab before.
  void CtrlTabKey(bool back) { keys_.ShowNextTab(back); }
  void K10Click() { settings_.ToggleKeyRan(); }

  // Registration.
  void m2Click();
  void FolderRegister1Click();
  void StringGrid1DropFiles(const std::vector<ChosenFile>& files);

  // Item editing.
  void Edit1Click();
  void K8Click();
  void K4Click() { modes_.EndEditOrMove(); }
  void StringGrid1RowMoved(int fromRow, int toRow);
  void StringGrid1Exit();
  void m1Click();
  void n1Click();
  void Exit2Click() { modes_.EndMemoEdit(); }
  // "元に戻す" (Ctrl+Z) and "やり直し" (Ctrl+Y): the changes of this run.
  void Undo1Click();
  void Redo1Click();
  void Memo1Exit() { modes_.MemoExit(); }
  FormMode Mode() const { return modes_.Mode(); }
  bool EditMode() const { return Mode() == FormMode::ItemEdit; }
  bool MoveMode() const { return Mode() == FormMode::Move; }
  bool MemoEditMode() const { return Mode() == FormMode::MemoEdit; }

  // Find as you type.
  void UseSearchBox(EditBox& box) { search_.UseBox(box); }
  void SearchBox1Change();
  // Ctrl+F: with nothing typed, the items run most.
  void SearchBox1Request();
  // A key pressed in the search box; true when the search took it.
  bool SearchBox1KeyDown(int key, ShiftState shift);
  void TabView1Click() { keys_.ShowResultOnTab(); }  // "タブで表示"
  bool Searching() const { return search_.Active(); }

  // What TForm2 does to the catalogue and the window.
  TabSettingsHost& TabHost() { return tabOps_; }

  // Editors, options, fonts, About.
  void BEdit1Click() { editor_.EditBat(); }
  void SEditClick() { editor_.EditScript(Form5()); }
  void N8Click() { editor_.StartEditor(); }
  void K11Click();
  void K6Click() { settings_.ToggleMultiLine(); }
  void K15Click() { settings_.ToggleInfo(); }
  void JWWIN1Click() { settings_.ToggleJWCheck(); }
  void K13Click() { settings_.PickGridFont(); }
  void K14Click() { settings_.PickMemoFont(); }
  void FormResize() { settings_.Resized(); }
  void About1Click();

  // Recovery ("項目修復(&R)") and the relink.
  void RestoreFromDataFile();
  void RestoreFromBackup();  // "バックアップから復旧..."
  void PATHTXT1Click();
  void Relink1Click();

  // Missing BAT files, checked in the background once the window is up.
  void UseFileCheck(FileCheck* check) { marks_.UseFileCheck(check); }
  void CheckFiles() { marks_.CheckAll(); }
  // The window came to the front again.
  void FormActivate() { marks_.CheckAgain(); }
  void FilesChecked(const std::vector<CheckedFiles>& answers) { marks_.Answered(answers); }

  // The dialogs, once the window has them; null until then.
  FormDialogs* Dialogs = nullptr;
  TForm2* Form2() const { return Dialogs ? Dialogs->Form2() : nullptr; }
  TForm3* Form3() const { return Dialogs ? Dialogs->Form3() : nullptr; }
  TForm4* Form4() const { return Dialogs ? Dialogs->Form4() : nullptr; }
  TForm5* Form5() const { return Dialogs ? Dialogs->Form5() : nullptr; }

  // For reading: the catalogue changes only through its operations.
  const Catalogue& Cat() const { return cat_; }
  // The BAT file the close hands to the host: none after キャンセル.
  std::string ChainPath() const { return close_.ChainPath(); }
  ProgramSettings& Settings() { return settings_.Values; }
  bool SettingsLoaded() const { return start_.SettingsLoaded(); }
  const HostHandoff& Handoff() const { return handoff_; }
  HostLink& Link() { return link_; }
  const std::string& AppDir() const { return start_.AppDir(); }

  FormControls C;

 private:
  // CommandGate: the form's state as the rule sees it, and the rule asked
  // with what must come first run.
  FormState State(bool pickedNow) const override;
  bool Allowed(Command command, bool pickedNow = false) override;

  MessageBoxes& messages_;
  Catalogue cat_;
  UsageHistory usage_;
  DataBackups backups_;
  FileMarks marks_;
  ItemView view_;
  ItemSearch search_;
  ChangeHistory history_;
  EditModes modes_;
  TabOperations tabOps_{cat_, view_};
  ItemRegistration reg_;
  Recovery recovery_;
  FormSettings settings_;
  EditorCommands editor_;
  CatalogueFiles catFiles_;
  HostHandoff handoff_;
  HostLink link_;
  FormStart start_;
  CloseSequence close_;
  KeySelection keys_;
  // The strip is between its Changing and Change events.
  bool tabSwitching_ = false;
};

}  // namespace zorbi
