// "PATH.TXT": the plain-text export of the catalogue. Line 1 holds the tab
// names as comma text, then one "TabNo,BatPath" line per item; CR LF ends
// every line.
#pragma once

#include <string>
#include <vector>

#include "catalogue/catalogue.h"

namespace zorbi {

std::string PathTxtImage(const std::vector<std::string>& tabNames, const TTabList& tabs);

}  // namespace zorbi
