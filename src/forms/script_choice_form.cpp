#include "forms/script_choice_form.h"

namespace zorbi {

void TForm5::Button2Click() {
  // With no line selected nothing is chosen: a name the user did not pick
  // must not be opened.
  const int index = ListBox1.ItemIndex();
  ChosenScript = index >= 0 ? ListBox1.Item(index) : std::string();
  window_.Close();
}

void TForm5::Button1Click() {
  ChosenScript.clear();
  window_.Close();
}

}  // namespace zorbi
