#include "grid_control.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "pixels.h"

namespace zorbi::win32 {
namespace {

// The item grid's layout: columns 26/90/219 and rows 20 px high, each cell
// followed by a 1-pixel grid line. Points are worked out here from those
// numbers rather than asked of the grid.
constexpr int kWidths[] = {26, 90, 219};
constexpr int kPitch = 21;
constexpr int kColLeft[] = {0, 27, 118};

struct Selected {
  int col, row;
  friend bool operator==(const Selected&, const Selected&) = default;
};

struct Key {
  int vk;
  bool shift, ctrl, alt;
  friend bool operator==(const Key&, const Key&) = default;
};

// A plain top-level window for the grid to live in.
class Host final : public Window {
 public:
  HWND Create() {
    CreateHandle(WindowClass{L"GridTestHost"}, 0, L"grid test", WS_OVERLAPPEDWINDOW,
                 RECT{50, 50, 570, 470}, nullptr, nullptr);
    return Handle();
  }
};

class GridControlTest : public testing::Test {
 protected:
  void SetUp() override {
    host_ = host_window_.Create();
    ASSERT_NE(host_, nullptr);
    button_ = CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 380, 10, 60,
                              25, host_, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(button_, nullptr);
    // 300 px high: the client area shows the header and 13 whole rows.
    ASSERT_TRUE(grid_.Create(host_, 100, RECT{0, 0, 360, 300}));
    for (int col = 0; col < 3; ++col) grid_.SetColWidth(col, kWidths[col]);
    ShowWindow(host_, SW_SHOWNOACTIVATE);
    ASSERT_EQ(grid_.VisibleRowCount(), 13);

    grid_.OnSelectCell = [this](int col, int row, bool& can_select) {
      selected_.push_back({col, row});
      can_select = allow_;
    };
    grid_.OnDblClick = [this](int) { ++double_clicks_; };
    grid_.OnKeyDown = [this](int vk, ShiftState s) {
      keys_down_.push_back({vk, s.Shift, s.Ctrl, s.Alt});
      row_at_key_down_ = grid_.Row();
    };
    grid_.OnKeyUp = [this](int vk, ShiftState s) {
      keys_up_.push_back({vk, s.Shift, s.Ctrl, s.Alt});
    };
    grid_.OnExit = [this] { ++exits_; };
  }

  void TearDown() override { SetModifiers(false, false, false); }

  int VisibleRows() const {
    RECT client;
    GetClientRect(grid_.Handle(), &client);
    return (client.bottom - kPitch) / kPitch;
  }
  static POINT At(int col, int row, int top_row = 1) {
    const int y = row == 0 ? 10 : kPitch * (1 + row - top_row) + 10;
    return {kColLeft[col] + kWidths[col] / 2, y};
  }
  LRESULT Send(UINT message, WPARAM wparam, LPARAM lparam) {
    return SendMessageW(grid_.Handle(), message, wparam, lparam);
  }
  void Mouse(UINT message, POINT p, WPARAM buttons = MK_LBUTTON) {
    Send(message, buttons, MAKELPARAM(p.x, p.y));
  }
  void Click(POINT p) {
    Mouse(WM_LBUTTONDOWN, p);
    Mouse(WM_LBUTTONUP, p, 0);
  }
  void Press(int vk) {
    Send(WM_KEYDOWN, static_cast<WPARAM>(vk), 1);
    Send(WM_KEYUP, static_cast<WPARAM>(vk), static_cast<LPARAM>(0xC0000001u));
  }
  // The thread's key state, which GetKeyState reads at each key message.
  static void SetModifiers(bool shift, bool ctrl, bool alt) {
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_SHIFT] = shift ? 0x80 : 0;
    state[VK_CONTROL] = ctrl ? 0x80 : 0;
    state[VK_MENU] = alt ? 0x80 : 0;
    SetKeyboardState(state);
  }
  static GridRect RowSel(int row) { return {1, row, 2, row}; }

