// The item grid as an MSAA client sees it, asked the way a screen reader
// asks: through AccessibleObjectFromWindow and the objects it hands out.
#include <windows.h>

#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "cp932.h"
#include "grid_control.h"

namespace zorbi::win32 {
namespace {

// `count` items named after their row; the rows read are noted.
struct Rows final : GridRowSource {
  int Count() const override { return count; }
  std::string Cell(int col, int row) const override {
    asked.insert(row);
    const std::string n = std::to_string(row);
    return col == 0 ? number_column + n : col == 1 ? "  F" + n + ".BAT" : "S" + n;
  }
  const TMenuItem* Item(int) const override { return nullptr; }
  std::string WidestNumber() const override { return number_column + std::to_string(count); }
  int count = 0;
  std::string number_column;
  mutable std::set<int> asked;
};

using Object = std::unique_ptr<IAccessible, decltype([](IAccessible* a) { a->Release(); })>;

Object From(IDispatch* dispatch) {
  IAccessible* object = nullptr;
  if (dispatch != nullptr) {
    dispatch->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&object));
    dispatch->Release();
  }
  return Object(object);
}
Object From(const VARIANT& v) {
  return From(v.vt == VT_DISPATCH ? v.pdispVal : nullptr);
}

VARIANT Child(LONG id) {
  VARIANT v{};
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

// A text property of an object or its child, "" when it has none.
std::string Text(const Object& object, HRESULT (IAccessible::*get)(VARIANT, BSTR*),
                 LONG child = CHILDID_SELF) {
  BSTR text = nullptr;
  if (object == nullptr || ((*object).*get)(Child(child), &text) != S_OK) return "";
  const std::string result = Narrow(text).value_or("?");
  SysFreeString(text);
  return result;
}
std::string Name(const Object& object, LONG child = CHILDID_SELF) {
  return Text(object, &IAccessible::get_accName, child);
}
LONG Number(const Object& object, HRESULT (IAccessible::*get)(VARIANT, VARIANT*),
            LONG child = CHILDID_SELF) {
  VARIANT v{};
  return SUCCEEDED(((*object).*get)(Child(child), &v)) && v.vt == VT_I4 ? v.lVal : -1;
}
LONG State(const Object& object, LONG child = CHILDID_SELF) {
  return Number(object, &IAccessible::get_accState, child);
}

struct Event {
  DWORD event;
  LONG child;
  friend bool operator==(const Event&, const Event&) = default;
};
std::vector<Event> events;
HWND watched = nullptr;
void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                      DWORD) {
  if (window == watched && object == OBJID_CLIENT && event != EVENT_OBJECT_LOCATIONCHANGE)
    events.push_back({event, child});
}

class GridAccessibleTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    host_ = CreateWindowExW(0, L"STATIC", L"grid", WS_OVERLAPPEDWINDOW, 50, 50, 520, 420, nullptr,
                            nullptr, nullptr, nullptr);
    // 300 px high: the header and 13 rows show.
    ASSERT_TRUE(grid_.Create(host_, 100, RECT{0, 0, 360, 300}));
    ShowWindow(host_, SW_SHOWNOACTIVATE);
    grid_.OnSelectCell = [this](int, int row, bool& can_select) {
      asked_.push_back(row);
      can_select = allow_;
    };
    grid_.OnDblClick = [this](int row) { run_.push_back(row); };
    ShowRows(40, false);
    SetFocus(grid_.Handle());
    IAccessible* table = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(grid_.Handle(), OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&table)),
              S_OK);
    table_.reset(table);
  }
  void TearDown() override {
    if (hook_ != nullptr) UnhookWinEvent(hook_);
    table_.reset();
    DestroyWindow(host_);
    CoUninitialize();
  }

  // A tab of `count` items, or as many results, as the form shows them.
  void ShowRows(int count, bool results) {
    rows_.count = count;
    rows_.number_column = results ? "  Tab" : "  ";
    grid_.SetCell(0, 0, results ? "タブ" : "");
    grid_.SetCell(1, 0, "ファイル名");
    grid_.SetRowCount(std::max(21, count + 1));
    grid_.SetRowSource(&rows_);
    grid_.SetSelection({1, 1, 2, 1});
  }
  Object Row(LONG row) const {
    IDispatch* child = nullptr;
    table_->get_accChild(Child(row), &child);
    return From(child);
  }

  // Delivers what is posted until `done` holds, for at most five seconds.
  static bool PumpUntil(const std::function<bool()>& done) {
    for (const ULONGLONG end = GetTickCount64() + 5000; GetTickCount64() < end;) {
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
      if (done()) return true;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return false;
  }
  // The events the grid raised for what was done since the last call: a
  // mark raised after them comes last.
  std::vector<Event> Told() {
    if (hook_ == nullptr) {
      PumpUntil([] { return true; });
      watched = grid_.Handle();
      hook_ = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, OnEvent, GetCurrentProcessId(), 0,
                              WINEVENT_OUTOFCONTEXT);
    }
    const Event mark{EVENT_OBJECT_HELPCHANGE, 999};
    PumpUntil([] { return true; });
    NotifyWinEvent(mark.event, grid_.Handle(), OBJID_CLIENT, mark.child);
    EXPECT_TRUE(PumpUntil([&] { return !events.empty() && events.back() == mark; }));
    std::vector<Event> told(events.begin(), events.end() - (events.empty() ? 0 : 1));
    events.clear();
    return told;
  }

  HWND host_ = nullptr;
  GridControl grid_;
  Rows rows_;
  Object table_;
  HWINEVENTHOOK hook_ = nullptr;
  bool allow_ = true;
  std::vector<int> asked_, run_;
};

