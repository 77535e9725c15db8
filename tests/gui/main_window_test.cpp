// The real main window in-process: its menus, layout, tab strip, grid and
// close path, run in a folder of its own.
#include "program.h"

#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <gtest/gtest.h>
#include <oleacc.h>
#include <shlobj.h>

#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "application.h"
#include "catalogue/data_file.h"
#include "cp932.h"
#include "list_window.h"
#include "pixels.h"

namespace zorbi::win32 {
namespace {

struct FolderSystem : System {
  std::string folder;  // CP932, with a trailing backslash
  std::string ExePath() override { return folder + "Z_Orbi.exe"; }
  ScreenRect WorkArea() override { return {0, 0, 1280, 1000}; }
};

struct AnsweringDialogs : FileDialogs {
  std::optional<std::vector<ChosenFile>> answer;
  std::vector<OpenDialogOptions> asked;
  std::optional<std::vector<ChosenFile>> OpenFiles(const OpenDialogOptions& options) override {
    asked.push_back(options);
    return answer;
  }
  std::optional<ChosenFile> folder;
  std::optional<ChosenFile> ChooseFolder(const std::string&, const std::string&) override {
    return folder;
  }
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(Widen(path).c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(Widen(path).c_str(), std::ios::binary) << bytes;
}

// Captions of a menu's items in order without their access keys, "-" for a
// separator. Every item must have a key of its own in its menu.
std::vector<std::string> Captions(HMENU menu) {
  std::vector<std::string> captions;
  std::string keys;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[256] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 255;
    GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
    const std::string caption = (info.fType & MFT_SEPARATOR) ? "-" : Narrow(text).value_or("?");
    const std::size_t key = caption.find("(&") + 2;
    EXPECT_TRUE(caption == "-" || (key > 1 && keys.find(caption[key]) == std::string::npos))
        << caption;
    if (caption != "-") keys += caption[key];
    captions.push_back(PlainCaption(caption));
  }
  return captions;
}

// Delivers what is posted (a close from a double-click, paint) before checking.
void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

LPARAM Point(int x, int y) {
  return MAKELPARAM(x, y);
}

// Runs steps inside the next modal loop, which is what dispatches the timer.
std::function<void()> modal_steps;
void CALLBACK RunModalSteps(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  const std::function<void()> steps = std::move(modal_steps);
  modal_steps = nullptr;
  if (steps) steps();
}
void WhileModal(std::function<void()> steps) {
  modal_steps = std::move(steps);
  SetTimer(nullptr, 0, 1, RunModalSteps);
}

// A text's extent in a control's font, with the font's whole height.
SIZE TextIn(HWND control, const std::string& text) {
  HDC dc = GetDC(control);
  const HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
  const std::wstring wide = Widen(text);
  SIZE size{};
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return SIZE{size.cx, metrics.tmHeight};
}

// Clicks line `index` of a list box the way the mouse does.
void ClickLine(HWND list, int index) {
  RECT line{};
  SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&line));
  SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, Point(line.left + 3, line.top + 3));
  SendMessageW(list, WM_LBUTTONUP, 0, Point(line.left + 3, line.top + 3));
}

class MainWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
    static int counter = 0;
    root_ = std::wstring(temp) + L"zorbi-main " + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter) + L" 作図";
    ASSERT_TRUE(CreateDirectoryW(root_.c_str(), nullptr));
    system_.folder = *Narrow(root_) + "\\";
    for (const char* name : {"A.BAT", "B.BAT", "C.BAT"})
      WriteFile(system_.folder + name, std::string("@REM ") + name + " summary\r\n");
  }

  void TearDown() override {
    program_.reset();
    application_.reset();
    Pump();
    // The folder, with the data file's backups in it.
    for (const std::wstring& folder : {root_ + L"\\backup", root_}) {
      WIN32_FIND_DATAW data;
      HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
      if (find != INVALID_HANDLE_VALUE) {
        do DeleteFileW((folder + L"\\" + data.cFileName).c_str());
        while (FindNextFileW(find, &data));
        FindClose(find);
      }
      RemoveDirectoryW(folder.c_str());
    }
  }

  std::string In(const std::string& name) const { return system_.folder + name; }

  // Two tabs; the second holds two items, the second of them picked.
  void WriteCatalogue() {
    CatalogueData c;
    for (int t = 0; t < 2; ++t) c.TabList.push_back(std::make_unique<TMList>());
    auto add = [&](int tab, const std::string& name, int pick) {
      auto item = std::make_unique<TMenuItem>();
      item->InitItem(In(name), name + " summary", tab, c.TabList[tab]->Count(), "\"memo\"", "", "",
                     pick, 0);
      AddItem(*c.TabList[static_cast<std::size_t>(tab)], std::move(item));
    };
    add(0, "A.BAT", 1);
    add(1, "B.BAT", 0);
    add(1, "C.BAT", 2);
    catalogue_ = CatalogueImage(c, 2, {"Tab1", "作図"});
    WriteFile(In("Z_Orbi.DAT"), catalogue_);
  }

  void Start() {
    application_ = std::make_unique<Application>(GetModuleHandleW(nullptr), "Z_ORBI");
    program_ = std::make_unique<Program>(*application_, &system_, &dialogs_);
    ASSERT_TRUE(program_->Start());
    ShowWindow(Main().Handle(), SW_SHOWNOACTIVATE);
    Pump();
  }

  MainWindow& Main() const { return program_->Window(); }

  RECT ChildRect(HWND child) const {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, Main().Handle(), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }

  HWND Button(const wchar_t* text) const {
    return FindWindowExW(Main().Handle(), nullptr, L"BUTTON", text);
  }

  std::wstring root_;
  FolderSystem system_;
  AnsweringDialogs dialogs_;
  std::string catalogue_;
  std::unique_ptr<Application> application_;
  std::unique_ptr<Program> program_;
};

