#include "forms/about_form.h"

#include "catalogue/catalogue.h"

namespace zorbi {

void TForm3::FormCreate() {
  caption_.SetCaption(std::string(VersionCaption));
  Label1.SetCaption(std::string(VersionCaption));
}

}  // namespace zorbi
