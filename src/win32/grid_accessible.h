// The item grid as screen readers and other accessibility clients see it: an
// MSAA table whose children are the rows that hold something, each row an
// object whose children are its cells. Rows are made when a client asks for
// one, so a tab of any length costs the same.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include "platform/grid_model.h"

namespace zorbi::win32 {

// What the table asks of its grid.
class AccessibleGrid {
 public:
  virtual HWND GridWindow() const = 0;
  virtual const GridModel& GridState() const = 0;
  // As a click on the row: the form is asked first; false when it said no.
  virtual bool ClickRow(int row) = 0;
  // As a double click on the row, once the client has its answer.
  virtual void DoubleClickLater(int row) = 0;

 protected:
  ~AccessibleGrid() = default;
};

// The table object. The grid holds one reference and drops the grid from it
// (Disconnect) when its window goes; clients may keep theirs longer, and
// are then told the object is gone.
class GridAccessible;
GridAccessible* MakeGridAccessible(AccessibleGrid& grid);
IAccessible* AsAccessible(GridAccessible* table);
void Disconnect(GridAccessible* table);

// The answer to WM_GETOBJECT for a window whose standard object is right
// in all but its name: the same object under another name.
LRESULT NamedStandardObject(HWND window, WPARAM wparam, LPARAM lparam, const wchar_t* name);

// Makes sure the thread can hand out COM objects.
void EnsureCom();

}  // namespace zorbi::win32
