// In-memory stand-ins for the controls and services, recording what the form
// logic did to them.
#pragma once

#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "forms/main_form.h"
#include "platform/grid_cells.h"

namespace zorbi::test {

struct FakeControl {
  bool enabled = true;
};

struct FakeGrid : Grid {
  // Asks the form's row source as the real grid does, for the rows read only.
  GridCells content{GridColumnCount, DefaultGridRows};
  GridRect selection = RowCells(1);
  int topRow = 1;
  bool enabled = true;
  bool rowSelect = true, editing = false, rowMoving = false;
  bool refuseEdit = false;  // the open editor holds text that cannot be stored
  FontSpec font{"ＭＳ Ｐゴシック", 10, 0, kSystemTextColor};
  std::array<int, GridColumnCount> colWidths{26, 90, 219};
  int rowHeight = 20;

  void SetEnabled(bool e) override { enabled = e; }
  bool Enabled() const override { return enabled; }
  int RowCount() const override { return content.RowCount(); }
  void SetRowCount(int n) override { content.SetRowCount(n); }
  std::string Cell(int col, int row) const override { return content.Cell(col, row); }
  void SetCell(int col, int row, std::string text) override {
    content.SetCell(col, row, std::move(text));
  }
  const TMenuItem* Item(int row) const override { return content.Item(row); }
  void SetItem(int row, const TMenuItem* item) override { content.SetItem(row, item); }
  void SetRowSource(const GridRowSource* rows) override { content.SetSource(rows); }
  // The texts of a row as shown now.
  std::array<std::string, 3> Texts(int row) const {
    return {Cell(0, row), Cell(1, row), Cell(2, row)};
  }
  GridRect Selection() const override { return selection; }
  void SetSelection(GridRect cells) override { selection = cells; }
  int Row() const override { return selection.Top; }
  int Col() const override { return selection.Right; }
  int TopRow() const override { return topRow; }
  void SetTopRow(int row) override { topRow = row; }
  // Ten rows in view, as the window shows at its first size.
  void ScrollIntoView(int row) override { topRow = std::clamp(topRow, row - 9, row); }
  struct FakeMemo* memo = nullptr;  // loses the focus to the grid
  void SetFocus() override;
  void SetRowSelect(bool on) override { rowSelect = on; }
  void SetEditing(bool on) override { editing = on; }
  void SetRowMoving(bool on) override { rowMoving = on; }
  bool EndCellEdit() override { return !refuseEdit; }
  FontSpec Font() const override { return font; }
  void SetFont(const FontSpec& f) override { font = f; }
  int ColWidth(int col) const override { return colWidths.at(static_cast<std::size_t>(col)); }
  void SetColWidth(int col, int width) override {
    colWidths.at(static_cast<std::size_t>(col)) = std::max(0, width);  // as the real grid
  }
  int DefaultRowHeight() const override { return rowHeight; }
  void SetDefaultRowHeight(int height) override { rowHeight = height; }
};

struct FakeTabStrip : TabStrip {
  std::vector<std::string> tabs;
  int index = -1;
  bool enabled = true;
  void SetEnabled(bool e) override { enabled = e; }
  bool Enabled() const override { return enabled; }
  void SetTabs(std::vector<std::string> names) override {
    tabs = std::move(names);
    if (index >= static_cast<int>(tabs.size())) index = static_cast<int>(tabs.size()) - 1;
    if (index < 0 && !tabs.empty()) index = 0;
  }
  int TabIndex() const override { return index; }
  void SetTabIndex(int i) override { index = i; }
  bool multiLine = false;
  bool MultiLine() const override { return multiLine; }
  void SetMultiLine(bool on) override { multiLine = on; }
};

struct FakeMemo : Memo {
  std::vector<std::string> lines;
  bool enabled = true;
  bool readOnly = true;
  bool refuse = false;  // the typed text cannot be stored
  void SetEnabled(bool e) override { enabled = e; }
  bool Enabled() const override { return enabled; }
  std::vector<std::string> Lines() const override { return lines; }
  void SetLines(std::vector<std::string> l) override { lines = std::move(l); }
  void SetReadOnly(bool r) override { readOnly = r; }
  bool focused = false;
  void SetFocus() override { focused = true; }
  bool AcceptText() override { return !refuse; }
  FontSpec font{"ＭＳ ゴシック", 10, 0, kSystemTextColor};
  FontSpec Font() const override { return font; }
  void SetFont(const FontSpec& f) override { font = f; }
};

inline void FakeGrid::SetFocus() {
  if (memo) memo->focused = false;
}

struct FakeLabel : Label {
  std::string caption;
  bool visible = false;
  void SetCaption(std::string text) override { caption = std::move(text); }
  void SetVisible(bool v) override { visible = v; }
  bool Visible() const override { return visible; }
};

struct FakeButton : Button {
  bool enabled = true;
  void SetEnabled(bool e) override { enabled = e; }
  bool Enabled() const override { return enabled; }
};

struct FakeMenu : MenuCommand {
  bool enabled = true;
  bool checked = false;
  void SetEnabled(bool e) override { enabled = e; }
  bool Enabled() const override { return enabled; }
  void SetChecked(bool c) override { checked = c; }
  bool Checked() const override { return checked; }
};

// Files in memory. Replaces go through the real ReplaceFile over in-memory
// steps, each of which can be made to fail.
struct FakeFiles : FileSystem, FileSteps {
  std::map<std::string, std::string> files;
  std::set<std::string> unreadable;
  std::set<std::string> unwritable;  // neither replaced nor written in place
  std::set<std::string> readOnly;
  std::set<std::string> others;  // folders and the like
  bool folderRefusesNewFiles = false;
  int failStep = 0;  // the step counted as this number fails; 0: none
  int steps = 0;
  std::vector<std::string> writes;  // replaced paths, in order

