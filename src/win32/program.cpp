#include "program.h"

#include <string>
#include <vector>

#include "forms/typed_text.h"

namespace zorbi::win32 {

namespace {

// An edit box that takes typing: its own keys undo what was typed.
bool IsTypingBox(HWND window) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  return _wcsicmp(name, L"Edit") == 0 && IsWindowEnabled(window) &&
         (GetWindowLongW(window, GWL_STYLE) & ES_READONLY) == 0;
}

}  // namespace

Program::Program(Application& application, System* system, FileDialogs* dialogs,
                 Processes* processes, FontDialogs* fonts)
    : application_(application),
      system_(system ? *system : own_system_),
      dialogs_(dialogs ? *dialogs : own_dialogs_),
      processes_(processes ? *processes : own_processes_),
      fonts_(fonts ? *fonts : own_fonts_),
      window_(system_),
      form4_(dialogs) {
  ConnectWindow();
  ConnectGrid();
}

Program::~Program() {
  application_.OnKeyMessage = nullptr;
  // FormDestroy runs while the form is still there.
  window_.Destroy();
}

bool Program::Start(StartupPreload* preload) {
  if (!window_.Create(application_.Handle(), application_.LargeIcon(), application_.SmallIcon())) {
    // Without a word the user would only see nothing happen; nothing is written.
    messages_.ShowMessage("Z_Orbi のウィンドウを作れないため、起動できません。",
                          MessageKind::Error);
    return false;
  }
  const HWND handle = window_.Handle();
  application_.SetMainWindow(handle);
  application_.SetDialogWindow(handle);
  messages_.SetOwner(handle);
  own_dialogs_.SetOwner(handle);
  own_fonts_.SetOwner(handle);
  progress_.SetOwner(handle);
  form_ = std::make_unique<TForm1>(
      window_.Controls(), FormServices{files_, messages_, system_, window_, dialogs_, processes_,
                                       host_windows_, fonts_, progress_});
  form_->UsePreload(preload);
  form_->UseSearchBox(window_.SearchBox());

  bool started = false;
  Run([&] { started = form_->FormCreateUntilExchange(); });
  if (started) {
    form_->Dialogs = &lazy_dialogs_;
    window_.Layout();
    started = false;
    Run([&] {
      form_->FormCreateFromExchange();
      started = true;
    });
  }
  if (!started) {
    // Nothing is written: the close sequence is not run.
    DestroyWindow(handle);
    return false;
  }
  // The pick was scrolled to while the tab strip had no tabs and the grid
  // was taller: scroll again now that the grid has its size.
  form_->ScrollToPick();
  window_.Grid().ScrollIntoView(window_.Grid().Row());
  // The files are checked once the window shows, on a thread of their own.
  file_check_ = std::make_unique<FileCheckWorker>(std::make_unique<Win32FileSystem>(), [handle] {
    PostMessageW(handle, MainWindow::kFilesCheckedMessage, 0, 0);
  });
  form_->UseFileCheck(file_check_.get());
  SetTimer(handle, MainWindow::kCheckFilesTimer, 0, nullptr);
  return true;
}

// A dialog that fails to be made stays null for the rest of the run.
TForm2* Program::LazyDialogs::Form2() {
  Program& p = program_;
  if (!made2_) made2_ = p.form2_.Create(p.window_.Handle(), p.form_->TabHost());
  return *made2_ ? &p.form2_.Form() : nullptr;
}

TForm3* Program::LazyDialogs::Form3() {
  Program& p = program_;
  if (!made3_) made3_ = p.form3_.Create(p.window_.Handle());
  return *made3_ ? &p.form3_.Form() : nullptr;
}

TForm4* Program::LazyDialogs::Form4() {
  Program& p = program_;
  if (!made4_) {
    made4_ = p.form4_.Create(p.window_.Handle(), p.form_->Settings().Editor,
                             p.form_->Settings().AWKPath);
    // Only TForm4 changes the two settings: made late, it shows them as read.
    if (*made4_) p.Run([&] { p.form4_.Form().FormCreate(); });
  }
  return *made4_ ? &p.form4_.Form() : nullptr;
}

TForm5* Program::LazyDialogs::Form5() {
  Program& p = program_;
  if (!made5_) made5_ = p.form5_.Create(p.window_.Handle());
  return *made5_ ? &p.form5_.Form() : nullptr;
}

TRelinkForm* Program::LazyDialogs::RelinkForm() {
  Program& p = program_;
  if (!made_relink_) made_relink_ = p.relink_window_.Create(p.window_.Handle());
  return *made_relink_ ? &p.relink_window_.Form() : nullptr;
}

