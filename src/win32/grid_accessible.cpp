#include "grid_accessible.h"

#include <oleauto.h>

#include <algorithm>
#include <atomic>
#include <string>

#include "cp932.h"

namespace zorbi::win32 {

namespace {

constexpr wchar_t kRunAction[] = L"実行";

HRESULT Text(const std::wstring& text, BSTR* out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (text.empty()) return S_FALSE;
  *out = SysAllocString(text.c_str());
  return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT Text(const std::string& cp932, BSTR* out) {
  return Text(Widen(cp932), out);
}

void SetChildId(VARIANT* out, LONG id) {
  out->vt = VT_I4;
  out->lVal = id;
}

HRESULT Nothing(VARIANT* out) {
  out->vt = VT_EMPTY;
  return S_FALSE;
}

// The common parts of a COM object that is only ever an IAccessible.
template <typename Derived>
class AccessibleBase : public IAccessible {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete static_cast<Derived*>(this);
    return left;
  }
  // No type information: clients call the methods directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 protected:
  virtual ~AccessibleBase() = default;

 private:
  std::atomic<ULONG> refs_{1};
};

}  // namespace

// The table (row 0) or one of its rows. The table's children are its rows,
// by row number; a row's children are its cells, column + 1.
class GridAccessible final : public AccessibleBase<GridAccessible> {
 public:
  // The table.
  explicit GridAccessible(AccessibleGrid& grid) : grid_(&grid) {}
  // A row of `table`.
  GridAccessible(GridAccessible& table, int row) : table_(&table), row_(row) { table.AddRef(); }

  void Disconnect() { grid_ = nullptr; }

  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override;
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override;
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override;
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) override;
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* shortcut) override;
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override;
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override;
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* hit) override;
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;

 private:
  friend class AccessibleBase<GridAccessible>;
  ~GridAccessible() override {
    if (table_ != nullptr) table_->Release();
  }

  // What a call is about: the table (Row 0), a row (Col -1) or a cell.
  struct Part {
    int Row = 0, Col = -1;
  };
  AccessibleGrid* Grid() const { return table_ != nullptr ? table_->grid_ : grid_; }
  // The part named by a child id of this object; an error when the grid is
  // gone or the id names nothing.
  HRESULT Resolve(const VARIANT& child, Part& part) const;
  // A row as an object of its own, for the client to keep.
  IDispatch* RowObject(int row);
  GridAccessible& Table() { return table_ != nullptr ? *table_ : *this; }
  bool GridFocused() const { return GetFocus() == Grid()->GridWindow(); }
  // A row or table as an object, a cell as a child id of this row.
  void SetPart(VARIANT* out, const Part& part);

  AccessibleGrid* grid_ = nullptr;   // the table's; null once the grid is gone
  GridAccessible* table_ = nullptr;  // a row's
  int row_ = 0;
};

HRESULT GridAccessible::Resolve(const VARIANT& child, Part& part) const {
  const AccessibleGrid* grid = Grid();
  if (grid == nullptr) return CO_E_OBJNOTCONNECTED;
  if (child.vt != VT_I4) return E_INVALIDARG;
  const GridModel& model = grid->GridState();
  if (row_ > model.FilledRows()) return E_INVALIDARG;  // a row since taken away
  const LONG id = child.lVal;
  if (id == CHILDID_SELF) {
    part = {row_, -1};
  } else if (row_ == 0) {
    if (id < 1 || id > model.FilledRows()) return E_INVALIDARG;
    part = {static_cast<int>(id), -1};
  } else {
    if (id < 1 || id > model.ColCount()) return E_INVALIDARG;
    part = {row_, static_cast<int>(id) - 1};
  }
  return S_OK;
}

IDispatch* GridAccessible::RowObject(int row) {
  return new GridAccessible(Table(), row);
}

void GridAccessible::SetPart(VARIANT* out, const Part& part) {
  if (part.Col >= 0) {
    SetChildId(out, part.Col + 1);
  } else if (part.Row == row_) {
    SetChildId(out, CHILDID_SELF);
  } else if (part.Row == 0) {
    out->vt = VT_DISPATCH;
    out->pdispVal = &Table();
    Table().AddRef();
  } else {
    out->vt = VT_DISPATCH;
    out->pdispVal = RowObject(part.Row);
  }
}