  bool Exists(const std::string& path) override { return files.count(path) > 0; }
  EntryKind Entry(const std::string& path) override {
    return others.count(path) ? EntryKind::Other
                              : (Exists(path) ? EntryKind::File : EntryKind::Missing);
  }
  std::optional<std::uint64_t> Size(const std::string& path) override {
    if (others.count(path)) return std::nullopt;
    const auto file = files.find(path);
    return file == files.end() ? 0 : file->second.size();
  }
  std::optional<std::string> ReadAll(const std::string& path) override {
    if (unreadable.count(path) || failsAfter.count(path) || !files.count(path)) return std::nullopt;
    return files[path];
  }
  std::map<std::string, std::size_t> failsAfter;  // a read fails after this many bytes
  bool ReadPieces(const std::string& path, std::size_t pieceBytes,
                  const std::function<bool(std::string_view)>& take) override {
    if (!failsAfter.count(path) || !files.count(path))
      return FileSystem::ReadPieces(path, pieceBytes, take);
    const std::string_view bytes = std::string_view(files[path]).substr(0, failsAfter[path]);
    for (std::size_t at = 0; at < bytes.size(); at += pieceBytes)
      if (!take(bytes.substr(at, pieceBytes))) return true;
    return false;
  }
  std::set<std::string> unlistable;  // folders that refuse to be listed
  std::set<std::string> links;       // folders that are links to elsewhere
  std::set<std::string> unnamed;     // names with no Shift-JIS form, as they are shown
  // Folders are the others and the folders of the files' paths.
  bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) override {
    entries.clear();
    if (unlistable.count(folder) || files.count(folder)) return false;
    const std::string prefix = folder + "\\";
    std::set<std::string> seen;
    bool known = others.count(folder) > 0;
    const auto take = [&](const std::string& path, bool isFolder) {
      if (path.compare(0, prefix.size(), prefix) != 0) return;
      known = true;
      const std::string rest = path.substr(prefix.size());
      const std::size_t cut = rest.find('\\');
      const std::string name = rest.substr(0, cut);
      if (seen.insert(name).second)
        entries.push_back({unnamed.count(prefix + name) ? "" : name,
                           isFolder || cut != std::string::npos, links.count(prefix + name) > 0,
                           name});
    };
    for (const auto& [path, bytes] : files) take(path, false);
    for (const std::string& path : others) take(path, true);
    return known;
  }
  bool MakeFolder(const std::string& path, std::string& error) override {
    if (files.count(path)) error = path + ": a file of that name";
    if (files.count(path)) return false;
    others.insert(path);
    return true;
  }
  bool RemoveFile(const std::string& path) override { return files.erase(path) > 0; }
  std::function<void(const std::string& path)> beforeReplace;  // a look at the caller's state
  bool ReplaceAll(const std::string& path, const std::string& bytes, std::string& error) override {
    if (beforeReplace) beforeReplace(path);
    return ReplaceFile(*this, path, bytes, error);
  }

