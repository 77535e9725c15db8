// What the form logic may ask of its controls. Texts are CP932 byte strings.
// Changing a control from code never raises its events: the form calls its own
// handlers where the sequence needs them.
#pragma once

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

struct Control {
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
  virtual ~Control() = default;
};

// The item grid: a string grid with a fixed header row and number column.
struct Grid : Control {
  virtual int RowCount() const = 0;
  virtual void SetRowCount(int rows) = 0;
  virtual std::string Cell(int col, int row) const = 0;
  virtual void SetCell(int col, int row, std::string text) = 0;
  // Column 1's reference to the row's item; the grid never owns it.
  virtual TMenuItem* Item(int row) const = 0;
  virtual void SetItem(int row, TMenuItem* item) = 0;
  // Selecting from code moves the current cell to (Right, Top).
  virtual GridRect Selection() const = 0;
  virtual void SetSelection(GridRect cells) = 0;
  virtual int Row() const = 0;
  virtual int Col() const = 0;
  // First visible scrolling row.
  virtual int TopRow() const = 0;
  virtual void SetTopRow(int row) = 0;
  virtual void SetFocus() = 0;
  // Options: whole-row selection, in-place editing of cells, dragging rows
  // by their number cell.
  virtual void SetRowSelect(bool on) = 0;
  virtual void SetEditing(bool on) = 0;
  virtual void SetRowMoving(bool on) = 0;
  // Closes an open cell editor, its text going into the cell. False when the
  // text cannot be stored: the editor stays open and the user has been told.
  virtual bool EndCellEdit() = 0;
};

// Shows the names it is given; the names themselves live in the catalogue.
struct TabStrip : Control {
  virtual void SetTabs(std::vector<std::string> names) = 0;
  // -1 when the strip has no tab.
  virtual int TabIndex() const = 0;
  virtual void SetTabIndex(int index) = 0;
};

struct Memo : Control {
  virtual std::vector<std::string> Lines() const = 0;
  virtual void SetLines(std::vector<std::string> lines) = 0;
  void Clear() { SetLines({}); }
  virtual void SetReadOnly(bool readOnly) = 0;
  // False when the typed text cannot be stored (the user has been told why).
  virtual bool AcceptText() = 0;
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

// The main window as its logic sees it.
struct FormWindow {
  virtual void SetCaption(std::string text) = 0;
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
