// The main window (TForm1's view): its controls, menus and layout, and the
// turning of its messages into events. What the events run is wired by the
// program (program.h).
#pragma once

#include <windows.h>

#include <functional>

#include "command_table.h"
#include "dpi.h"
#include "forms/grid_columns.h"
#include "grid_control.h"
#include "platform/services.h"
#include "win32_controls.h"
#include "window.h"

namespace zorbi::win32 {

class MainWindow final : public Window, public FormWindow {
 public:
  static constexpr char kCaption[] = "Z_Orbi Ver" ZORBI_VERSION;
  // Outer bounds in 96-DPI pixels; the window scales them to its monitor.
  static constexpr RECT kInitialBounds{193, 113, 193 + 545, 113 + 357};
  static constexpr SIZE kMinimumSize{545, 357};

  // `system` gives the work area the window is kept inside.
  explicit MainWindow(System& system) : system_(system) {}
  ~MainWindow() override;

  // Creates the window hidden, owned by `owner`, with its controls and menus.
  bool Create(HWND owner, HICON icon, HICON small_icon);
  // The controls and menu items as the form takes them.
  FormControls Controls();
  void FocusGrid();
  // Places every control for the client area and the tab strip's rows.
  void Layout();

  // The search box: a change made from code raises no OnSearchChange.
  class SearchBoxControl final : public EditBox {
   public:
    void SetEnabled(bool enabled) override { box_.SetEnabled(enabled); }
    bool Enabled() const override { return box_.Enabled(); }
    TypedText Text() const override { return box_.Text(); }
    void SetText(std::string text) override;
    HWND Handle() const { return box_.Handle(); }

   private:
    friend class MainWindow;
    EditBoxControl box_;
    bool from_code_ = false;
  };

  GridControl& Grid() { return grid_; }
  SearchBoxControl& SearchBox() { return search_box_; }
  // Ctrl+F: the focus to the search box, its text selected.
  void FocusSearchBox();
  MemoControl& Memo() { return memo_; }
  HMENU PopupMenu1() const { return popup_menu1_.Get(); }
  HMENU PopupMenu2() const { return popup_menu2_.Get(); }
  HWND TabStrip() const { return tabs_.Handle(); }

  void SetCaption(std::string text) override;
  Bounds WindowBounds() const override;
  void SetWindowBounds(const Bounds& bounds) override;
  // OnDestroying first, while the window still holds the activation.
  void Destroy() override;

  // Events; the program sets them.
  std::function<void(const Command& command)> OnCommandChosen;
  std::function<void(bool& allow)> OnTabChanging;
  std::function<void()> OnTabChange;
  std::function<void()> OnMemoExit;
  std::function<void()> OnSearchChange;
  // A key pressed in the search box; true when the form took it.
  std::function<bool(int vk, ShiftState shift)> OnSearchKeyDown;
  // Whether the grid shows search results: commands that change items are
  // then greyed, the one that shows a result on its tab is not.
  std::function<bool()> ShowsResults;
  std::function<void()> OnResize;
  std::function<void()> OnCloseQuery;
  // Once, when the window is about to go.
  std::function<void()> OnDestroying;
  std::function<void()> OnGoneEvent;
  // The check of the items' files starts on a timer, as timers come after
  // every waiting paint: the window is drawn first. Its answers are posted
  // to this thread.
  static constexpr UINT_PTR kCheckFilesTimer = 20;
  static constexpr UINT kFilesCheckedMessage = WM_APP + 21;
  std::function<void()> OnCheckFiles;
  // The window became the active one again.
  std::function<void()> OnActivated;
  std::function<void()> OnFilesChecked;

 private:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnCommand(UINT id, UINT code, HWND control) override;
  void OnSize(int width, int height) override;
  bool PaintsItself() const override { return true; }
  void Paint(HDC dc) override;
  void OnDpiChanged(int dpi, const RECT& suggested) override;
  HBRUSH ColourStatic(HDC dc, HWND control) override;
  void OnGone() override;
  LRESULT OnPositionChanging(WPARAM wparam, LPARAM lparam);
  bool OnActivate(WPARAM wparam);
  LRESULT OnNotify(const NMHDR& header);
  void TellDestroying();

  void CreateControls();
  // Puts the tab stops in the order Tab visits them.
  void OrderTabStops();
  HWND MakeChild(const wchar_t* cls, const char* text, DWORD style, UINT id, const RECT& at,
                 DWORD ex_style = 0);
  // The layout's fonts at the window's DPI, made, then given to the controls there are.
  void MakeFonts();
  // Without a redraw while the window is being made: it is drawn once shown.
  void SetFonts(bool redraw);
  // Where the layout puts each control in the client area as it is now; the
  // grid fills the tab strip's display area.
  struct Places {
    RECT tabs, label1, memo, close, search, label2, ok, cancel;
  };
  Places PlacesInClient() const;
  RECT GridPlace(RECT page) const;
  int S(int value) const { return Scale(value, dpi_); }
  LRESULT MemoMessage(ControlHook& memo, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT SearchBoxMessage(ControlHook& box, UINT message, WPARAM wparam, LPARAM lparam);
  // Greys the commands that are not offered over search results, or the other way round.
  void EnableForResults(HMENU menu);
  void ShowPopup(HMENU menu, HWND from, LPARAM where);
  // Screen point for a menu opened from the keyboard over the grid or the memo.
  POINT KeyboardMenuPoint(HWND from) const;

  System& system_;
  bool destroying_told_ = false;
  int dpi_ = kDesignDpi;
  HWND label1_ = nullptr;
  HWND close_button_ = nullptr;
  HWND focused_ = nullptr;
  MenuHandle popup_menu1_, popup_menu2_;
  FontHandle form_font_, panel_font_, label2_font_;

  GridControl grid_{GridColumnCount};
  TabStripControl tabs_;
  MemoControl memo_;
  ControlHook memo_hook_;
  SearchBoxControl search_box_;
  ControlHook search_hook_;
  LabelControl label2_;
  ButtonControl button2_, button4_;
  MenuItems items_;
};

}  // namespace zorbi::win32