  // A step that fails, counted.
  bool Fails(std::string& error, bool refused = false) {
    if (++steps != failStep && !refused) return false;
    error = "disk full";
    return true;
  }
  struct File : NewFile {
    FakeFiles& fs;
    std::string name;
    File(FakeFiles& f, std::string n) : fs(f), name(std::move(n)) {}
    bool Write(const std::string& bytes, std::string& error) override {
      if (fs.Fails(error)) return false;
      fs.files[name] += bytes;
      return true;
    }
    bool Finish(std::string& error) override { return !fs.Fails(error); }
  };
  bool ReadOnly(const std::string& path) override { return readOnly.count(path) > 0; }
  std::unique_ptr<NewFile> CreateTemporary(const std::string& path, std::string& temporary,
                                           std::string& error) override {
    if (Fails(error, folderRefusesNewFiles || unwritable.count(path))) return nullptr;
    temporary = path + ".tmp";
    files[temporary] = "";
    return std::make_unique<File>(*this, temporary);
  }
  bool Rename(const std::string& from, const std::string& to, std::string& error) override {
    lastHeld = held[to] > 0;
    if (lastHeld) {
      --held[to];
      error = "held by another program";
      return false;
    }
    if (Fails(error)) return false;
    files[to] = files[from];
    files.erase(from);
    writes.push_back(to);
    return true;
  }
  void Remove(const std::string& path) override { files.erase(path); }
  std::map<std::string, int> held;  // a replace of this path fails as held this many times
  bool lastHeld = false;
  int waited = 0;  // milliseconds waited for held files
  bool Held() const override { return lastHeld; }
  void Wait(int milliseconds) override { waited += milliseconds; }
  bool WriteInPlace(const std::string& path, const std::string& bytes,
                    std::string& error) override {
    if (Fails(error, unwritable.count(path) > 0)) return false;
    files[path] = bytes;
    writes.push_back(path);
    return true;
  }
};

struct FakeMessages : MessageBoxes {
  std::vector<std::pair<std::string, MessageKind>> shown;  // and the yes/no questions
  std::vector<std::string> questions;                      // OK or Cancel
  bool answer = true;                                      // OK
  bool yes = false;                                        // はい; false: いいえ
  std::function<void()> whileShowing;  // runs once inside the next message's loop
  void ShowMessage(const std::string& text, MessageKind kind) override {
    shown.emplace_back(text, kind);
    if (auto run = std::exchange(whileShowing, nullptr)) run();
  }
  bool Confirm(const std::string& text) override {
    questions.push_back(text);
    return answer;
  }
  std::function<void()> whileAsking;  // runs once inside the next question's loop
  // The system's boxes read Yes and No on a system that is not Japanese: a
  // question naming its buttons must come with our own (ShowList).
  // (A throw, not a failed expectation: the benchmarks use these fakes too.)
  static void ExpectNoButtonNames(const std::string& text) {
    for (const char* name : {"はい:", "いいえ:", "キャンセル:"})
      if (text.find(name) != std::string::npos)
        throw std::logic_error("a system box names its buttons: " + text);
  }
  bool Ask(const std::string& text, MessageKind kind) override {
    ExpectNoButtonNames(text);
    return Yes(text, kind);
  }
  std::vector<Answer> answers;  // in turn for AskOrCancel; キャンセル once used up
  Answer AskOrCancel(const std::string& text, MessageKind kind) override {
    ExpectNoButtonNames(text);
    return YesNoOrCancel(text, kind);
  }
  // The lines of each list, by its message's place in `shown`; answered as
  // the question with the same buttons is.
  std::map<std::size_t, std::vector<std::string>> lists;
  Answer ShowList(const std::string& text, const std::vector<std::string>& lines, MessageKind kind,
                  Answers buttons) override {
    lists[shown.size()] = lines;
    if (buttons == Answers::YesNo || buttons == Answers::YesNoSafe)
      return Yes(text, kind) ? Answer::Yes : Answer::No;
    if (buttons == Answers::YesNoCancel) return YesNoOrCancel(text, kind);
    ShowMessage(text, kind);
    return Answer::Ok;
  }
  bool Yes(const std::string& text, MessageKind kind) {
    shown.emplace_back(text, kind);
    if (auto run = std::exchange(whileAsking, nullptr)) run();
    return yes;
  }
  Answer YesNoOrCancel(const std::string& text, MessageKind kind) {
    shown.emplace_back(text, kind);
    if (answers.empty()) return Answer::Cancel;
    const Answer a = answers.front();
    answers.erase(answers.begin());
    return a;
  }
  // A message and its list's lines, one text.
  std::string WithList(std::size_t k) const {
    std::string text = shown.at(k).first;
    if (lists.count(k))
      for (const std::string& line : lists.at(k)) text += "\r\n" + line;
    return text;
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> t;
    for (const auto& [text, kind] : shown) t.push_back(text);
    return t;
  }
};

