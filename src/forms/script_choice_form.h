// TForm5: the choice among the several AWK scripts a BAT file names.
#pragma once

#include <string>

#include "platform/controls.h"

namespace zorbi {

class TForm5 {
 public:
  TForm5(ListBox& listBox1, DialogWindow& window) : ListBox1(listBox1), window_(window) {}

  void ShowModal() { window_.ShowModal(); }
  void Button2Click();  // OK, also a double-click on a line
  void Button1Click();  // キャンセル

  ListBox& ListBox1;
  // The chosen name; empty after キャンセル.
  std::string ChosenScript;

 private:
  DialogWindow& window_;
};

}  // namespace zorbi
