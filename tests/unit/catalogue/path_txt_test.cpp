#include "catalogue/path_txt.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes.h"
#include "form_test_util.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace zorbi;
using namespace zorbi::test;

namespace {

const std::string kPathTxt = FormRig::InDir("PATH.TXT");
const std::string kDat = FormRig::InDir("Z_Orbi.DAT");

}  // namespace

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

TEST(PathTxt, WrittenByOkAndCancelOnlyAndBeforeTheCatalogue) {
  {
    FormRig rig;
    ASSERT_TRUE(rig.Create());
    rig.form.Close();  // the close box
    EXPECT_THAT(rig.files.writes, ElementsAre(kDat));
  }
  for (const bool ok : {true, false}) {
    FormRig rig;
    ASSERT_TRUE(rig.Create());
    ok ? rig.form.Button2Click() : rig.form.Button4Click();
    EXPECT_THAT(rig.files.writes, ElementsAre(kPathTxt, kDat));
    EXPECT_EQ(rig.files.files[kPathTxt], "Tab1\r\n");
  }
}

TEST(PathTxt, AFailedExportStopsTheCloseWithTheWindowOpen) {
  FormRig rig;
  ASSERT_TRUE(rig.Create());
  rig.files.unwritable.insert(kPathTxt);
  rig.form.Button4Click();
  EXPECT_EQ(rig.window.destroyed, 0);
  EXPECT_THAT(rig.files.writes, IsEmpty());
  ASSERT_EQ(rig.messages.shown.size(), 1u);
  EXPECT_THAT(rig.messages.shown[0].first, ::testing::StartsWith("PATH.TXT を保存"));
}