TEST_F(MainWindowTest, MenusHoldEveryCommandInOrder) {
  Start();
  HMENU bar = GetMenu(Main().Handle());
  EXPECT_EQ(Captions(bar), (std::vector<std::string>{"ﾌｧｲﾙ", "ｵﾌﾟｼｮﾝ", "ﾍﾙﾌﾟ"}));
  EXPECT_EQ(Captions(GetSubMenu(bar, 0)),
            (std::vector<std::string>{"BATファイル編集", "スクリプト編集", "-", "設定", "-",
                                      "ｷｬﾝｾﾙ", "終了"}));
  HMENU option = GetSubMenu(bar, 1);
  EXPECT_EQ(
      Captions(option),
      (std::vector<std::string>{"タブ設定", "タブを全て表示", "-", "キー選択で即実行",
                                "バッチファイル名の表示", "JW_WINのチェックを行う", "-", "項目修復",
                                "フォントの設定", "-", "リンク切れ項目の再リンク..."}));
  EXPECT_EQ(Captions(GetSubMenu(option, 7)),
            (std::vector<std::string>{"Z_Orbi.dat から復旧", "PATH.TXT から復旧",
                                      "バックアップから復旧..."}));
  EXPECT_EQ(Captions(GetSubMenu(option, 8)), (std::vector<std::string>{"項目リスト", "メモ"}));
  EXPECT_EQ(Captions(GetSubMenu(bar, 2)), (std::vector<std::string>{"ﾊﾞｰｼﾞｮﾝ情報..."}));
  EXPECT_EQ(Captions(Main().PopupMenu1()),
            (std::vector<std::string>{
                "元に戻す\tCtrl+Z", "やり直し\tCtrl+Y", "-", "項目追加", "フォルダから登録...",
                "項目削除", "-", "項目編集", "項目移動", "確定終了", "-", "タブ設定", "タブ表示",
                "-", "バッチファイル編集", "スクリプト編集", "エディタ起動", "-", "タブで表示"}));
  EXPECT_EQ(Captions(GetSubMenu(Main().PopupMenu1(), 12)),
            (std::vector<std::string>{"タブを全て表示"}));
  EXPECT_EQ(Captions(Main().PopupMenu2()), (std::vector<std::string>{"メモ編集", "確定終了"}));
}

TEST_F(MainWindowTest, RecoveryItemsFollowTheFilesAndKeyRanToggles) {
  WriteCatalogue();
  Start();
  HMENU option = GetSubMenu(GetMenu(Main().Handle()), 1);
  HMENU repair = GetSubMenu(option, 7);
  EXPECT_EQ(GetMenuState(repair, 0, MF_BYPOSITION) & MF_GRAYED, 0u);
  EXPECT_NE(GetMenuState(repair, 1, MF_BYPOSITION) & MF_GRAYED, 0u);

  const UINT key_ran = GetMenuItemID(option, 3);
  SendMessageW(Main().Handle(), WM_COMMAND, key_ran, 0);
  EXPECT_NE(GetMenuState(option, 3, MF_BYPOSITION) & MF_CHECKED, 0u);
  EXPECT_TRUE(program_->Form().Settings().KeyRan);
  SendMessageW(Main().Handle(), WM_COMMAND, key_ran, 0);
  EXPECT_EQ(GetMenuState(option, 3, MF_BYPOSITION) & MF_CHECKED, 0u);
  EXPECT_FALSE(program_->Form().Settings().KeyRan);
}

