// TForm1: the main window's logic. The Win32 layer owns the real controls and
// turns window messages into calls of the handlers below.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/catalogue_search.h"
#include "exchange/exchange_reader.h"
#include "forms/editor_launch.h"
#include "forms/host_link.h"
#include "forms/tab_settings_form.h"
#include "platform/controls.h"
#include "platform/file_check.h"
#include "platform/file_system.h"
#include "platform/host_windows.h"
#include "platform/services.h"

namespace zorbi {

// The main window's modes; one at a time.
enum class FormMode { Normal, ItemEdit, Move, MemoEdit };

class StartupPreload;
class TForm3;
class TForm4;
class TForm5;
class TRelinkForm;

// The four dialogs. Each is made the first time it is asked for and kept for
// the rest of the run: start-up shows the main window without making any.
struct FormDialogs {
  // Each is null when the dialog could not be made.
  virtual TForm2* Form2() = 0;
  virtual TForm3* Form3() = 0;
  virtual TForm4* Form4() = 0;
  virtual TForm5* Form5() = 0;
  // The relink list; null when it could not be made.
  virtual TRelinkForm* RelinkForm() { return nullptr; }

 protected:
  ~FormDialogs() = default;
};

inline constexpr std::string_view ApplicationTitle = "Z_ORBI";
inline constexpr std::string_view PathTxtName = "PATH.TXT";
inline constexpr std::string_view ExchangeFileName = "jwc_temp.txt";
inline constexpr std::string_view FileNameHeader = "ファイル名";
inline constexpr std::string_view SummaryHeader = "概要";
inline constexpr std::string_view HostUnstableMessage =
    "JW_WINの動作が不安定になっています、Z_Orbiの実行はキャンセルしてください。\r\n\r\n"
    "また、編集中のファイルは保存してJW_WINを立上げなおしてください。";
inline constexpr std::string_view ExchangeDamagedMessage = "が壊れているか、見つかりません";
inline constexpr std::string_view UnchainablePathMessage =
    "選択項目のパスに改行などの制御文字が含まれているため、JW_WINに渡しません。";
inline constexpr std::string_view InvalidItemMessage =
    "選択項目の外部変形は無効です、削除してください。";
inline constexpr int DefaultGridRows = 21;
// Before the number of an item whose file is missing.
inline constexpr std::string_view MissingFileMark = "× ";
inline constexpr std::string_view NotRegisteredMessage = " 番目の項目は登録されていません。";
inline constexpr std::string_view BatFilter = "外部変形 BAT ファイル|*.bat";
inline constexpr int VK_RETURN_KEY = 0x0D;
inline constexpr int VK_ESCAPE_KEY = 0x1B;
inline constexpr std::string_view EditModeCaption = "編集モード";
inline constexpr std::string_view MoveModeCaption = "移動モード";
inline constexpr std::string_view FinishEditingMessage = "項目編集を終了して下さい。";
inline constexpr std::string_view NotBatFilesMessage =
    "BAT ファイルではないため、次のファイルは登録しませんでした。";
// The window's design bounds; it is never narrower than the design width.
inline constexpr Bounds DesignFormBounds{193, 113, 545, 357};
inline constexpr int MinFormWidth = 545;
inline constexpr int MinFontSize = 9;
inline constexpr int MaxFontSize = 20;

struct FormControls {
  Grid& StringGrid1;
  TabStrip& TabControl1;
  Memo& Memo1;
  Label& Label2;
  Button& Button2;           // OK
  Button& Button4;           // キャンセル
  MenuCommand& DatRestore1;  // "Z_Orbi.dat から復旧"
  MenuCommand& PATHTXT1;     // "PATH.TXT から復旧"
  MenuCommand& K10;          // "キー選択で即実行"
  MenuCommand& K6;           // grid menu "タブを全て表示"
  MenuCommand& K7;           // option menu "タブを全て表示"
  MenuCommand& K15;          // "バッチファイル名の表示"
  MenuCommand& JWWIN1;       // "JW_WINのチェックを行う"
};

struct FormServices {
  FileSystem& Files;
  MessageBoxes& Messages;
  System& Sys;
  FormWindow& Window;
  FileDialogs& Dialogs;
  Processes& Procs;
  HostWindows& Host;
  FontDialogs& Fonts;
  ProgressRunner& Progress;
};

class TForm1 final : public TabSettingsHost {
 public:
  TForm1(const FormControls& controls, const FormServices& services);