HRESULT GridAccessible::get_accParent(IDispatch** parent) {
  if (parent == nullptr) return E_POINTER;
  *parent = nullptr;
  if (Grid() == nullptr) return CO_E_OBJNOTCONNECTED;
  if (table_ != nullptr) {
    *parent = table_;
    table_->AddRef();
    return S_OK;
  }
  return CreateStdAccessibleObject(Grid()->GridWindow(), OBJID_WINDOW, __uuidof(IDispatch),
                                   reinterpret_cast<void**>(parent));
}

HRESULT GridAccessible::get_accChildCount(LONG* count) {
  if (count == nullptr) return E_POINTER;
  VARIANT self{};
  SetChildId(&self, CHILDID_SELF);
  Part part;
  if (const HRESULT result = Resolve(self, part); FAILED(result)) return result;
  const GridModel& model = Grid()->GridState();
  *count = row_ == 0 ? model.FilledRows() : model.ColCount();
  return S_OK;
}

HRESULT GridAccessible::get_accChild(VARIANT child, IDispatch** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  Part part;
  if (const HRESULT result = Resolve(child, part); FAILED(result)) return result;
  if (part.Col >= 0) return S_FALSE;  // a cell has no object of its own
  if (part.Row == row_) return E_INVALIDARG;
  *out = RowObject(part.Row);
  return S_OK;
}

HRESULT GridAccessible::get_accName(VARIANT child, BSTR* name) {
  if (name == nullptr) return E_POINTER;
  *name = nullptr;
  Part part;
  if (const HRESULT result = Resolve(child, part); FAILED(result)) return result;
  const GridModel& model = Grid()->GridState();
  if (part.Row == 0) return Text(model.TableName(), name);
  if (part.Col < 0) return Text(model.RowName(part.Row), name);
  return Text(model.CellName(part.Col, part.Row), name);
}

