// TForm3: the About box, created once at start-up and shown modally.
#pragma once

#include "platform/controls.h"

namespace zorbi {

class TForm3 {
 public:
  // `caption` is the box's title bar.
  TForm3(DialogWindow& window, Label& caption, Label& label1)
      : window_(window), caption_(caption), Label1(label1) {}

  void FormCreate();
  void ShowModal() { window_.ShowModal(); }
  void Button1Click() { window_.Close(); }

 private:
  DialogWindow& window_;
  Label& caption_;
  Label& Label1;
};

}  // namespace zorbi
