#include "catalogue/path_txt.h"

#include "text/text_split.h"

namespace zorbi {

std::string PathTxtImage(const std::vector<std::string>& tabNames, const TTabList& tabs) {
  std::string text = JoinCommaText(tabNames) + "\r\n";
  for (const auto& tab : tabs)
    for (const auto& item : tab->Items)
      text += std::to_string(item->TabNo) + "," + item->BatPath + "\r\n";
  return text;
}

}  // namespace zorbi