struct FakeSystem : System {
  std::string exePath = "C:\\JWW\\Z_Orbi\\Z_Orbi.exe";
  ScreenRect workArea{0, 0, 1280, 984};
  std::string ExePath() override { return exePath; }
  ScreenRect WorkArea() override { return workArea; }
  std::int64_t now = 1'800'000'000;
  std::int64_t UnixTime() override { return now; }
};

struct FakeDialogs : FileDialogs {
  std::optional<std::vector<ChosenFile>> next;  // nullopt: the user cancels
  std::vector<OpenDialogOptions> opened;
  std::optional<std::vector<ChosenFile>> OpenFiles(const OpenDialogOptions& options) override {
    opened.push_back(options);
    return next;
  }
  std::optional<ChosenFile> folder;  // nullopt: the user cancels
  std::vector<std::string> folderTitles;
  std::optional<ChosenFile> ChooseFolder(const std::string& title,
                                         const std::string& initialDir) override {
    (void)initialDir;
    folderTitles.push_back(title);
    return folder;
  }
};

// Runs the work at once; the user cancels at the report numbered `cancelAt`.
struct FakeProgress : ProgressRunner, ProgressSink {
  std::vector<std::string> titles;
  int reports = 0;
  int cancelAt = 0;  // 0: never
  void Run(const std::string& title, const std::function<void(ProgressSink&)>& work) override {
    titles.push_back(title);
    work(*this);
  }
  bool Report(std::int64_t, std::int64_t, const std::string&) override {
    return ++reports != cancelAt && !(cancelAt > 0 && reports > cancelAt);
  }
};

struct FakeProcesses : Processes {
  std::vector<std::string> started;  // command lines, in order
  bool fail = false;
  std::map<std::string, std::string> environment;
  bool Start(const std::string& commandLine) override {
    if (fail) return false;
    started.push_back(commandLine);
    return true;
  }
  std::optional<std::string> EnvironmentVariable(const std::string& name) override {
    const auto found = environment.find(name);
    if (found == environment.end()) return std::nullopt;
    return found->second;
  }
};

struct FakeListBox : ListBox {
  std::vector<std::string> items;
  int index = -1;
  bool enabled = true;
  void SetEnabled(bool e) override { enabled = e; }
  bool Enabled() const override { return enabled; }
  void SetItems(std::vector<std::string> lines) override {
    items = std::move(lines);
    index = -1;
  }
  int ItemIndex() const override { return index; }
  void SetItemIndex(int i) override { index = i; }
  std::string Item(int i) const override { return items.at(static_cast<std::size_t>(i)); }
};

struct FakeEditBox : EditBox {
  std::string text;
  char32_t refused = 0;  // set to type a character without a CP932 form
  bool enabled = true;
  void SetEnabled(bool e) override { enabled = e; }
  bool Enabled() const override { return enabled; }
  void SetText(std::string t) override {
    text = std::move(t);
    refused = 0;
  }
  TypedText Text() const override { return refused ? TypedText{"", refused} : TypedText{text}; }
};

// A modal dialog whose user is `whileShown`, run each time it is shown.
struct FakeDialogWindow : DialogWindow {
  std::function<void()> whileShown;
  int shown = 0;
  int closed = 0;
  void ShowModal() override {
    ++shown;
    if (whileShown) whileShown();
  }
  void Close() override { ++closed; }
};

// Top-level windows (front-most first), each owned by a process.
struct FakeHostWindows : HostWindows {
  std::vector<std::pair<WindowId, std::uint32_t>> windows;
  std::optional<std::vector<ProcessEntry>> processes = std::vector<ProcessEntry>{};
  std::set<WindowId> closed, hidden;
  std::vector<WindowId> raised;
  std::vector<WindowId> TopLevelWindows() override {
    std::vector<WindowId> ids;
    for (const auto& [w, pid] : windows) ids.push_back(w);
    return ids;
  }
  std::uint32_t WindowProcessId(WindowId window) override {
    for (const auto& [w, pid] : windows)
      if (w == window) return pid;
    return 0;
  }
  std::optional<std::vector<ProcessEntry>> ProcessList() override { return processes; }
  bool IsWindow(WindowId window) override {
    return WindowProcessId(window) != 0 && !closed.count(window);
  }
  bool IsWindowVisible(WindowId window) override { return !hidden.count(window); }
  std::map<WindowId, std::string> classes;
  std::map<WindowId, WindowId> owners;
  std::string WindowClass(WindowId window) override {
    return classes.count(window) ? classes[window] : "ConsoleWindowClass";
  }
  WindowId RootOwner(WindowId window) override {
    while (owners.count(window)) window = owners[window];
    return window;
  }
  void SetForegroundWindow(WindowId window) override { raised.push_back(window); }
};