  // The reads of the data and exchange files, started before the window;
  // each used when it reads the file that start-up would read. Must outlive
  // FormCreate.
  void UsePreload(StartupPreload* preload) { preload_ = preload; }
  // Start-up. False when the program must end at once without writing anything.
  bool FormCreate();
  // FormCreate in two steps, for work that needs no exchange file between
  // them: the catalogue and the settings, then the exchange file's outcome
  // and the host link.
  bool FormCreateUntilExchange();
  void FormCreateFromExchange();
  void Button2Click();  // OK path
  void Button4Click();  // Cancel path
  // Any request to close the window (close box, system menu, OK, Cancel).
  void Close();
  // Close sequence; false when a write failed and the window stays open.
  bool FormClose();
  void FormDestroy();
  bool Closed() const { return closed_; }

  // Item grid and tabs.
  void ClearGrid();
  // Puts the catalogue's tab names on the strip.
  void ShowTabNames();
  std::int32_t FillGrid(std::int32_t tab);
  void ShowTab(std::int32_t tab);
  void StringGrid1SelectCell(int col, int row, bool& canSelect);
  // A double click on an item row confirms; elsewhere it does nothing.
  void StringGrid1DblClick(int row);
  void TabControl1Changing(bool& allowChange);
  void TabControl1Change();
  // "タブ設定" in both menus: the tab settings dialog, modally.
  void K3Click();
  // Scrolls the picked row into view as ShowTab does (again once the grid has
  // its final size).
  void ScrollToPick();

  // Keyboard selection.
  void StringGrid1KeyDown(int key, ShiftState shift);
  void StringGrid1KeyUp(int key, ShiftState shift);
  void SelectItemByNumber(int position);
  void SelectTabByNumber(int position);
  void K10Click();

  // Registration of BAT files.
  void m2Click();
  // False when the file could not be read or is empty (reported).
  bool RegisterBatFile(const std::string& path, std::int32_t tab);
  // Files dropped on the grid from the shell: BAT files go on the shown tab,
  // and so do the BAT files in dropped folders.
  void StringGrid1DropFiles(const std::vector<ChosenFile>& files);
  // "フォルダから登録...": the BAT files of a chosen folder on the shown tab.
  void FolderRegister1Click();
  OpenDialogOptions OpenDialog1;

  // Item editing.
  void Edit1Click();
  void K8Click();
  void K4Click();
  void StringGrid1RowMoved(int fromRow, int toRow);
  void StringGrid1Exit();
  void m1Click();
  void n1Click();
  void Exit2Click();
  void Memo1Exit();
  FormMode Mode() const { return mode_; }
  bool EditMode() const { return mode_ == FormMode::ItemEdit; }
  bool MoveMode() const { return mode_ == FormMode::Move; }
  bool MemoEditMode() const { return mode_ == FormMode::MemoEdit; }

  // Find as you type. While the search box holds a word, the grid lists the
  // matching items of every tab and no tab is selected; the catalogue, its
  // pick included, stays as it was until a result is chosen.
  void UseSearchBox(EditBox& box) { SearchBox1 = &box; }
  // The box's text changed (typed, pasted or deleted).
  void SearchBox1Change();
  // A key pressed in the search box; true when the search took it (Up, Down,
  // Enter, Ctrl+Enter, Escape).
  bool SearchBox1KeyDown(int key, ShiftState shift);
  // "タブで表示": the highlighted result shown and picked on its own tab.
  void TabView1Click();
  bool Searching() const { return search_ != nullptr; }
  // The search box, once the window has one.
  EditBox* SearchBox1 = nullptr;

  // TForm2's operations.
  const std::vector<std::string>& TabNames() const override { return cat_.TabNames(); }
  void AddTab(std::string name) override;
  void RenameTab(int index, std::string name) override;
  void DeleteTab(int index) override;
  void MoveTab(int from, int to) override;
  void TabSettingsClosed() override;

  // Editor launching.
  void BEdit1Click();
  void SEditClick();
  void N8Click();
  void K11Click();
  // The BAT file of the last BAT or script edit command.
  std::string EditBatPath;
  // The dialogs, once the window has them; null until then.
  FormDialogs* Dialogs = nullptr;
  TForm2* Form2() const { return Dialogs ? Dialogs->Form2() : nullptr; }  // tab settings
  TForm4* Form4() const { return Dialogs ? Dialogs->Form4() : nullptr; }
  TForm5* Form5() const { return Dialogs ? Dialogs->Form5() : nullptr; }
  // Catalogue recovery ("項目修復(&R)"). Each replaces the catalogue only when
  // its whole source was read; otherwise nothing changes.
  void RestoreFromDataFile();
  void PATHTXT1Click();