TEST_F(MainWindowTest, LayoutFollowsTheWindowsSize) {
  Start();
  for (const SIZE size : {SIZE{545, 357}, SIZE{800, 600}}) {
    SetWindowPos(Main().Handle(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    RECT client{};
    GetClientRect(Main().Handle(), &client);
    const int w = client.right, h = client.bottom;
    const RECT ok = ChildRect(Button(L"OK"));
    EXPECT_EQ(ok.left, w - 161);
    EXPECT_EQ(ok.top, h - 30);
    EXPECT_EQ(ok.right - ok.left, 153);
    const RECT cancel = ChildRect(Button(Widen("キャンセル").c_str()));
    EXPECT_EQ(cancel.left, w - 244);
    EXPECT_EQ(cancel.right - cancel.left, 75);
    const RECT memo = ChildRect(FindWindowExW(Main().Handle(), nullptr, L"EDIT", nullptr));
    EXPECT_EQ(memo.left, w - 161);
    EXPECT_EQ(memo.top, 22);
    EXPECT_EQ(memo.right - memo.left, 155);
    EXPECT_EQ(memo.bottom - memo.top, h - 37 - 33);
    const RECT tabs = ChildRect(Main().TabStrip());
    EXPECT_EQ(tabs.right, w - 169);
    EXPECT_EQ(tabs.bottom, h - 35);
    const HWND label2 = GetDlgItem(Main().Handle(), 104);  // the mode label
    const RECT search = ChildRect(Main().SearchBox().Handle());
    EXPECT_LE(ChildRect(label2).right, search.left) << "the mode label would hide the search box";
    EXPECT_LE(search.right, cancel.left);
    EXPECT_GE(search.top, tabs.bottom);
    // The "閉る" button lies beyond the client area: never seen.
    EXPECT_GE(ChildRect(Button(Widen("閉る").c_str())).left, w);
    // The grid's columns fill its width.
    GridControl& grid = Main().Grid();
    RECT inside{};
    GetClientRect(grid.Handle(), &inside);
    EXPECT_EQ(grid.PixelColWidth(0) + grid.PixelColWidth(1) + grid.PixelColWidth(2) + 3,
              inside.right);
  }
}

// Wine's edit control keeps the widest line it held as its scroll range.
TEST_F(MainWindowTest, AShortMemoAfterALongOneHasNoScrollThumb) {
  Start();
  const HWND memo = Main().Memo().Handle();
  for (const bool long_line : {true, false}) {
    Main().Memo().SetLines({long_line ? std::string(80, 'W') : "short"});
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(memo, SB_HORZ, &info));
    EXPECT_EQ(info.nMax - info.nMin + 1 > static_cast<int>(info.nPage), long_line);
  }
}

// A typed text shows results: the commands that change items are greyed, the
// one that shows a result on its tab is not; Escape turns that round again.
TEST_F(MainWindowTest, ResultsGreyTheCommandsThatChangeItems) {
  Start();
  const HWND box = Main().SearchBox().Handle();
  auto greyed = [&](HMENU menu, Place place, const char* caption) {
    SendMessageW(Main().Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
    return (GetMenuState(menu, CommandId(*FindCommand(place, caption)), MF_BYCOMMAND) &
            MF_GRAYED) != 0;
  };
  for (const bool results : {true, false}) {
    if (results)
      SetWindowTextW(box, L"a");
    else
      SendMessageW(box, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(program_->Form().Searching(), results);
    for (const char* caption :
         {"項目追加", "フォルダから登録...", "項目削除", "項目編集", "項目移動"})
      EXPECT_EQ(greyed(Main().PopupMenu1(), Place::PopupMenu1, caption), results) << caption;
    EXPECT_EQ(greyed(Main().PopupMenu2(), Place::PopupMenu2, "メモ編集"), results);
    EXPECT_EQ(greyed(Main().PopupMenu1(), Place::PopupMenu1, "タブで表示"), !results);
  }
  EXPECT_EQ(GetWindowTextLengthW(box), 0);
}

// Tabs on several rows at every size and DPI: eight long names among sixteen
// short ones each get a tab wide enough for them; a name far longer than the
// rest (a tab on each row would show it whole) leaves the grid a third of
// the strip. The grid fills the page below the rows.
TEST_F(MainWindowTest, TabRowsShowWholeNamesAndTheGridFillsThePageBelow) {
  std::vector<std::string> names;
  for (const char* number : {"一", "二", "三", "四", "五", "六", "七", "八"})
    names.push_back(std::string("長いタブ名その") + number);
  for (int t = 9; t <= 24; ++t) names.push_back("Tab" + std::to_string(t));
  for (const bool one_longer : {false, true}) {
    if (one_longer) names[0] = std::string(22, 'W');
    CatalogueData c;
    for (std::size_t t = 0; t < names.size(); ++t) c.TabList.push_back(std::make_unique<TMList>());
    WriteFile(In("Z_Orbi.DAT"), CatalogueImage(c, 24, names));
    WriteFile(In("Z_Orbi.ini"), "[Option]\r\nMultiLine=1\r\n");
    Start();
    const HWND window = Main().Handle(), strip = Main().TabStrip();
    for (const int dpi : {96, 144, 192}) {
      RECT suggested{0, 0, 545 * dpi / 96, 357 * dpi / 96};
      SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                   reinterpret_cast<LPARAM>(&suggested));
      for (const int width : {545, 600, 1000}) {
        SCOPED_TRACE(testing::Message() << width << " at " << dpi << " DPI, " << one_longer);
        SetWindowPos(window, nullptr, 0, 0, width * dpi / 96, 400 * dpi / 96,
                     SWP_NOMOVE | SWP_NOZORDER);
        RECT page = ChildRect(strip), client{};
        TabCtrl_AdjustRect(strip, FALSE, &page);
        const RECT grid = ChildRect(Main().Grid().Handle());
        EXPECT_TRUE(EqualRect(&grid, &page)) << "grid top " << grid.top << ", page " << page.top
                                             << ", rows " << TabCtrl_GetRowCount(strip);
        GetClientRect(strip, &client);
        EXPECT_GE(3 * (page.bottom - page.top), client.bottom);
        for (int i = 0; i < TabCtrl_GetItemCount(strip) && !one_longer; ++i) {
          const std::string& name = names[static_cast<std::size_t>(i)];
          RECT tab{};
          TabCtrl_GetItemRect(strip, i, &tab);
          EXPECT_GE(tab.right - tab.left, TextIn(strip, name).cx + 4) << name;
          EXPECT_LE(tab.right, client.right);
        }
      }
    }
    program_.reset();
    application_.reset();
    Pump();
  }
}

TEST_F(MainWindowTest, DialogsLayOutAgainAtANewDpi) {
  Start();
  TForm1& form = program_->Form();
  ASSERT_TRUE(form.Form2() && form.Form3() && form.Form4() && form.Form5());
  for (const HWND dialog : {program_->Form2().Handle(), program_->Form3().Handle(),
                            program_->Form4().Handle(), program_->Form5().Handle()}) {
    RECT before{}, after{}, suggested{0, 0, 0, 0};
    GetClientRect(dialog, &before);
    SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    GetClientRect(dialog, &after);
    EXPECT_EQ(after.right, 2 * before.right);
    EXPECT_EQ(after.bottom, 2 * before.bottom);
    EXPECT_GT(GetWindowTextLengthW(dialog), 0) << "a dialog without a title";
  }
}

// At every DPI a line of the script choice is taller than its text by the
// focus rectangle's pixel each way (else it hides underscores), and a name
// longer than the box brings a scroll bar that reaches its end.
TEST_F(MainWindowTest, ScriptChoiceLinesFitTheirNamesAtEveryDpi) {
  Start();
  TForm5& form = *program_->Form().Form5();
  const HWND dialog = program_->Form5().Handle();
  const HWND list = FindWindowExW(dialog, nullptr, L"LISTBOX", nullptr);
  for (const int dpi : {96, 144, 192}) {
    RECT suggested{};
    SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    for (const bool long_name : {false, true}) {
      SCOPED_TRACE(testing::Message() << dpi << " DPI, long name " << long_name);
      const std::string last = long_name ? std::string(50, 'x') + "_.awk" : "c_d.awk";
      form.ListBox1.SetItems({"a_b.awk", last});
      const SIZE text = TextIn(list, last);
      EXPECT_GE(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0), text.cy + 2);
      EXPECT_EQ((GetWindowLongW(list, GWL_STYLE) & WS_HSCROLL) != 0, long_name);
      EXPECT_GE(SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0), text.cx);
    }
  }
}