TEST_F(GridAccessibleTest, ATableOfRowsAndCellsForATabResultsAndAnEmptyTab) {
  const struct {
    int count;
    bool results;
    std::string table, row2, number_header;
  } shown[] = {
      {40, false, "項目", "2 F2.BAT S2", ""},
      {3, true, "検索結果", "Tab2 F2.BAT S2", "タブ"},
      {0, false, "このタブには項目がありません", "", ""},
      {100000, false, "項目", "2 F2.BAT S2", ""},
  };
  for (const auto& s : shown) {
    SCOPED_TRACE(testing::Message() << s.count << " rows" << (s.results ? ", results" : ""));
    ShowRows(s.count, s.results);
    grid_.SetSelection({1, 2, 2, 2});
    rows_.asked.clear();
    EXPECT_EQ(Number(table_, &IAccessible::get_accRole), ROLE_SYSTEM_TABLE);
    EXPECT_EQ(Name(table_), s.table);
    LONG count = -1;
    table_->get_accChildCount(&count);
    EXPECT_EQ(count, s.count) << "the blank rows that fill the page are no rows";
    if (s.count == 0) {
      EXPECT_TRUE(State(table_) & STATE_SYSTEM_FOCUSED);
      continue;
    }
    const Object row = Row(2);
    EXPECT_EQ(Number(row, &IAccessible::get_accRole), ROLE_SYSTEM_ROW);
    EXPECT_EQ(Name(row), s.row2);
    const LONG picked = STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED;
    EXPECT_EQ(State(row) & (picked | STATE_SYSTEM_OFFSCREEN), picked);
    EXPECT_EQ(State(table_, 1) & picked, 0);
    EXPECT_EQ(State(table_, s.count) & STATE_SYSTEM_OFFSCREEN,
              s.count > 14 ? STATE_SYSTEM_OFFSCREEN : 0);
    EXPECT_EQ(Name(table_, s.count), Name(Row(s.count)));
    EXPECT_LE(rows_.asked.size(), 2u) << "rows read that nobody asked for";
    // The cells: texts without the padding, the headers as descriptions.
    EXPECT_EQ(Number(row, &IAccessible::get_accRole, 2), ROLE_SYSTEM_CELL);
    EXPECT_EQ(Name(row, 2), "F2.BAT");
    EXPECT_EQ(Text(row, &IAccessible::get_accDescription, 2), "ファイル名");
    EXPECT_EQ(Text(row, &IAccessible::get_accDescription, 1), s.number_header);
    EXPECT_EQ(State(row, 3) & STATE_SYSTEM_SELECTED, STATE_SYSTEM_SELECTED);
    EXPECT_EQ(State(row, 1) & STATE_SYSTEM_SELECTED, 0) << "the number cell";

    // Where the row is, what lies there, the focus and the way on.
    LONG x = 0, y = 0, w = 0, h = 0;
    row->accLocation(&x, &y, &w, &h, Child(CHILDID_SELF));
    const RECT cell = grid_.CellRect(2, 2);
    POINT in{cell.right - 2, cell.bottom - 2};
    ClientToScreen(grid_.Handle(), &in);
    EXPECT_TRUE(in.x < x + w && in.y < y + h && in.x >= x + w - 20 && in.y >= y + h - 20);
    VARIANT found{};
    table_->accHitTest(in.x, in.y, &found);
    EXPECT_EQ(Name(From(found)), s.row2);
    EXPECT_EQ(row->accHitTest(in.x, in.y, &found), S_OK);
    EXPECT_EQ(found.lVal, 3) << "the row's third cell";
    table_->get_accFocus(&found);
    EXPECT_EQ(Name(From(found)), s.row2);
    row->accNavigate(NAVDIR_NEXT, Child(CHILDID_SELF), &found);
    EXPECT_EQ(Name(From(found)), Name(table_, 3));
  }
}

