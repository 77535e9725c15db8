#include "catalogue/path_txt.h"

#include <gtest/gtest.h>

using namespace zorbi;

TEST(PathTxt, TabNamesAsCommaTextThenOneLinePerItem) {
  Catalogue c;
  for (int t = 0; t < 4; ++t) c.TabList.push_back(std::make_unique<TMList>());
  for (const auto& [tab, path] : std::vector<std::pair<int, std::string>>{
           {0, "C:\\JWW\\A.BAT"}, {1, "C:\\JWW\\B.BAT"}, {1, "C:\\表\\C,D.BAT"}}) {
    auto item = std::make_unique<TMenuItem>();
    item->InitItem(path, "S", tab, 0, "", "", "", 0, 0);
    AddItem(*c.TabList[static_cast<std::size_t>(tab)], std::move(item));
  }
  EXPECT_EQ(PathTxtImage({"Tab1", "Draw lines", "", "a\"b"}, c.TabList),
            "Tab1,\"Draw lines\",,\"a\"\"b\"\r\n"
            "0,C:\\JWW\\A.BAT\r\n"
            "1,C:\\JWW\\B.BAT\r\n"
            "1,C:\\表\\C,D.BAT\r\n");
  Catalogue one;
  one.TabList.push_back(std::make_unique<TMList>());
  EXPECT_EQ(PathTxtImage({"Tab1"}, one.TabList), "Tab1\r\n");
}