// The hidden 閉る, no tab stop, stays the button Enter runs where no control
// takes it.
TEST_F(MainWindowTest, EnterWhereNoControlTakesItRunsTheHiddenClose) {
  Start();
  const HWND close = Button(Widen("閉る").c_str());
  EXPECT_EQ(GetWindowLongW(close, GWL_STYLE) & WS_TABSTOP, 0);
  EXPECT_EQ(SendMessageW(Main().Handle(), DM_GETDEFID, 0, 0),
            MAKELRESULT(GetDlgCtrlID(close), DC_HASDEFID));
}

TEST_F(MainWindowTest, OpensOnThePickedTabAndSwitchesByTheStrip) {
  WriteCatalogue();
  Start();
  TForm1& form = program_->Form();
  EXPECT_EQ(TabCtrl_GetCurSel(Main().TabStrip()), 1);
  EXPECT_EQ(Main().Grid().Cell(1, 2), "  C.BAT");
  EXPECT_EQ(Main().Grid().Row(), 2);
  EXPECT_EQ(form.Cat().PickedBatPath(), In("C.BAT"));

  // A click on the first tab raises the strip's changing and change events.
  RECT tab{};
  TabCtrl_GetItemRect(Main().TabStrip(), 0, &tab);
  SendMessageW(Main().TabStrip(), WM_LBUTTONDOWN, MK_LBUTTON, Point(tab.left + 5, tab.top + 5));
  SendMessageW(Main().TabStrip(), WM_LBUTTONUP, 0, Point(tab.left + 5, tab.top + 5));
  Pump();
  EXPECT_EQ(TabCtrl_GetCurSel(Main().TabStrip()), 0);
  EXPECT_EQ(form.Cat().CurrentTab(), 0);
  EXPECT_EQ(form.Cat().PickedBatPath(), In("A.BAT"));
  EXPECT_EQ(form.Cat().Item(1, 1)->PickState, 1);
  EXPECT_EQ(Main().Grid().Cell(1, 2), "");
}

TEST_F(MainWindowTest, ClickPicksAndDoubleClickClosesSavingTheCatalogue) {
  WriteCatalogue();
  Start();
  const RECT cell = Main().Grid().CellRect(2, 1);
  const LPARAM at = Point(cell.left + 5, cell.top + 5);
  HWND grid = Main().Grid().Handle();
  SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(grid, WM_LBUTTONUP, 0, at);
  EXPECT_EQ(program_->Form().Cat().PickedBatPath(), In("B.BAT"));

  SendMessageW(grid, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageW(grid, WM_LBUTTONUP, 0, at);
  Pump();
  EXPECT_EQ(Main().Handle(), nullptr);
  // The pick moved from C to B: the file says so, and nothing else changed.
  CatalogueData back;
  std::vector<std::string> names;
  ASSERT_TRUE(ReadCatalogueImage(back, ReadFile(In("Z_Orbi.DAT")), names));
  EXPECT_EQ(back.Item(1, 0)->PickState, 2);
  EXPECT_EQ(back.Item(1, 1)->PickState, 0);
  EXPECT_EQ(names, (std::vector<std::string>{"Tab1", "作図"}));
}

// The names a screen reader gives the edit boxes.
TEST_F(MainWindowTest, AScreenReaderNamesTheBoxes) {
  WriteCatalogue();
  Start();
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  auto object = [](HWND window) {
    IAccessible* accessible = nullptr;
    AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                               reinterpret_cast<void**>(&accessible));
    return accessible;
  };
  VARIANT child{};
  child.vt = VT_I4;  // the object itself
  int boxes = 0;
  for (HWND box = nullptr; (box = FindWindowExW(Main().Handle(), box, L"EDIT", nullptr)); ++boxes) {
    IAccessible* accessible = object(box);
    BSTR name = nullptr;
    ASSERT_EQ(accessible->get_accName(child, &name), S_OK);
    const bool memo = (GetWindowLongPtrW(box, GWL_STYLE) & ES_MULTILINE) != 0;
    EXPECT_EQ(Narrow(name).value_or("?"), memo ? "メモ" : "検索");
    SysFreeString(name);
    accessible->Release();
  }
  EXPECT_EQ(boxes, 2);
  CoUninitialize();
}