  Host host_window_;
  HWND host_ = nullptr;
  HWND button_ = nullptr;
  GridControl grid_;
  bool allow_ = true;
  std::vector<Selected> selected_;
  std::vector<Key> keys_down_, keys_up_;
  int double_clicks_ = 0;
  int exits_ = 0;
  int row_at_key_down_ = -1;
};

TEST_F(GridControlTest, ClickAsksThenSelectsTheWholeRow) {
  Click(At(2, 3));
  EXPECT_EQ(selected_, (std::vector<Selected>{{2, 3}}));
  EXPECT_EQ(grid_.Selection(), RowSel(3));
  EXPECT_EQ(grid_.Row(), 3);
  EXPECT_EQ(grid_.Col(), 2);
  EXPECT_EQ(GetFocus(), grid_.Handle());

  // The current row asks again: the handler re-checks the pick.
  Click(At(1, 3));
  EXPECT_EQ(selected_, (std::vector<Selected>{{2, 3}, {1, 3}}));
  EXPECT_EQ(grid_.Col(), 1);
}

TEST_F(GridControlTest, RefusedSelectionStaysWhereItWas) {
  allow_ = false;
  Click(At(2, 4));
  Press(VK_DOWN);
  EXPECT_EQ(selected_, (std::vector<Selected>{{2, 4}, {1, 2}}));
  EXPECT_EQ(grid_.Selection(), RowSel(1));
  EXPECT_EQ(grid_.Row(), 1);
}

TEST_F(GridControlTest, DoubleClickRaisesDblClickAfterTheClickSelected) {
  const POINT p = At(2, 6);
  Mouse(WM_LBUTTONDOWN, p);
  Mouse(WM_LBUTTONUP, p, 0);
  Mouse(WM_LBUTTONDBLCLK, p);
  Mouse(WM_LBUTTONUP, p, 0);
  EXPECT_EQ(selected_, (std::vector<Selected>{{2, 6}}));
  EXPECT_EQ(double_clicks_, 1);
  EXPECT_EQ(grid_.Selection(), RowSel(6));
}

TEST_F(GridControlTest, KeyEventsCarryTheKeyAndTheModifiersOfTheirMoment) {
  SetModifiers(false, true, false);
  Send(WM_KEYDOWN, '3', 1);
  SetModifiers(true, false, false);
  Send(WM_KEYUP, '3', static_cast<LPARAM>(0xC0000001u));
  SetModifiers(false, false, false);
  Press(VK_RETURN);
  EXPECT_EQ(keys_down_,
            (std::vector<Key>{{'3', false, true, false}, {VK_RETURN, false, false, false}}));
  EXPECT_EQ(keys_up_,
            (std::vector<Key>{{'3', true, false, false}, {VK_RETURN, false, false, false}}));

  // Alt comes as a system key and still reaches the handlers.
  SetModifiers(false, false, true);
  Send(WM_SYSKEYDOWN, '5', static_cast<LPARAM>(0x20000001));
  EXPECT_EQ(keys_down_.back(), (Key{'5', false, false, true}));
  SetModifiers(false, false, false);
  EXPECT_TRUE(selected_.empty());
}

TEST_F(GridControlTest, OnlyReleasesOfKeysPressedInTheGridAreReported) {
  // The Enter that chose a menu command or closed a message box is released
  // over the grid, but was pressed elsewhere.
  Send(WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0xC0000001u));
  EXPECT_TRUE(keys_up_.empty());

  SetFocus(grid_.Handle());
  Send(WM_KEYDOWN, '4', 1);
  SetFocus(button_);  // a message box takes the focus while the key is down
  SetFocus(grid_.Handle());
  Send(WM_KEYUP, '4', static_cast<LPARAM>(0xC0000001u));
  EXPECT_TRUE(keys_up_.empty());

  Press('4');
  EXPECT_EQ(keys_up_, (std::vector<Key>{{'4', false, false, false}}));
}

TEST_F(GridControlTest, KeyDownHandlerRunsBeforeTheGridMoves) {
  Press(VK_DOWN);
  EXPECT_EQ(row_at_key_down_, 1);
  EXPECT_EQ(grid_.Row(), 2);

  // A handler that selects a row from code wins over nothing: digits do not navigate.
  grid_.OnKeyDown = [this](int, ShiftState) { grid_.SetSelection(RowSel(7)); };
  Press('7');
  EXPECT_EQ(grid_.Selection(), RowSel(7));
  EXPECT_EQ(selected_.size(), 1u);
}

