// What the form logic may ask of its controls. Texts are CP932 byte strings.
// Changing a control from code never raises its events: the form calls its own
// handlers where the sequence needs them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zorbi {

class TMenuItem;

// A rectangle of grid cells, columns Left..Right, rows Top..Bottom.
struct GridRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  friend bool operator==(const GridRect&, const GridRect&) = default;
};

// Modifier keys as they are at a key event.
struct ShiftState {
  bool Shift = false, Ctrl = false, Alt = false;
  bool CtrlAlone() const { return Ctrl && !Shift && !Alt; }
};

// The colour of a font that follows the system's text colour.
inline constexpr std::uint32_t kSystemTextColor = 0xFFFFFFFF;

// A font as the settings file holds it: the size in points, the style bits
// 1 bold, 2 italic, 4 underline, 8 strike-out, the colour as 0x00BBGGRR.
struct FontSpec {
  std::string Name;
  int Size = 10;
  int Style = 0;
  std::uint32_t Color = kSystemTextColor;
  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};
inline constexpr int kFontStyleBits = 15;

struct Control {
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
  virtual ~Control() = default;
};

// Where a grid takes the rows below its header: asked only for the rows it
// shows or is asked about, so a grid of any length costs the same to fill.
struct GridRowSource {
  // Rows 1..Count() come from here.
  virtual int Count() const = 0;
  virtual std::string Cell(int col, int row) const = 0;
  virtual const TMenuItem* Item(int row) const = 0;
  // A text at least as wide as any in column 0, which is fitted to it.
  virtual std::string WidestNumber() const = 0;
  // A row drawn in the grey text colour: its item's file is missing.
  virtual bool Dimmed(int row) const {
    (void)row;
    return false;
  }

 protected:
  ~GridRowSource() = default;
};

// The item grid: a string grid with a fixed header row and number column.
struct Grid : Control {
  virtual int RowCount() const = 0;
  virtual void SetRowCount(int rows) = 0;
  virtual std::string Cell(int col, int row) const = 0;
  virtual void SetCell(int col, int row, std::string text) = 0;
  // Column 1's reference to the row's item; the grid never owns it.
  virtual const TMenuItem* Item(int row) const = 0;
  virtual void SetItem(int row, const TMenuItem* item) = 0;
  // Rows 1.. come from `rows` from now on (all empty when null), as if each
  // cell and item had been set; the cells and items set before are dropped.
  // A cell or item set afterwards takes the place of the source's. The grid
  // keeps the pointer until the next call.
  virtual void SetRowSource(const GridRowSource* rows) = 0;
  // The source's rows changed in how they look, not in number or items:
  // shown again, the number column fitted anew.
  virtual void RowsChanged() {}
  // Selecting from code moves the current cell to (Right, Top).
  virtual GridRect Selection() const = 0;
  virtual void SetSelection(GridRect cells) = 0;
  virtual int Row() const = 0;
  virtual int Col() const = 0;
  // First visible scrolling row.
  virtual int TopRow() const = 0;
  virtual void SetTopRow(int row) = 0;
  // Scrolls the least needed to show the row whole.
  virtual void ScrollIntoView(int row) = 0;
  virtual void SetFocus() = 0;
  // Options: whole-row selection, in-place editing of cells, dragging rows
  // by their number cell.
  virtual void SetRowSelect(bool on) = 0;
  virtual void SetEditing(bool on) = 0;
  virtual void SetRowMoving(bool on) = 0;
  // Closes an open cell editor, its text going into the cell. False when the
  // text cannot be stored: the editor stays open and the user has been told.
  virtual bool EndCellEdit() = 0;
  virtual FontSpec Font() const = 0;
  virtual void SetFont(const FontSpec& font) = 0;
  // A column's width as set. The grid shows the number column as wide as its
  // widest text (up to a third of its width; a longer name ends with "…") and
  // the last column filling the width the others leave.
  virtual int ColWidth(int col) const = 0;
  virtual void SetColWidth(int col, int width) = 0;
  virtual int DefaultRowHeight() const = 0;
  virtual void SetDefaultRowHeight(int height) = 0;
};

// Shows the names it is given; the names themselves live in the catalogue.
struct TabStrip : Control {
  virtual void SetTabs(std::vector<std::string> names) = 0;
  // -1 when the strip has no tab.
  virtual int TabIndex() const = 0;
  virtual void SetTabIndex(int index) = 0;
  // All tabs on several rows instead of one scrolling row.
  virtual bool MultiLine() const = 0;
  virtual void SetMultiLine(bool on) = 0;
};

struct Memo : Control {
  virtual std::vector<std::string> Lines() const = 0;
  virtual void SetLines(std::vector<std::string> lines) = 0;
  void Clear() { SetLines({}); }
  virtual void SetReadOnly(bool readOnly) = 0;
  virtual void SetFocus() = 0;
  // False when the typed text cannot be stored (the user has been told why).
  virtual bool AcceptText() = 0;
  virtual FontSpec Font() const = 0;
  virtual void SetFont(const FontSpec& font) = 0;
};

struct Label {
  virtual void SetCaption(std::string text) = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual bool Visible() const = 0;
  virtual ~Label() = default;
};

struct Button : Control {};

struct MenuCommand : Control {
  virtual void SetChecked(bool checked) = 0;
  virtual bool Checked() const = 0;
};

// Rows of texts in fixed columns, read only.
struct ReportList {
  virtual void SetRows(std::vector<std::vector<std::string>> rows) = 0;
  virtual ~ReportList() = default;
};

// A single-selection list.
struct ListBox : Control {
  // Replacing the lines drops the selection.
  virtual void SetItems(std::vector<std::string> lines) = 0;
  // -1 when no line is selected.
  virtual int ItemIndex() const = 0;
  virtual void SetItemIndex(int index) = 0;
  virtual std::string Item(int index) const = 0;
};

// Text the user typed, converted to CP932. A character without a CP932 form
// is not replaced: Refused names it (its Unicode code point) and Text is empty.
struct TypedText {
  std::string Text;
  char32_t Refused = 0;
};

// A one-line text box. Text shown unchanged reads back as the bytes it was set to.
struct EditBox : Control {
  virtual void SetText(std::string text) = 0;
  virtual TypedText Text() const = 0;
};

}  // namespace zorbi

namespace zorbi {

struct Bounds {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  friend bool operator==(const Bounds&, const Bounds&) = default;
};

// The main window as its logic sees it. Bounds are the outer rectangle in
// 96-DPI pixels of the screen.
struct FormWindow {
  virtual void SetCaption(std::string text) = 0;
  virtual Bounds WindowBounds() const = 0;
  // The window's own rules apply: its minimum size and the placement rule.
  virtual void SetWindowBounds(const Bounds& bounds) = 0;
  // Ends the window without running the close sequence again.
  virtual void Destroy() = 0;
  virtual ~FormWindow() = default;
};

// A dialog made once and shown modally as often as needed; it keeps its
// controls' state between openings.
struct DialogWindow {
  // Returns when the dialog is closed.
  virtual void ShowModal() = 0;
  virtual void Close() = 0;
  virtual ~DialogWindow() = default;
};

}  // namespace zorbi