TEST_F(MainWindowTest, TabNamesSurviveOpenAndCloseByteForByte) {
  // Each comes back changed from the UTF-16 tab control: ED 40 as FA 5C, 87 90
  // as 81 E0, 41 81 as 41 81 45, and the long one cut.
  const std::vector<std::string> names{"\xED\x40", "\x87\x90", "A\x81", std::string(1500, 'n')};
  CatalogueData c;
  for (std::size_t t = 0; t < names.size(); ++t) c.TabList.push_back(std::make_unique<TMList>());
  const std::string original = CatalogueImage(c, static_cast<std::int32_t>(names.size()), names);
  WriteFile(In("Z_Orbi.DAT"), original);
  Start();
  EXPECT_EQ(TabCtrl_GetItemCount(Main().TabStrip()), 4);
  SendMessageW(Main().Handle(), WM_CLOSE, 0, 0);
  Pump();
  EXPECT_EQ(Main().Handle(), nullptr);
  EXPECT_EQ(ReadFile(In("Z_Orbi.DAT")), original);
}

TEST_F(MainWindowTest, TabSettingsDrivenThroughItsButtons) {
  CatalogueData c;
  for (int t = 0; t < 2; ++t) c.TabList.push_back(std::make_unique<TMList>());
  AddItem(*c.TabList[0], std::make_unique<TMenuItem>())
      .InitItem(In("A.BAT"), "A", 0, 0, "", "", "", 0, 0);
  WriteFile(In("Z_Orbi.DAT"), CatalogueImage(c, 2, {"A\x81", "作図"}));
  Start();
  TForm1& form = program_->Form();
  WhileModal([&] {
    HWND dialog = program_->Form2().Handle();
    auto click = [&](const char* text) {
      SendMessageW(FindWindowExW(dialog, nullptr, L"BUTTON", Widen(text).c_str()), BM_CLICK, 0, 0);
    };
    HWND list = FindWindowExW(dialog, nullptr, L"LISTBOX", nullptr);
    HWND edit = FindWindowExW(dialog, nullptr, L"EDIT", nullptr);
    EXPECT_FALSE(IsWindowEnabled(Main().Handle()));
    ClickLine(list, 0);
    click("変更(&C)");  // the name as shown, unchanged: its bytes stay
    EXPECT_EQ(form.Cat().TabNames()[0], "A\x81");
    SetWindowTextW(edit, L"x\U0001F600");
    EXPECT_EQ(program_->Form2().Form().C.Edit1.Text().Refused, U'\U0001F600');
    SetWindowTextW(edit, L"部品");
    click("変更(&C)");
    ClickLine(list, 0);
    click("▽");
    EXPECT_EQ(form.Cat().TabNames(), (std::vector<std::string>{"作図", "部品"}));
    EXPECT_EQ(TabCtrl_GetCurSel(Main().TabStrip()), 1);
    click("閉じる");
  });
  SendMessageW(Main().Handle(), WM_COMMAND, CommandId(*FindCommand(Place::PopupMenu1, "タブ設定")),
               0);
  EXPECT_TRUE(IsWindowEnabled(Main().Handle()));
  EXPECT_FALSE(IsWindowVisible(program_->Form2().Handle()));
  EXPECT_EQ(Main().Grid().Cell(1, 1), "  A.BAT");  // the moved tab is shown
  EXPECT_EQ(form.Cat().Item(1, 0)->TabNo, 1);
}

TEST_F(MainWindowTest, DialogsAreMadeAtFirstNeedAndShownAlikeEveryTime) {
  Start();
  TForm1& form = program_->Form();
  struct Case {
    HWND (*window)(Program&);
    void (TForm1::*open)();
  };
  const Case cases[] = {
      {[](Program& p) { return p.Form2().Handle(); }, &TForm1::K3Click},
      {[](Program& p) { return p.Form3().Handle(); }, &TForm1::About1Click},
      {[](Program& p) { return p.Form4().Handle(); }, &TForm1::K11Click},
  };
  for (const Case& c : cases) EXPECT_EQ(c.window(*program_), nullptr);
  EXPECT_EQ(program_->Form5().Handle(), nullptr);
  for (const Case& c : cases) {
    RECT first{};
    for (int time = 0; time < 2; ++time) {
      RECT shown{};
      WhileModal([&] {
        HWND dialog = c.window(*program_);
        EXPECT_TRUE(IsWindowVisible(dialog));
        EXPECT_FALSE(IsWindowEnabled(Main().Handle()));
        GetWindowRect(dialog, &shown);
        PostMessageW(dialog, WM_CLOSE, 0, 0);
      });
      (form.*c.open)();
      EXPECT_TRUE(IsWindowEnabled(Main().Handle()));
      EXPECT_GT(shown.right - shown.left, 0);
      if (time == 0) first = shown;
      EXPECT_TRUE(EqualRect(&first, &shown)) << "opened a second time";
    }
  }
  // The script choice is made once too, and kept.
  TForm5* form5 = form.Form5();
  ASSERT_NE(form5, nullptr);
  EXPECT_EQ(form.Form5(), form5);
  EXPECT_NE(program_->Form5().Handle(), nullptr);
}

// The relink list opens with the focus on its first row, focused and selected.
TEST_F(MainWindowTest, RelinkListOpensOnItsFirstRow) {
  Start();
  WhileModal([&] {
    const HWND dialog = FindWindowW(L"TRelinkForm", nullptr);
    const HWND list = FindWindowExW(dialog, nullptr, WC_LISTVIEWW, nullptr);
    EXPECT_EQ(GetFocus(), list);
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_FOCUSED | LVNI_SELECTED), 0);
    PostMessageW(dialog, WM_CLOSE, 0, 0);
  });
  program_->Form().Dialogs->RelinkForm()->Confirm(RelinkPlan{{{0, 0, "a", "b"}}}, {"Tab1"}, {});
}