TEST_F(GridControlTest, DialogManagerLeavesEnterToTheGridAndMovesOnTab) {
  grid_.SetFocus();
  ASSERT_EQ(GetFocus(), grid_.Handle());
  for (const WPARAM vk : {WPARAM{VK_RETURN}, WPARAM{VK_ESCAPE}, WPARAM{VK_DOWN}}) {
    MSG msg{grid_.Handle(), WM_KEYDOWN, vk, 1, 0, {0, 0}};
    EXPECT_TRUE(IsDialogMessageW(host_, &msg));
  }
  ASSERT_EQ(keys_down_.size(), 3u);
  EXPECT_EQ(keys_down_[0].vk, VK_RETURN);
  EXPECT_EQ(keys_down_[1].vk, VK_ESCAPE);
  EXPECT_EQ(grid_.Row(), 2);
  EXPECT_EQ(GetFocus(), grid_.Handle());

  MSG tab{grid_.Handle(), WM_KEYDOWN, VK_TAB, 1, 0, {0, 0}};
  EXPECT_TRUE(IsDialogMessageW(host_, &tab));
  EXPECT_EQ(keys_down_.size(), 3u);
  EXPECT_EQ(GetFocus(), button_);
  EXPECT_EQ(exits_, 1);
}

TEST_F(GridControlTest, ChangesFromCodeRaiseNoEvents) {
  grid_.SetSelection(GridRect{1, 18, 2, 18});
  EXPECT_EQ(grid_.TopRow(), 1) << "selecting from code does not scroll";
  grid_.ScrollIntoView(18);
  grid_.SetTopRow(2);
  grid_.SetCell(1, 3, "  A.BAT");
  grid_.SetRowCount(40);
  grid_.SetRowCount(21);
  grid_.SetRowSelect(false);
  grid_.SetRowSelect(true);
  grid_.SetColWidth(2, 300);
  grid_.SetEnabled(false);
  grid_.SetEnabled(true);
  EXPECT_TRUE(selected_.empty());
  EXPECT_TRUE(keys_down_.empty());
  EXPECT_EQ(double_clicks_, 0);
  EXPECT_EQ(exits_, 0);
}

TEST_F(GridControlTest, ScrollBarsShowOnlyWhenNeeded) {
  const auto style = [this] { return GetWindowLongPtrW(grid_.Handle(), GWL_STYLE); };
  EXPECT_NE(style() & WS_VSCROLL, 0);
  EXPECT_EQ(style() & WS_HSCROLL, 0);
  // Only a column wider than the grid leaves the last one too little.
  grid_.SetColWidth(1, 400);
  EXPECT_NE(style() & WS_HSCROLL, 0);
  // Right arrow under whole-row selection scrolls the view, not the selection.
  Press(VK_RIGHT);
  EXPECT_GT(GetScrollPos(grid_.Handle(), SB_HORZ), 0);
  EXPECT_TRUE(selected_.empty());
  grid_.SetColWidth(1, kWidths[1]);
  EXPECT_EQ(style() & WS_HSCROLL, 0);
  grid_.SetTopRow(5);
  EXPECT_EQ(GetScrollPos(grid_.Handle(), SB_VERT), 5);
  grid_.SetRowCount(5);
  EXPECT_EQ(style() & WS_VSCROLL, 0);
}