  // Host window link: the search at start-up (with JWCheck) and the switch
  // when the window is destroyed.
  void FindTargetWindows();
  void ForegroundSwitch();
  // Options, fonts, resizing and About.
  void K6Click();
  void K15Click();
  void JWWIN1Click();
  void K13Click();
  void K14Click();
  void FormResize();
  void About1Click();
  TForm3* Form3() const { return Dialogs ? Dialogs->Form3() : nullptr; }

  // Missing BAT files: checked in the background once the window is up, and
  // again for items that come in; their rows are greyed and marked.
  void UseFileCheck(FileCheck* check) { fileCheck_ = check; }
  // Checks every item's file not checked yet, the shown tab's first.
  void CheckFiles();
  void FilesChecked(const std::vector<CheckedFiles>& answers);
  bool IsMissingFile(const std::string& path) const;
  // "リンク切れ項目の再リンク...": finds moved BAT files below a folder.
  void Relink1Click();

  // The catalogue, for reading; it changes only through its operations.
  const Catalogue& Cat() const { return cat_; }
  // The BAT file the close hands to the host: none after キャンセル.
  std::string ChainPath() const { return chainPick_ ? cat_.PickedBatPath() : std::string(); }

  // Shared state of the main window.
  std::string AppDir;
  std::string OwnExeName;
  ExchangeState Exchange;  // its ExchangeStatus tells why a read failed
  bool ExchangeLoaded = false;
  bool KeyRan = false;
  bool Info = false;
  bool JWCheck = false;
  std::string Editor = "notepad.exe";
  std::string AWKPath;
  bool SettingsLoaded = false;
  bool TabSwitching = false;
  std::vector<TargetEntry> TargetList;
  WindowId TargetWindow = 0;

  FormControls C;

 private:
  // The shown tab's rows as the grid asks for them: its texts are made from
  // the items only for the rows the grid shows or reads.
  class TabRows final : public GridRowSource {
   public:
    explicit TabRows(const TForm1& form) : form_(form) {}
    void Show(const TMList* list) { list_ = list; }
    int Count() const override;
    std::string Cell(int col, int row) const override;
    const TMenuItem* Item(int row) const override;
    std::string WidestNumber() const override;
    bool Dimmed(int row) const override;

   private:
    const TForm1& form_;
    const TMList* list_ = nullptr;
  };

  // An item's file name and summary columns, the same on a tab and in the
  // search's results.
  static std::string ItemCell(const TMenuItem& item, int col);

  // The search's results as the grid asks for them: the tab's name in the
  // number column.
  class SearchRows final : public GridRowSource {
   public:
    explicit SearchRows(const TForm1& form) : form_(form) {}
    void Show(const Catalogue* c, std::vector<SearchHit> hits);
    const SearchHit* Hit(int row) const;
    int Count() const override { return static_cast<int>(hits_.size()); }
    std::string Cell(int col, int row) const override;
    const TMenuItem* Item(int row) const override;
    std::string WidestNumber() const override;
    bool Dimmed(int row) const override;

   private:
    const TForm1& form_;
    const Catalogue* cat_ = nullptr;
    std::vector<SearchHit> hits_;
  };

  bool InitialLoad();
  bool FinalSave();
  bool LoadCatalogueFile(const std::string& path);
  bool SaveDataFile();
  // Whether the data file differs from what this window last read or wrote.
  bool DataFileChangedElsewhere(const std::string& path);
  // Reports a write that failed on the way out and asks whether to close
  // without that file; true to go on closing.
  bool CloseWithoutSaving(const std::string& path, const std::string& error);

  // Steps of the start-up and close sequences.
  void ReadExchange(const std::string& path);
  void ReadSettings(const std::string& path);
  bool WriteSettings(const std::string& path);
  // Row height and number column follow the grid font's size.
  void ApplyGridFontSize(int size);
  bool WritePathTxt();
  bool WriteChainingLines();
  // Puts a restored catalogue in the place of the current one.
  void ReplaceCatalogue(std::vector<std::string> names, TTabList tabs, std::int32_t currentTab,
                        std::int32_t pickedIndex);