TEST_F(MainWindowTest, ProgrammedMovesKeepThePlacementRuleAndTheMinimumSize) {
  Start();
  // {x, y, width, height} asked; the window's bounds as {left, top, width, height}.
  const std::pair<RECT, RECT> moves[] = {
      {{-100, -50, 545, 357}, {0, 0, 545, 357}},
      {{5000, 5000, 545, 357}, {1280 - 545, 1000 - 357, 545, 357}},
      {{0, 0, 300, 200}, {0, 0, 545, 357}}};
  for (const auto& [asked, bounds] : moves) {
    SetWindowPos(Main().Handle(), nullptr, asked.left, asked.top, asked.right, asked.bottom,
                 SWP_NOZORDER);
    RECT r{};
    GetWindowRect(Main().Handle(), &r);
    const RECT got{r.left, r.top, r.right - r.left, r.bottom - r.top};
    EXPECT_TRUE(EqualRect(&got, &bounds)) << asked.left << ": " << got.left << "," << got.top;
  }
}

TEST_F(MainWindowTest, AddItemsRegistersTheDialogsFiles) {
  Start();
  dialogs_.answer =
      std::vector<ChosenFile>{{In("B.BAT"), true, In("B.BAT")}, {In("A.BAT"), true, In("A.BAT")}};
  const UINT add = CommandId(*FindCommand(Place::PopupMenu1, "項目追加"));
  SendMessageW(Main().Handle(), WM_COMMAND, add, 0);
  ASSERT_EQ(dialogs_.asked.size(), 1u);
  EXPECT_EQ(dialogs_.asked[0].Filter, "外部変形 BAT ファイル|*.bat");
  EXPECT_TRUE(dialogs_.asked[0].MultiSelect);
  EXPECT_EQ(dialogs_.asked[0].InitialDir, system_.folder);
  EXPECT_EQ(Main().Grid().Cell(1, 1), "  B.BAT");
  EXPECT_EQ(Main().Grid().Cell(2, 1), "B.BAT summary");
  EXPECT_EQ(Main().Grid().Cell(2, 2), "A.BAT summary");
  EXPECT_EQ(program_->Form().Cat().PickedBatPath(), In("B.BAT"));
}

// A shown window of a class ("#32770" a message box, "#32768" a menu): a
// timer finds it while its modal loop runs.
HWND Shown(const wchar_t* window_class) {
  HWND window = FindWindowW(window_class, nullptr);
  return window != nullptr && IsWindowVisible(window) ? window : nullptr;
}

// Runs once while a message box is open; every box is then answered: OK, or
// a message with a list closed.
std::function<void()> during_box;
void CALLBACK AnswerBoxes(HWND, UINT, UINT_PTR, DWORD) {
  if (HWND box = Shown(L"#32770")) {
    if (during_box) std::exchange(during_box, nullptr)();
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  } else if (HWND list = Shown(ListWindow::kClassName)) {
    if (during_box) std::exchange(during_box, nullptr)();
    PostMessageW(list, WM_CLOSE, 0, 0);
  }
}

TEST_F(MainWindowTest, NoCloseWhileAModalBoxIsOpen) {
  // The task-bar button's Close during a message, a second close during a
  // failed save's message. Either, run, would destroy the window under the box.
  for (const bool failed_save : {false, true}) {
    WriteCatalogue();
    Start();
    // Another program holds the catalogue until the box shows: the save fails.
    HANDLE holder = CreateFileW(Widen(In("Z_Orbi.DAT")).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    if (!failed_save) CloseHandle(holder);
    during_box = [&] {
      if (!failed_save) return (void)SendMessageW(application_->Handle(), WM_CLOSE, 0, 0);
      CloseHandle(holder);
      program_->Form().Close();
    };
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, AnswerBoxes);
    if (failed_save) SendMessageW(Main().Handle(), WM_CLOSE, 0, 0);
    if (!failed_save) MessageBoxW(Main().Handle(), L"message", L"Z_ORBI", MB_OK);
    KillTimer(nullptr, timer);
    EXPECT_FALSE(during_box) << "no box was shown";
    EXPECT_NE(Main().Handle(), nullptr) << "failed save: " << failed_save;
    if (Main().Handle() != nullptr) SendMessageW(Main().Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(Main().Handle(), nullptr) << "the close after the box failed";
    Pump();
  }
}

// Notes the popup menu shown while a timer runs, and closes it.
HMENU menu_shown = nullptr;
RECT menu_bounds{};
void CALLBACK NoteMenu(HWND, UINT, UINT_PTR, DWORD) {
  if (HWND menu = Shown(L"#32768")) {
    menu_shown = reinterpret_cast<HMENU>(SendMessageW(menu, MN_GETHMENU, 0, 0));
    GetWindowRect(menu, &menu_bounds);
  }
  EndMenu();
}

TEST_F(MainWindowTest, MenuKeysOpenTheMenusAtTheSelectedRowAndTheCaret) {
  WriteCatalogue();
  Start();
  GridControl& grid = Main().Grid();
  RECT picked_row{grid.CellRect(1, 2).left, grid.CellRect(1, 2).top, grid.CellRect(2, 2).right,
                  grid.CellRect(2, 2).bottom};
  MapWindowPoints(grid.Handle(), HWND_DESKTOP, reinterpret_cast<POINT*>(&picked_row), 2);
  HWND memo = FindWindowExW(Main().Handle(), nullptr, L"EDIT", nullptr);
  SetWindowTextW(memo, L"1\r\n2\r\n3\r\n4\r\n5");
  SendMessageW(memo, EM_SETSEL, 9, 9);  // before the 4
  RECT caret_line{0, HIWORD(SendMessageW(memo, EM_POSFROMCHAR, 9, 0)), 150,
                  HIWORD(SendMessageW(memo, EM_POSFROMCHAR, 12, 0))};
  MapWindowPoints(memo, HWND_DESKTOP, reinterpret_cast<POINT*>(&caret_line), 2);

  const struct {
    HWND control;
    WPARAM key;  // F10 with Shift
    HMENU menu;
    RECT anchor;
  } rows[] = {{grid.Handle(), VK_APPS, Main().PopupMenu1(), picked_row},
              {grid.Handle(), VK_F10, Main().PopupMenu1(), picked_row},
              {memo, VK_APPS, Main().PopupMenu2(), caret_line},
              {memo, VK_F10, Main().PopupMenu2(), caret_line}};
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "row " << &row - rows);
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = row.key == VK_F10 ? 0x80 : 0;
    SetKeyboardState(keys);
    menu_shown = nullptr;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, NoteMenu);
    const UINT down = row.key == VK_F10 ? WM_SYSKEYDOWN : WM_KEYDOWN;  // its release is next
    SendMessageW(row.control, down, row.key, 1);
    SendMessageW(row.control, down + 1, row.key, static_cast<LPARAM>(0xC0000001u));
    KillTimer(nullptr, timer);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(menu_shown, row.menu);
    EXPECT_TRUE(PtInRect(&row.anchor, POINT{menu_bounds.left, menu_bounds.top}));
  }
}