HRESULT GridAccessible::get_accValue(VARIANT, BSTR* value) {
  if (value != nullptr) *value = nullptr;
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT GridAccessible::get_accDescription(VARIANT child, BSTR* description) {
  if (description == nullptr) return E_POINTER;
  *description = nullptr;
  Part part;
  if (const HRESULT result = Resolve(child, part); FAILED(result)) return result;
  if (part.Col < 0) return S_FALSE;
  // A cell is described by its column's header.
  return Text(Grid()->GridState().CellName(part.Col, 0), description);
}

HRESULT GridAccessible::get_accRole(VARIANT child, VARIANT* role) {
  if (role == nullptr) return E_POINTER;
  role->vt = VT_EMPTY;
  Part part;
  if (const HRESULT result = Resolve(child, part); FAILED(result)) return result;
  SetChildId(role, part.Row == 0  ? ROLE_SYSTEM_TABLE
                   : part.Col < 0 ? ROLE_SYSTEM_ROW
                                  : ROLE_SYSTEM_CELL);
  return S_OK;
}

HRESULT GridAccessible::get_accState(VARIANT child, VARIANT* state) {
  if (state == nullptr) return E_POINTER;
  state->vt = VT_EMPTY;
  Part part;
  if (const HRESULT result = Resolve(child, part); FAILED(result)) return result;
  const GridModel& model = Grid()->GridState();
  const HWND window = Grid()->GridWindow();
  const bool focused = GridFocused();
  LONG bits = IsWindowVisible(window) ? 0 : STATE_SYSTEM_INVISIBLE;
  if (!IsWindowEnabled(window)) bits |= STATE_SYSTEM_UNAVAILABLE;
  if (part.Row == 0) {
    bits |= STATE_SYSTEM_FOCUSABLE;
    // Without a row to hold it, the table itself has the focus.
    if (focused && model.Row() > model.FilledRows()) bits |= STATE_SYSTEM_FOCUSED;
  } else {
    const GridModel::RowState row = model.StateOf(part.Row, focused);
    const GridRect s = model.Selection();
    bits |= STATE_SYSTEM_SELECTABLE;
    if (row.Offscreen) bits |= STATE_SYSTEM_OFFSCREEN;
    if (part.Col < 0) {
      bits |= STATE_SYSTEM_FOCUSABLE;
      if (row.Selected) bits |= STATE_SYSTEM_SELECTED;
      if (row.Focused) bits |= STATE_SYSTEM_FOCUSED;
    } else if (row.Selected && part.Col >= s.Left && part.Col <= s.Right) {
      bits |= STATE_SYSTEM_SELECTED;
    }
  }
  SetChildId(state, bits);
  return S_OK;
}

HRESULT GridAccessible::get_accHelp(VARIANT, BSTR* help) {
  if (help != nullptr) *help = nullptr;
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT GridAccessible::get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) {
  if (file != nullptr) *file = nullptr;
  if (topic != nullptr) *topic = 0;
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT GridAccessible::get_accKeyboardShortcut(VARIANT, BSTR* shortcut) {
  if (shortcut != nullptr) *shortcut = nullptr;
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT GridAccessible::get_accFocus(VARIANT* focus) {
  if (focus == nullptr) return E_POINTER;
  focus->vt = VT_EMPTY;
  if (Grid() == nullptr) return CO_E_OBJNOTCONNECTED;
  const GridModel& model = Grid()->GridState();
  if (!GridFocused()) return S_FALSE;
  const int row = model.Row() <= model.FilledRows() ? model.Row() : 0;
  if (row_ != 0 && row != row_) return S_FALSE;
  SetPart(focus, {row, -1});
  return S_OK;
}

HRESULT GridAccessible::get_accSelection(VARIANT* selection) {
  if (selection == nullptr) return E_POINTER;
  selection->vt = VT_EMPTY;
  if (Grid() == nullptr) return CO_E_OBJNOTCONNECTED;
  const GridModel& model = Grid()->GridState();
  // One row is picked at a time; its cells are not told apart.
  if (row_ != 0 || model.Row() > model.FilledRows()) return S_FALSE;
  SetPart(selection, {model.Row(), -1});
  return S_OK;
}

HRESULT GridAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
  if (action == nullptr) return E_POINTER;
  *action = nullptr;
  Part part;
  if (const HRESULT result = Resolve(child, part); FAILED(result)) return result;
  if (part.Row == 0) return DISP_E_MEMBERNOTFOUND;
  return Text(std::wstring(kRunAction), action);
}

HRESULT GridAccessible::accSelect(LONG flags, VARIANT child) {
  Part part;
  if (const HRESULT result = Resolve(child, part); FAILED(result)) return result;
  // One row at a time, and it is the focused one too.
  if ((flags & ~(SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION)) != 0 || flags == 0)
    return E_INVALIDARG;
  AccessibleGrid& grid = *Grid();
  if (part.Row == 0) {
    if (flags != SELFLAG_TAKEFOCUS) return E_INVALIDARG;
    SetFocus(grid.GridWindow());
    return S_OK;
  }
  return grid.ClickRow(part.Row) ? S_OK : S_FALSE;
}

HRESULT GridAccessible::accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                    VARIANT child) {
  if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) return E_POINTER;
  *left = *top = *width = *height = 0;
  Part part;
  if (const HRESULT result = Resolve(child, part); FAILED(result)) return result;
  const GridModel& model = Grid()->GridState();
  const HWND window = Grid()->GridWindow();
  RECT box{};
  GetClientRect(window, &box);
  if (part.Row != 0) {
    const GridBox row = model.RowRect(part.Row);
    RECT shown{row.Left, row.Top, row.Right, row.Bottom};
    if (part.Col >= 0) {
      const GridBox cell = model.CellRect(part.Col, part.Row);
      // A scrolling cell slides under the number column.
      const RECT visible{part.Col == 0 ? 0 : model.FixedWidth(), row.Top, row.Right, row.Bottom};
      const RECT whole{cell.Left, cell.Top, cell.Right, cell.Bottom};
      if (!IntersectRect(&shown, &whole, &visible)) shown = RECT{};
    }
    box = shown;
  }
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&box), 2);
  *left = box.left;
  *top = box.top;
  *width = box.right - box.left;
  *height = box.bottom - box.top;
  return S_OK;
}