  std::string SettingsPath() const;
  // Registers the files on tab `tab`; false when one failed (reported).
  bool RegisterFiles(const std::vector<ChosenFile>& files, std::int32_t tab);
  // Registers the BAT files in `folders` on `tab` after asking whether their
  // subfolders count. Returns what to tell the user once the grid is shown
  // again; nothing when the user cancelled.
  struct Report {
    std::string Text;
    MessageKind Kind = MessageKind::Information;
  };
  std::optional<Report> RegisterFolders(const std::vector<std::string>& folders, std::int32_t tab);
  // The one place where modes begin and end. EnterMode starts from normal;
  // EndMode ends the current one storing what it edits, false (the mode
  // staying) when that is refused; LeaveMode ends it storing nothing.
  void EnterMode(FormMode mode);
  bool EndMode();
  void LeaveMode();
  // EndMode on the way out: a refused store asks whether to close without it.
  bool EndModeToClose();
  bool WhileClosing(const std::function<bool()>& steps);
  // The pick's row highlighted (row 1 when nothing is picked).
  void SelectPickedRow();
  // Shows the strip's names and CurrentTab after a tab operation.
  void ShowTabsAgain(bool refillGrid);

  // The search: begun (false when a mode could not end), the results shown,
  // ended leaving the grid to the caller, ended showing the tab as it was.
  bool StartSearch();
  void ShowResults(const std::vector<SearchHit>& hits);
  void StopSearch();
  void LeaveSearch();
  // The result highlighted, if any.
  const SearchHit* HighlightedHit() const;
  void HighlightResult(int row);
  // Ends the search and picks the result on its tab; false when there was none.
  bool ShowResultOnTab();
  // The current tab and its pick shown again, the catalogue untouched.
  void ShowTabAsItWas();

  // The font dialog; nullopt when cancelled or refused (reported).
  std::optional<FontSpec> PickFont(const FontSpec& initial);
  // The parsed Editor setting, or nullopt after saying why it cannot be used.
  std::optional<EditorProgram> EditorOrSay();
  // The editor on one file (alone when empty); false when it could not be started.
  bool LaunchEditor(const EditorProgram& editor, const std::string& path);
  void EditScript(const std::string& name, bool chosen);

  FileSystem& files_;
  MessageBoxes& messages_;
  System& sys_;
  FormWindow& window_;
  FileDialogs& dialogs_;
  Processes& procs_;
  HostWindows& host_;
  FontDialogs& fonts_;
  ProgressRunner& progress_;
  StartupPreload* preload_ = nullptr;
  bool closed_ = false;
  bool closing_ = false;
  bool quietPick_ = false;  // no invalid-item warning while set
  bool chainPick_ = true;   // false while キャンセル closes: nothing is chained
  Catalogue cat_;
  FormMode mode_ = FormMode::Normal;
  bool memoLosingFocus_ = false;
  // Keys pressed in the grid whose release may confirm: a tab switch or a
  // number that picked nothing never does.
  std::vector<int> confirmingKeys_;
  // The data file as read, while it still has to be kept as Z_Orbi.DAT.bak.
  std::optional<std::string> originalDataFile_;
  // The data file as last read or written; none when there was no file.
  // Kept whole: comparing it at close is far quicker than hashing it at start.
  std::shared_ptr<const std::string> dataFileRead_;
  // The width the summary column last followed; it takes up every change.
  int resizedWidth_ = MinFormWidth;
  // The folder last registered from, where the folder dialog opens next.
  std::string registeredFolder_;
  // What the grid shows below its header. The grid is let go of the list
  // (ClearGrid) before the list is changed other than by an edit of a
  // summary or freed.
  TabRows shownRows_{*this};
  std::unique_ptr<CatalogueSearch> search_;
  SearchRows searchRows_{*this};

  enum class FileState : unsigned char { Checking, Present, Missing };
  // Starts the check of one new item's file.
  void CheckFile(const std::string& path);
  // True when the path's missing mark changed.
  bool NoteFile(const std::string& path, bool exists);
  void ForgetFiles();
  FileCheck* fileCheck_ = nullptr;
  // By path: items that share a file share its mark.
  std::unordered_map<std::string, FileState> fileStates_;
  std::int64_t missingFiles_ = 0;
};

}  // namespace zorbi
