// Where a message with a list goes and how big it is: the message and the
// list's longest line decide, up to nine tenths of the work area each way.
// Longer lines wrap and more lines scroll, so the buttons are always on the
// screen at any DPI. Every size is in pixels at the DPI the dialog is shown at.
#pragma once

#include <functional>
#include <vector>

#include "platform/services.h"

namespace zorbi {

struct PixelSize {
  int Width = 0, Height = 0;
};

// A part of the dialog's client area.
struct PixelBox {
  int Left = 0, Top = 0, Width = 0, Height = 0;
};

struct ListDialogInput {
  ScreenRect WorkArea;  // of the owner's monitor
  ScreenRect Owner;     // the dialog is centred on it; empty: on the work area
  int Dpi = 96;
  PixelSize Frame;              // what the border and caption add to the client area
  PixelSize ListChrome;         // what the list's border, margins and scroll bar add to its text
  int LineHeight = 0;           // of the list's font
  std::vector<int> LineWidths;  // each line of the list unwrapped
  // The message's extent when wrapped at `maxWidth`.
  std::function<PixelSize(int maxWidth)> MeasureMessage;
  int Buttons = 1;
  bool Icon = false;
};

struct ListDialogLayout {
  ScreenRect Window;  // on the screen
  PixelBox Icon, Message, List;
  std::vector<PixelBox> Buttons;  // left to right
};

ListDialogLayout LayOutListDialog(const ListDialogInput& in);

}  // namespace zorbi