// Runs in a copy of the test prefix with a dark scheme (win32_gui_dark_scheme).
using DarkScheme = MainWindowTest;

TEST_F(DarkScheme, SystemColoursReachEveryControl) {
  ASSERT_EQ(GetSysColor(COLOR_WINDOW), RGB(0, 0, 0)) << "not run in the dark scheme's prefix";
  WriteCatalogue();
  Start();
  ASSERT_TRUE(program_->Form().Form3());
  const HWND about = program_->Form3().Handle();
  ShowWindow(about, SW_SHOWNOACTIVATE);
  const std::pair<HWND, int> rows[] = {
      {FindWindowExW(Main().Handle(), nullptr, L"EDIT", nullptr), COLOR_WINDOW},
      {FindWindowExW(Main().Handle(), nullptr, L"STATIC", L"Memo"), COLOR_BTNFACE},
      {FindWindowExW(about, nullptr, L"STATIC", nullptr), COLOR_BTNFACE}};
  const int elements[] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNFACE, COLOR_BTNTEXT};
  const COLORREF dark[] = {0, RGB(255, 255, 255), 0, RGB(255, 255, 255)},
                 light[] = {RGB(255, 255, 255), 0, RGB(212, 208, 200), 0};
  // As the program starts, then with a scheme chosen while it runs.
  for (const COLORREF* scheme : {dark, light}) {
    ASSERT_TRUE(scheme == dark || SetSysColors(4, elements, scheme));
    Pump();
    RedrawWindow(Main().Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    for (const auto& row : rows) {
      SCOPED_TRACE(testing::Message()
                   << (scheme == dark ? "dark" : "light") << " row " << &row - rows);
      const auto [control, background] = row;
      RECT client{};
      GetClientRect(control, &client);
      Pixels image(client.right, client.bottom);
      HDC dc = GetDC(control);
      BitBlt(image.Dc(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
      ReleaseDC(control, dc);
      // The background below the text's baseline; the text in another colour.
      EXPECT_EQ(image.At(0, client.bottom - 1), GetSysColor(background));
      EXPECT_GT(image.CountOther(client, GetSysColor(background)), 10);
    }
  }
  SetSysColors(4, elements, dark);
}

// Black windows: the lines between cells stay far from black.
TEST_F(DarkScheme, GridLinesShow) {
  Start();
  GridControl& grid = Main().Grid();
  RECT client{};
  GetClientRect(grid.Handle(), &client);
  Pixels image(client.right, client.bottom);
  SendMessageW(grid.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(image.Dc()), PRF_CLIENT);
  const RECT cell = grid.CellRect(2, 3);
  for (const COLORREF line : {image.At(cell.left + 5, cell.bottom), image.At(cell.right, cell.top)})
    EXPECT_GE(GetGValue(line), 100) << std::hex << line;
}

TEST_F(MainWindowTest, PickedRowIsInViewAtStartUp) {
  for (const int count : {11, 20, 25}) {
    CatalogueData c;
    c.TabList.push_back(std::make_unique<TMList>());
    for (int i = 0; i < count; ++i) {
      auto item = std::make_unique<TMenuItem>();
      item->InitItem(In("A.BAT"), "s", 0, i, "", "", "", i == count - 1 ? 2 : 0, 0);
      AddItem(*c.TabList[0], std::move(item));
    }
    WriteFile(In("Z_Orbi.DAT"), CatalogueImage(c, 1, {"Tab1"}));
    Start();
    GridControl& grid = Main().Grid();
    EXPECT_EQ(grid.Row(), count);
    EXPECT_LE(grid.TopRow(), count);
    EXPECT_LT(count, grid.TopRow() + grid.VisibleRowCount()) << count << " items";
    program_.reset();
  }
}

TEST_F(MainWindowTest, DroppedFilesRegisterTheBatFilesOnly) {
  Start();
  WriteFile(In("note.txt"), "x");
  std::wstring names;
  for (const char* name : {"B.BAT", "note.txt", "A.BAT"}) names += Widen(In(name)) + L'\0';
  names += L'\0';
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  memcpy(drop + 1, names.data(), names.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  std::wstring shown;
  during_box = [&] {
    wchar_t text[512] = {};
    GetDlgItemTextW(Shown(ListWindow::kClassName), ListWindow::kListId, text, 511);
    shown = text;
  };
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, AnswerBoxes);
  SendMessageW(Main().Grid().Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
  KillTimer(nullptr, timer);
  EXPECT_NE(shown.find(L"note.txt"), std::wstring::npos);
  EXPECT_EQ(shown.find(L"A.BAT"), std::wstring::npos);
  EXPECT_EQ(Main().Grid().Cell(1, 1), "  B.BAT");
  EXPECT_EQ(Main().Grid().Cell(1, 2), "  A.BAT");
  EXPECT_EQ(Main().Grid().Cell(2, 2), "A.BAT summary");
  EXPECT_EQ(Main().Grid().Cell(1, 3), "");
}

// Whether the menu's item with this command carries its check mark.
bool Checked(HMENU menu, UINT id) {
  return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

TEST_F(MainWindowTest, SettingsWrittenAtCloseComeBackAtTheNextStart) {
  WriteFile(In("Z_Orbi.ini"),
            "; kept\r\n[Option]\r\nMultiLine=1\r\nKeyRan=1\r\nInfo=-1\r\n"
            "[File]\r\nEditor=C:\\ed.exe\r\n[List]\r\nFontSize=12\r\nFontStyle=1\r\n"
            "ColWidths[1]=70\r\n[Memo]\r\nFontName=\"IPAGothic\"\r\n"
            "[Form]\r\nTop=-5\r\nLeft=40\r\nWidth=400\r\nHeight=420\r\n");
  std::string written;
  for (int run = 0; run < 2; ++run) {
    Start();
    HMENU option = GetSubMenu(GetMenu(Main().Handle()), 1);
    HMENU tab_view = GetSubMenu(Main().PopupMenu1(), 12);
    const UINT k7 = GetMenuItemID(option, 1);
    EXPECT_TRUE(Checked(option, k7) && Checked(tab_view, GetMenuItemID(tab_view, 0))) << run;
    EXPECT_NE(GetWindowLongPtrW(Main().TabStrip(), GWL_STYLE) & TCS_MULTILINE, 0) << run;
    EXPECT_TRUE(Checked(option, GetMenuItemID(option, 3)) &&
                Checked(option, GetMenuItemID(option, 4)));
    EXPECT_FALSE(Checked(option, GetMenuItemID(option, 5)));
    EXPECT_EQ(program_->Form().Settings().Editor, "C:\\ed.exe");
    EXPECT_EQ(Main().Grid().Font(), (FontSpec{"ＭＳ Ｐゴシック", 12, 1, kSystemTextColor}));
    EXPECT_EQ(Main().Grid().DefaultRowHeight(), 24);
    EXPECT_EQ(Main().Grid().ColWidth(0), 36);
    EXPECT_EQ(Main().Grid().ColWidth(1), 70);
    // Top -5 is moved back inside; the width is held at its minimum.
    EXPECT_EQ(Main().WindowBounds(), (Bounds{40, 0, 545, 420})) << run;
    SendMessageW(Main().Handle(), WM_CLOSE, 0, 0);
    Pump();
    ASSERT_EQ(Main().Handle(), nullptr);
    const std::string ini = ReadFile(In("Z_Orbi.ini"));
    // Values the program did not change keep their bytes (Info=-1 means on).
    EXPECT_EQ(ini.rfind("; kept\r\n[Option]\r\nMultiLine=1\r\nKeyRan=1\r\nInfo=-1\r\n", 0), 0u);
    EXPECT_NE(ini.find("FontName=\"IPAGothic\""), std::string::npos);
    if (run == 1) {
      EXPECT_EQ(ini, written);  // nothing drifts from run to run
    }
    written = ini;
  }
}

TEST(OpenDialog, SettingsAndResultParsing) {
  OpenDialogOptions options;
  options.Filter = "外部変形 BAT ファイル|*.bat";
  options.MultiSelect = true;
  options.FileMustExist = true;
  const DWORD flags = OpenDialogFlags(options);
  EXPECT_NE(flags & OFN_ALLOWMULTISELECT, 0u);
  EXPECT_NE(flags & OFN_FILEMUSTEXIST, 0u);
  EXPECT_NE(flags & OFN_EXPLORER, 0u);
  EXPECT_EQ(DialogFilter(options.Filter), std::wstring(L"外部変形 BAT ファイル\0*.bat\0\0", 21));

  EXPECT_EQ(SplitDialogResult(std::wstring(L"C:\\x\\a.bat\0\0", 12)),
            (std::vector<std::wstring>{L"C:\\x\\a.bat"}));
  EXPECT_EQ(SplitDialogResult(std::wstring(L"C:\\x\0b.bat\0a.bat\0\0", 19)),
            (std::vector<std::wstring>{L"C:\\x\\b.bat", L"C:\\x\\a.bat"}));
  EXPECT_EQ(SplitDialogResult(std::wstring(L"C:\\\0a.bat\0\0", 11)),
            (std::vector<std::wstring>{L"C:\\a.bat"}));
}

}  // namespace
}  // namespace zorbi::win32