TEST_F(GridAccessibleTest, SelectPicksAsAClickDoesAndTheDefaultActionRunsAfterIt) {
  const Object row5 = Row(5);
  EXPECT_EQ(row5->accSelect(SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION, Child(CHILDID_SELF)), S_OK);
  EXPECT_EQ(grid_.Row(), 5);
  // The form's word holds, no click lands under a dialog, one row at a time.
  allow_ = false;
  EXPECT_EQ(table_->accSelect(SELFLAG_TAKESELECTION, Child(7)), S_FALSE);
  allow_ = true;
  EnableWindow(host_, FALSE);
  EXPECT_EQ(table_->accSelect(SELFLAG_TAKESELECTION, Child(7)), S_FALSE);
  EnableWindow(host_, TRUE);
  EXPECT_EQ(table_->accSelect(SELFLAG_ADDSELECTION, Child(7)), E_INVALIDARG);
  EXPECT_EQ(asked_, (std::vector<int>{5, 7}));
  EXPECT_EQ(grid_.Row(), 5);

  EXPECT_EQ(Text(row5, &IAccessible::get_accDefaultAction), "実行");
  ASSERT_EQ(table_->accDoDefaultAction(Child(6)), S_OK);
  EXPECT_TRUE(run_.empty()) << "ran before the client had its answer";
  ASSERT_TRUE(PumpUntil([this] { return !run_.empty(); }));
  EXPECT_EQ(run_, std::vector<int>{6});
  EXPECT_EQ(asked_.back(), 6) << "a double click's first click picks the row";

  // Gone with its window, it says so.
  DestroyWindow(grid_.Handle());
  EXPECT_EQ(row5->accSelect(SELFLAG_TAKESELECTION, Child(CHILDID_SELF)), CO_E_OBJNOTCONNECTED);
}

TEST_F(GridAccessibleTest, ClientsHearOfEveryChangeOfThePick) {
  Told();
  auto picked = [](LONG row) {
    return std::vector<Event>{{EVENT_OBJECT_SELECTION, row}, {EVENT_OBJECT_FOCUS, row}};
  };
  const Event reorder{EVENT_OBJECT_REORDER, CHILDID_SELF};
  std::vector<Event> refilled = picked(1);
  refilled.insert(refilled.begin(), reorder);
  const struct {
    const char* what;
    std::function<void()> act;
    std::vector<Event> told;
  } steps[] = {
      {"a key", [this] { SendMessageW(grid_.Handle(), WM_KEYDOWN, VK_DOWN, 1); }, picked(2)},
      {"a click", [this] { table_->accSelect(SELFLAG_TAKESELECTION, Child(3)); }, picked(3)},
      {"the same row",
       [this] {
         grid_.SetSelection({1, 3, 2, 3});
       },
       {}},
      {"from code, as an undo does, there and back",
       [this] {
         grid_.SetSelection({1, 9, 2, 9});
         grid_.SetSelection({1, 4, 2, 4});
       },
       picked(4)},
      {"refilled", [this] { ShowRows(30, false); }, refilled},
      {"refilled, the same row", [this] { ShowRows(30, true); }, refilled},
      {"refused",
       [this] {
         allow_ = false;
         SendMessageW(grid_.Handle(), WM_KEYDOWN, VK_DOWN, 1);
         allow_ = true;
       },
       {}},
      {"without the focus",
       [this] {
         SetFocus(host_);
         grid_.SetSelection({1, 2, 2, 2});
       },
       {{EVENT_OBJECT_SELECTION, 2}}},
      // The system's word of the window's focus first.
      {"the focus back",
       [this] { SetFocus(grid_.Handle()); },
       {{EVENT_OBJECT_FOCUS, CHILDID_SELF}, {EVENT_OBJECT_FOCUS, 2}}},
      {"empty", [this] { ShowRows(0, false); }, {reorder, {EVENT_OBJECT_FOCUS, CHILDID_SELF}}},
  };
  for (const auto& s : steps) {
    s.act();
    EXPECT_EQ(Told(), s.told) << s.what;
  }
  // A missing file's mark changes the names of the rows in view.
  ShowRows(30, false);
  Told();
  grid_.RowsChanged();
  const std::vector<Event> told = Told();
  for (const LONG row : {1, 13})
    EXPECT_EQ(std::count(told.begin(), told.end(), Event{EVENT_OBJECT_NAMECHANGE, row}), 1);
}

}  // namespace
}  // namespace zorbi::win32