TEST_F(GridControlTest, CellEditorOpensCommitsRestoresAndRefuses) {
  std::vector<char32_t> refused;
  grid_.OnRefused = [&](char32_t c) { refused.push_back(c); };
  grid_.SetRowSelect(false);
  grid_.SetEditing(true);
  grid_.SetSelection({2, 3, 2, 3});
  grid_.SetCell(2, 3, "old");
  SetFocus(grid_.Handle());
  const std::function<void()> starts[] = {
      [&] { Press(VK_F2); },
      [&] { Press(VK_RETURN); },
      [&] { Click(At(2, 3)); },
      [&] { Send(WM_CHAR, L'x', 1); },
  };
  for (const auto& start : starts) {
    start();
    ASSERT_TRUE(grid_.EditorOpen());
    EXPECT_EQ(GetFocus(), grid_.Editor());
    SendMessageW(grid_.Editor(), WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_FALSE(grid_.EditorOpen());
    EXPECT_EQ(grid_.Cell(2, 3), "old");
    EXPECT_EQ(GetFocus(), grid_.Handle());
  }
  EXPECT_EQ(exits_, 0);

  // An input method's result arrives as characters: the first opens the editor.
  for (const wchar_t c : std::wstring(L"日本語")) Send(WM_CHAR, c, 1);
  SendMessageW(grid_.Editor(), WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_EQ(grid_.Cell(2, 3), "\x93\xfa\x96\x7b\x8c\xea");

  Send(WM_CHAR, L'\u00e9', 1);
  SendMessageW(grid_.Editor(), WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_TRUE(grid_.EditorOpen());
  EXPECT_EQ(refused, std::vector<char32_t>{0xE9});
  EXPECT_FALSE(grid_.EndCellEdit());
  EXPECT_EQ(grid_.Cell(2, 3), "\x93\xfa\x96\x7b\x8c\xea");
  SetWindowTextW(grid_.Editor(), L"ok");
  SetFocus(button_);  // leaving the grid commits
  EXPECT_EQ(grid_.Cell(2, 3), "ok");
  EXPECT_EQ(exits_, 1);
}

TEST_F(GridControlTest, RowsDragByTheirNumberWithAutoScroll) {
  std::vector<std::pair<int, int>> moved;
  grid_.OnRowMoved = [&](int from, int to) { moved.emplace_back(from, to); };
  Mouse(WM_LBUTTONDOWN, At(0, 2));
  Mouse(WM_LBUTTONUP, At(0, 2), 0);
  EXPECT_TRUE(moved.empty()) << "off, the number column does nothing";

  grid_.SetRowMoving(true);
  Mouse(WM_LBUTTONDOWN, At(0, 2));
  Mouse(WM_MOUSEMOVE, At(1, 5));
  EXPECT_EQ(grid_.DropRow(), 5);
  Mouse(WM_LBUTTONUP, At(1, 5), 0);
  EXPECT_EQ(moved, (std::vector<std::pair<int, int>>{{2, 5}}));
  EXPECT_TRUE(selected_.empty());

  // Held at the bottom edge, the view scrolls on each tick.
  RECT client;
  GetClientRect(grid_.Handle(), &client);
  Mouse(WM_LBUTTONDOWN, At(0, 1));
  Mouse(WM_MOUSEMOVE, POINT{5, client.bottom - 2});
  Send(WM_TIMER, 1, 0);
  EXPECT_EQ(GetScrollPos(grid_.Handle(), SB_VERT), 2);
  Send(WM_CANCELMODE, 0, 0);
  EXPECT_EQ(moved.size(), 1u) << "a cancelled drag moves nothing";
}

TEST_F(GridControlTest, HandlerMayDestroyTheGrid) {
  grid_.OnSelectCell = [this](int, int, bool&) { DestroyWindow(grid_.Handle()); };
  Click(At(1, 4));
  EXPECT_EQ(grid_.Handle(), nullptr);
  EXPECT_EQ(grid_.Selection(), RowSel(1));
}

TEST_F(GridControlTest, CellWritesRepaintOnlyTheirRowAndOnlyOnScreen) {
  // A tab of many rows is filled row by row: rows off screen must not repaint.
  grid_.SetRowCount(101);
  grid_.SetTopRow(40);
  const struct {
    int row;
    bool repaints;
  } cases[] = {{39, false}, {0, true},   {40, true}, {45, true},
               {53, true},  {54, false}, {80, false}};
  for (const auto& c : cases) {
    // Whatever the window system still has to paint goes first.
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    RedrawWindow(host_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    ValidateRect(grid_.Handle(), nullptr);
    ASSERT_FALSE(GetUpdateRect(grid_.Handle(), nullptr, FALSE));
    grid_.SetCell(2, c.row, "x");
    RECT dirty{};
    const bool any = GetUpdateRect(grid_.Handle(), &dirty, FALSE) != FALSE;
    EXPECT_EQ(any, c.repaints) << "row " << c.row;
    if (!any) continue;
    const int top = c.row == 0 ? 0 : kPitch * (1 + c.row - 40);
    EXPECT_GE(dirty.top, top) << "row " << c.row;
    EXPECT_LE(dirty.bottom, top + kPitch) << "row " << c.row;
  }
}

// Many rows named after their number, noting the rows it is asked about.
struct NumberedRows final : GridRowSource {
  int Count() const override { return 100000; }
  std::string Cell(int col, int row) const override {
    asked.push_back(row);
    return std::to_string(col) + ":" + std::to_string(row);
  }
  TMenuItem* Item(int) const override { return nullptr; }
  std::string WidestNumber() const override { return "  100000"; }
  mutable std::vector<int> asked;
};

TEST_F(GridControlTest, RowSourceIsAskedForTheRowsShownOnly) {
  NumberedRows rows;
  grid_.SetRowCount(100001);
  grid_.SetRowSource(&rows);
  EXPECT_TRUE(rows.asked.empty());
  EXPECT_GT(grid_.PixelColWidth(0), kWidths[0]) << "fitted to the widest number";
  for (const int last : {false, true}) {
    grid_.SetTopRow(last ? 100000 : 1);
    const int top = grid_.TopRow();
    rows.asked.clear();
    UpdateWindow(grid_.Handle());
    ASSERT_FALSE(rows.asked.empty());
    EXPECT_GE(*std::min_element(rows.asked.begin(), rows.asked.end()), top);
    EXPECT_LE(*std::max_element(rows.asked.begin(), rows.asked.end()), top + VisibleRows());
  }
}

// Rows whose number column holds the text the test gives it.
struct LabelledRows final : GridRowSource {
  int Count() const override { return 20; }
  std::string Cell(int col, int) const override { return col == 0 ? widest : "x"; }
  TMenuItem* Item(int) const override { return nullptr; }
  std::string WidestNumber() const override { return widest; }
  std::string widest = "  20";
};

// Marks, a long tab, a long tab name over the results, the marks gone; with
// and without the vertical scroll bar.
TEST_F(GridControlTest, ColumnsFillTheWidthWhateverTheNumberColumnHolds) {
  LabelledRows rows;
  grid_.SetRowSource(&rows);
  const int plain = grid_.PixelColWidth(0);
  const std::string mark = "\x81\x7E ", name = "\x92\xB7\x82\xA2\x83\x5E\x83\x75\x96\xBC";
  for (const std::string& widest :
       {mark + "10", mark + "5000", "  " + name + name + name, std::string("  20")}) {
    rows.widest = widest;
    grid_.RowsChanged();
    for (const int count : {21, 5}) {
      grid_.SetRowCount(count);
      RECT client;
      GetClientRect(grid_.Handle(), &client);
      const int w0 = grid_.PixelColWidth(0);
      EXPECT_EQ(w0 + grid_.PixelColWidth(1) + grid_.PixelColWidth(2) + 3, client.right) << widest;
      EXPECT_EQ(GetWindowLongPtrW(grid_.Handle(), GWL_STYLE) & WS_HSCROLL, 0);
      EXPECT_TRUE(widest == "  20" ? w0 == plain : w0 > plain && w0 <= client.right / 3) << widest;
    }
  }
}

// A 32-bit top-down bitmap to draw into, 0x00RRGGBB per pixel.
class GridDrawingTest : public GridControlTest {
 protected:
  void SetUp() override {
    GridControlTest::SetUp();
    font_ = CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                        L"ＭＳ Ｐゴシック");
    ASSERT_NE(font_, nullptr);
    Send(WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  }
  void TearDown() override {
    GridControlTest::TearDown();
    DeleteObject(font_);
  }
  // The client area as the grid paints it.
  std::unique_ptr<Pixels> Render() {
    RECT client;
    GetClientRect(grid_.Handle(), &client);
    auto image = std::make_unique<Pixels>(client.right, client.bottom);
    Send(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(image->Dc()), PRF_CLIENT);
    return image;
  }

  HFONT font_ = nullptr;
};

TEST_F(GridDrawingTest, FixedCellsInButtonFaceSelectionHighlighted) {
  EXPECT_EQ(Send(WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(font_));
  grid_.SetSelection(RowSel(4));
  const auto image = Render();

  const COLORREF face = GetSysColor(COLOR_BTNFACE), window = GetSysColor(COLOR_WINDOW),
                 highlight = GetSysColor(COLOR_HIGHLIGHT);
  EXPECT_EQ(image->At(kColLeft[2] + 150, At(2, 4).y), highlight);
  EXPECT_EQ(image->At(kColLeft[1] + 80, At(1, 4).y), highlight);
  EXPECT_EQ(image->At(kColLeft[0] + 20, At(0, 6).y), face);
  EXPECT_EQ(image->At(kColLeft[0] + 20, At(0, 4).y), face) << "the number cell is not selected";
  EXPECT_EQ(image->At(kColLeft[2] + 150, 10), face);
  EXPECT_EQ(image->At(kColLeft[2] + 150, At(2, 5).y), window);
  const COLORREF line = image->At(kColLeft[2] + 150, kPitch * 5 - 1);  // below row 4
  EXPECT_NE(line, window);
  EXPECT_NE(line, highlight);
  EXPECT_EQ(image->At(kColLeft[1] + 10, kPitch * 5 - 1), line);
  EXPECT_EQ(image->At(kColLeft[2] - 1, At(2, 7).y), line) << "line between columns 1 and 2";
}

TEST_F(GridDrawingTest, TextStartsTwoPixelsInAndStaysInItsCell) {
  const std::string kanji = "\x89\x7E\x82\xF0\x95\x60\x82\xAD";  // 円を描く
  grid_.SetCell(2, 3, kanji);
  grid_.SetCell(1, 2, "  A_VERY_LONG_FILE_NAME_THAT_DOES_NOT_FIT.BAT");
  grid_.SetCell(2, 5, std::string(80, 'W'));
  const auto image = Render();
  const COLORREF window = GetSysColor(COLOR_WINDOW);

  // The same text drawn by hand at (2, 2) of a cell-sized bitmap.
  const RECT cell{0, 0, kWidths[2], 20};
  Pixels expected(cell.right, cell.bottom);
  SetBkColor(expected.Dc(), window);
  ExtTextOutW(expected.Dc(), 0, 0, ETO_OPAQUE, &cell, nullptr, 0, nullptr);
  SelectObject(expected.Dc(), font_);
  SetBkMode(expected.Dc(), TRANSPARENT);
  SetTextColor(expected.Dc(), GetSysColor(COLOR_WINDOWTEXT));
  ExtTextOutW(expected.Dc(), 2, 2, ETO_CLIPPED, &cell, L"円を描く", 4, nullptr);
  ASSERT_GT(expected.CountOther(cell, window), 20);
  int differing = 0;
  for (int y = 0; y < cell.bottom; ++y) {
    for (int x = 0; x < cell.right; ++x) {
      differing += image->At(kColLeft[2] + x, kPitch * 3 + y) != expected.At(x, y);
    }
  }
  EXPECT_EQ(differing, 0);

  EXPECT_GT(image->CountOther(RECT{kColLeft[1] + 2, kPitch * 2, kColLeft[1] + 88, kPitch * 3 - 1},
                              window),
            20);
  EXPECT_EQ(image->CountOther(RECT{kColLeft[2], kPitch * 2, 330, kPitch * 3 - 1}, window), 0)
      << "the long name spilled into the summary column";
  // The last column reaches the client area's edge; the summary stops at its line.
  RECT client;
  GetClientRect(grid_.Handle(), &client);
  ASSERT_EQ(kColLeft[2] + grid_.PixelColWidth(2) + 1, client.right);
  const COLORREF line = image->At(kColLeft[2] - 1, kPitch * 7 + 10);
  EXPECT_EQ(image->At(client.right - 1, kPitch * 5 + 10), line)
      << "the long summary spilled out of the last column";
}

// As in the system's lists: no focus rectangle while the window hides it
// (a mouse user's), shown again once a key moves the pick.
TEST_F(GridDrawingTest, FocusRectangleFollowsTheWindowsKeyboardCues) {
  SetFocus(grid_.Handle());
  grid_.SetSelection(RowSel(4));
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  auto row = [](int n) {
    return RECT{kColLeft[1], kPitch * n, kColLeft[1] + kWidths[1], kPitch * (n + 1) - 1};
  };
  ASSERT_GT(Render()->CountOther(row(4), highlight), 0);
  Send(WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);  // as the system tells children
  EXPECT_EQ(Render()->CountOther(row(4), highlight), 0);
  Press(VK_DOWN);
  EXPECT_GT(Render()->CountOther(row(5), highlight), 0);
}

}  // namespace
}  // namespace zorbi::win32
