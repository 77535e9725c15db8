// Every command of the main window in one table: the menus are built from it,
// WM_COMMAND runs its handler through it, the form checks and enables items
// through it, and the context-menu keys are defined here. A caption leads to
// the form's handler in one step: "項目リスト" runs K13Click.
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <string_view>

#include "forms/main_form.h"
#include "win32_controls.h"

namespace zorbi::win32 {

// Where a row stands: a menu of the main window, or its buttons.
enum class Place : unsigned char {
  None,
  MenuBar,
  FileMenu,
  OptionMenu,
  RepairMenu,  // "項目修復(&R)" ▸
  FontMenu,    // "フォントの設定" ▸
  HelpMenu,
  PopupMenu1,   // the grid's context menu
  TabViewMenu,  // "タブ表示" ▸
  PopupMenu2,   // the memo's context menu
  Buttons,
};

// The items whose check mark or enabling the form sets.
struct MenuItems {
  MenuItemControl DatRestore1, PATHTXT1, K10, K6, K7, K15, JWWIN1, Undo1, Redo1;
};

// When a command is offered: some make no sense over search results.
enum class Offered : unsigned char { Always, NotOnResults, OnResults };

struct Command {
  Place place;
  const char* caption;  // nullptr: a separator line
  // The form's handler and its name; none for separators and submenus.
  const char* handler_name = nullptr;
  void (TForm1::*handler)() = nullptr;
  // A submenu: the menu it opens.
  Place opens = Place::None;
  // The item the form sets the state of, if any.
  MenuItemControl MenuItems::*item = nullptr;
  Offered offered = Offered::Always;
};

std::span<const Command> Commands();
// The command id of a row of the table; WM_COMMAND carries it.
UINT CommandId(const Command& command);
// The row of a command id, or nullptr.
const Command* FindCommand(UINT id);
// A caption without its access key: "項目移動(&M)" is "項目移動".
std::string PlainCaption(std::string_view caption);
// The row of a caption at a place, with or without its access key, or nullptr.
const Command* FindCommand(Place place, std::string_view caption);

// The context-menu keys: the menu key on its release, as Windows' own
// controls do, and Shift+F10 on its press.
bool IsContextMenuKey(UINT message, WPARAM key, ShiftState shift);

// Builds a menu (the bar, or a popup menu) and its submenus from the table,
// attaching the items the form sets to `items`.
HMENU BuildMenu(Place place, MenuItems& items);

}  // namespace zorbi::win32