HRESULT GridAccessible::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
  if (end == nullptr) return E_POINTER;
  end->vt = VT_EMPTY;
  Part from;
  if (const HRESULT result = Resolve(start, from); FAILED(result)) return result;
  const GridModel& model = Grid()->GridState();
  const bool self = start.lVal == CHILDID_SELF;
  Part to{-1, -1};
  switch (direction) {
    case NAVDIR_FIRSTCHILD:
    case NAVDIR_LASTCHILD: {
      if (!self) return E_INVALIDARG;
      const bool first = direction == NAVDIR_FIRSTCHILD;
      if (from.Row == 0 && model.FilledRows() > 0) to = {first ? 1 : model.FilledRows(), -1};
      if (from.Row != 0) to = {from.Row, first ? 0 : model.ColCount() - 1};
      break;
    }
    case NAVDIR_NEXT:
    case NAVDIR_PREVIOUS:
    case NAVDIR_DOWN:
    case NAVDIR_UP:
    case NAVDIR_LEFT:
    case NAVDIR_RIGHT: {
      const bool on =
          direction == NAVDIR_NEXT || direction == NAVDIR_DOWN || direction == NAVDIR_RIGHT;
      const bool across = direction == NAVDIR_LEFT || direction == NAVDIR_RIGHT;
      const bool along = direction == NAVDIR_UP || direction == NAVDIR_DOWN;
      if (from.Row == 0) break;  // the table's neighbours are the window's business
      if (from.Col < 0 && !across) {
        const int row = from.Row + (on ? 1 : -1);
        if (row >= 1 && row <= model.FilledRows()) to = {row, -1};
      } else if (from.Col >= 0 && !along) {
        const int col = from.Col + (on ? 1 : -1);
        if (col >= 0 && col < model.ColCount()) to = {from.Row, col};
      }
      break;
    }
    default:
      return E_INVALIDARG;
  }
  if (to.Row < 0) return Nothing(end);
  SetPart(end, to);
  return S_OK;
}

HRESULT GridAccessible::accHitTest(LONG x, LONG y, VARIANT* hit) {
  if (hit == nullptr) return E_POINTER;
  hit->vt = VT_EMPTY;
  if (Grid() == nullptr) return CO_E_OBJNOTCONNECTED;
  const HWND window = Grid()->GridWindow();
  POINT point{x, y};
  ScreenToClient(window, &point);
  RECT client;
  GetClientRect(window, &client);
  if (!PtInRect(&client, point)) return Nothing(hit);
  const GridModel::Part part = Grid()->GridState().PartAt(point.x, point.y);
  if (row_ != 0 && part.Row != row_) return Nothing(hit);
  // The table finds the row; the row finds the cell.
  SetPart(hit, {part.Row, row_ == 0 ? -1 : part.Col});
  return S_OK;
}

HRESULT GridAccessible::accDoDefaultAction(VARIANT child) {
  Part part;
  if (const HRESULT result = Resolve(child, part); FAILED(result)) return result;
  if (part.Row == 0) return DISP_E_MEMBERNOTFOUND;
  // The client gets its answer before the pick runs and the window closes.
  Grid()->DoubleClickLater(part.Row);
  return S_OK;
}

GridAccessible* MakeGridAccessible(AccessibleGrid& grid) {
  return new GridAccessible(grid);
}

IAccessible* AsAccessible(GridAccessible* table) {
  return table;
}

void Disconnect(GridAccessible* table) {
  table->Disconnect();
}

namespace {

// A standard object with a name of our own; everything else it answers itself.
class NamedObject final : public AccessibleBase<NamedObject> {
 public:
  NamedObject(IAccessible* inner, const wchar_t* name) : inner_(inner), name_(name) {}

  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return inner_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    return inner_->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    return inner_->get_accChild(child, out);
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (child.vt == VT_I4 && child.lVal == CHILDID_SELF) return Text(name_, name);
    return inner_->get_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return inner_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    return inner_->get_accDescription(child, description);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    return inner_->get_accRole(child, role);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return inner_->get_accState(child, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return inner_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return inner_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return inner_->get_accKeyboardShortcut(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    return inner_->get_accFocus(focus);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    return inner_->get_accSelection(selection);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return inner_->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    return inner_->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    return inner_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return inner_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* hit) override {
    return inner_->accHitTest(x, y, hit);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return inner_->accDoDefaultAction(child);
  }

 private:
  friend class AccessibleBase<NamedObject>;
  ~NamedObject() override { inner_->Release(); }

  IAccessible* inner_;
  std::wstring name_;
};

}  // namespace

LRESULT NamedStandardObject(HWND window, WPARAM wparam, LPARAM lparam, const wchar_t* name) {
  if (static_cast<DWORD>(lparam) != static_cast<DWORD>(OBJID_CLIENT)) return 0;
  EnsureCom();
  IAccessible* inner = nullptr;
  if (FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                       reinterpret_cast<void**>(&inner))))
    return 0;
  NamedObject* named = new NamedObject(inner, name);
  const LRESULT result = LresultFromObject(__uuidof(IAccessible), wparam, named);
  named->Release();
  return result;
}

void EnsureCom() {
  // Once for the thread, kept for its life: a client may come back any time.
  thread_local const bool initialised = [] {
    const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    return SUCCEEDED(result) || result == RPC_E_CHANGED_MODE;
  }();
  (void)initialised;
}

}  // namespace zorbi::win32