struct FakeFonts : FontDialogs {
  std::optional<FontSpec> next;  // nullopt: the user cancels
  std::vector<FontSpec> opened;  // the initial font of each showing
  std::optional<FontSpec> PickFont(const FontSpec& initial, int, int) override {
    opened.push_back(initial);
    return next;
  }
};

// Keeps the checks asked for; Answer tells the form what `files` holds now.
struct FakeFileCheck : FileCheck {
  std::vector<std::string> asked;
  void Start(std::vector<std::string> paths) override {
    asked.insert(asked.end(), std::make_move_iterator(paths.begin()),
                 std::make_move_iterator(paths.end()));
  }
  void Answer(TForm1& form, FileSystem& files) {
    CheckedFiles part;
    for (std::string& path : asked) {
      part.Exist.push_back(files.Exists(path));
      part.Paths.push_back(std::move(path));
    }
    asked.clear();
    form.FilesChecked({part});
  }
};

struct FakeReportList : ReportList {
  std::vector<std::vector<std::string>> rows;
  void SetRows(std::vector<std::vector<std::string>> r) override { rows = std::move(r); }
};

struct FakeWindow : FormWindow {
  std::string caption;
  int destroyed = 0;
  Bounds bounds = DesignFormBounds;
  void SetCaption(std::string text) override { caption = std::move(text); }
  Bounds WindowBounds() const override { return bounds; }
  void SetWindowBounds(const Bounds& b) override { bounds = b; }
  void Destroy() override { ++destroyed; }
};

// The dialogs a test gives the form; none by default.
struct FakeFormDialogs : FormDialogs {
  TForm2* form2 = nullptr;
  TForm3* form3 = nullptr;
  TForm4* form4 = nullptr;
  TForm5* form5 = nullptr;
  TRelinkForm* relinkForm = nullptr;
  TRelinkForm* RelinkForm() override { return relinkForm; }
  TBackupListForm* backupListForm = nullptr;
  TBackupListForm* BackupListForm() override { return backupListForm; }
  TForm2* Form2() override { return form2; }
  TForm3* Form3() override { return form3; }
  TForm4* Form4() override { return form4; }
  TForm5* Form5() override { return form5; }
};

// A main window wired to fakes. Construct, arrange files, then call Create().
struct FormRig {
  FakeGrid grid;
  FakeTabStrip tabs;
  FakeMemo memo;
  FakeLabel label2;
  FakeButton ok, cancel;
  FakeMenu datRestore, pathRestore, k10, k6, k7, k15, jwwin1, undo, redo;
  FakeFiles files;
  FakeMessages messages;
  FakeSystem sys;
  FakeWindow window;
  FakeDialogs dialogs;
  FakeProcesses procs;
  FakeHostWindows host;
  FakeFonts fonts;
  FakeProgress progress;
  FakeEditBox searchBox;
  TForm1 form{FormControls{grid, tabs, memo, label2, ok, cancel, datRestore, pathRestore, k10, k6,
                           k7, k15, jwwin1, undo, redo},
              FormServices{files, messages, sys, window, dialogs, procs, host, fonts, progress}};
  FakeFormDialogs forms;

  FormRig() {
    form.Dialogs = &forms;
    form.UseSearchBox(searchBox);
    grid.memo = &memo;
  }

  static constexpr const char* Dir = "C:\\JWW\\Z_Orbi\\";
  static std::string InDir(const std::string& name) { return Dir + name; }

  bool Create() { return form.FormCreate(); }
  // Clicks a row the way the grid does: the focus leaves the memo, then the
  // select event, then the move.
  void ClickRow(int row) {
    if (memo.focused) {
      memo.focused = false;
      form.Memo1Exit();
    }
    bool canSelect = true;
    form.StringGrid1SelectCell(2, row, canSelect);
    if (canSelect) grid.SetSelection({1, row, 2, row});
  }
  // Switches tabs the way the user does through the strip.
  void ClickTab(int index) {
    bool allow = true;
    form.TabControl1Changing(allow);
    if (!allow) return;
    tabs.SetTabIndex(index);
    form.TabControl1Change();
  }
};

}  // namespace zorbi::test