TBackupListForm* Program::LazyDialogs::BackupListForm() {
  Program& p = program_;
  if (!made_backups_) made_backups_ = p.backup_window_.Create(p.window_.Handle());
  return *made_backups_ ? &p.backup_window_.Form() : nullptr;
}

void Program::ConnectWindow() {
  window_.OnCommandChosen = [this](const Command& command) {
    Run([&] { (form_.get()->*command.handler)(); });
  };
  window_.OnTabChanging = [this](bool& allow) { Run([&] { form_->TabControl1Changing(allow); }); };
  window_.OnTabChange = [this] { Run([&] { form_->TabControl1Change(); }); };
  window_.OnMemoExit = [this] { Run([&] { form_->Memo1Exit(); }); };
  window_.OnSearchChange = [this] { Run([&] { form_->SearchBox1Change(); }); };
  window_.OnSearchKeyDown = [this](int key, ShiftState shift) {
    bool taken = false;
    Run([&] { taken = form_->SearchBox1KeyDown(key, shift); });
    return taken;
  };
  window_.ShowsResults = [this] { return form_ && form_->Searching(); };
  application_.OnKeyMessage = [this](const MSG& message) {
    // Ctrl+F, Ctrl+Tab, Ctrl+Z and Ctrl+Y anywhere in the main window, while it
    // takes input; in a box being typed into, Ctrl+Z and Ctrl+Y are the box's own.
    const HWND main = window_.Handle();
    if (message.message != WM_KEYDOWN || main == nullptr ||
        (message.hwnd != main && !IsChild(main, message.hwnd)) || !IsWindowEnabled(main) ||
        GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0)
      return false;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const WPARAM key = message.wParam;
    if (key == VK_TAB) {
      Run([&] { form_->CtrlTabKey(shift); });
      return true;
    }
    if (shift || (key != 'F' && key != 'Z' && key != 'Y')) return false;
    if (key == 'F') {
      window_.FocusSearchBox();
      Run([&] { form_->SearchBox1Request(); });
      return true;
    }
    if (IsTypingBox(message.hwnd)) return false;
    Run([&] { key == 'Z' ? form_->Undo1Click() : form_->Redo1Click(); });
    return true;
  };
  window_.OnResize = [this] { Run([&] { form_->FormResize(); }); };
  window_.OnCloseQuery = [this] { Run([&] { form_->Close(); }); };
  window_.OnDestroying = [this] { Run([&] { form_->FormDestroy(); }); };
  window_.OnGoneEvent = [this] {
    application_.SetMainWindow(nullptr);
    application_.SetDialogWindow(nullptr);
    // The program ends with its main window.
    PostQuitMessage(0);
    application_.EndRun();
  };
  window_.OnCheckFiles = [this] { Run([&] { form_->CheckFiles(); }); };
  window_.OnActivated = [this] { Run([&] { form_->FormActivate(); }); };
  window_.OnFilesChecked = [this] {
    if (file_check_) Run([&] { form_->FilesChecked(file_check_->TakeAnswers()); });
  };
  window_.Memo().OnRefused = [this](char32_t refused) {
    messages_.ShowMessage(UnrepresentableTextMessage("メモ", refused), MessageKind::Warning);
  };
}

void Program::ConnectGrid() {
  GridControl& grid = window_.Grid();
  grid.OnSelectCell = [this](int col, int row, bool& can_select) {
    Run([&] { form_->StringGrid1SelectCell(col, row, can_select); });
  };
  grid.OnDblClick = [this](int row) { Run([&] { form_->StringGrid1DblClick(row); }); };
  grid.OnKeyDown = [this](int key, ShiftState shift) {
    Run([&] { form_->StringGrid1KeyDown(key, shift); });
  };
  grid.OnKeyUp = [this](int key, ShiftState shift) {
    Run([&] { form_->StringGrid1KeyUp(key, shift); });
  };
  grid.OnExit = [this] { Run([&] { form_->StringGrid1Exit(); }); };
  grid.OnRowMoved = [this](int from, int to) {
    Run([&] { form_->StringGrid1RowMoved(from, to); });
  };
  grid.OnFilesDropped = [this](const std::vector<std::wstring>& paths) {
    std::vector<ChosenFile> files;
    for (const std::wstring& path : paths) files.push_back(ChosenFromPath(path));
    Run([&] { form_->StringGrid1DropFiles(files); });
  };
  grid.OnRefused = [this](char32_t refused) {
    messages_.ShowMessage(UnrepresentableTextMessage("概要", refused), MessageKind::Warning);
  };
}

}  // namespace zorbi::win32
