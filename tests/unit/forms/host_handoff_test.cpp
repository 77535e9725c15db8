// The exchange file as the start-up and close sequences use it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes.h"
#include "files/startup_preload.h"
#include "form_test_util.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace zorbi;
using namespace zorbi::test;

namespace {

const std::string kDat = FormRig::InDir("Z_Orbi.DAT");
const std::string kExchange = FormRig::InDir("jwc_temp.txt");
const std::string kIni = FormRig::InDir("Z_Orbi.ini");
const std::string kBat = "C:\\JWW\\円.BAT";

struct HostRig : FormRig {
  explicit HostRig(std::optional<std::string> exchange, std::string bat = kBat) {
    files.files[kDat] = DataFileWith({"Tab1"}, {{{bat, "S", 2}}});
    files.files[bat] = "@REM S\r\n";
    if (exchange) files.files[kExchange] = *exchange;
  }
};

}  // namespace

TEST(HostExchange, OkChainsThePickedFile) {
  for (const bool info : {false, true}) {
    HostRig rig("hq\r\n0 0 10 10\r\n");
    ASSERT_TRUE(rig.Create());
    EXPECT_TRUE(rig.form.Handoff().Loaded());
    rig.form.Settings().Info = info;
    rig.form.Button2Click();
    EXPECT_EQ(rig.window.destroyed, 1);
    std::string expected = "h/" + kBat + "\r\n";
    if (info) expected += "h#円.BATを起動します\r\n";
    EXPECT_EQ(rig.files.files[kExchange], expected);
    EXPECT_THAT(rig.files.writes, ElementsAre(FormRig::InDir("PATH.TXT"), kIni, kDat, kExchange,
                                              FormRig::InDir("Z_Orbi.use")));
  }
}

TEST(HostExchange, CancelAndNoPickLeaveTheFileAlone) {
  {
    HostRig rig("hq\r\n");
    ASSERT_TRUE(rig.Create());
    rig.form.Button4Click();
    EXPECT_EQ(rig.files.files[kExchange], "hq\r\n");
    EXPECT_THAT(rig.files.writes, ElementsAre(FormRig::InDir("PATH.TXT"), kIni, kDat));
  }
  {
    FormRig rig;  // an empty tab: nothing picked
    rig.files.files[kExchange] = "hq\r\n";
    ASSERT_TRUE(rig.Create());
    rig.form.Close();
    EXPECT_EQ(rig.files.files[kExchange], "hq\r\n");
  }
}

TEST(HostExchange, StartedWithoutTheHostWritesNoExchangeFile) {
  HostRig rig(std::nullopt);
  ASSERT_TRUE(rig.Create());
  EXPECT_THAT(rig.messages.shown, IsEmpty());
  EXPECT_FALSE(rig.form.Handoff().Loaded());
  rig.form.Button2Click();
  EXPECT_EQ(rig.window.destroyed, 1);
  EXPECT_EQ(rig.files.files.count(kExchange), 0u);
}

TEST(HostExchange, ADamagedFileIsReportedAndNeverRewritten) {
  HostRig rig("x hq\r\n");
  ASSERT_TRUE(rig.Create());
  EXPECT_EQ(rig.form.Handoff().Exchange().ExchangeStatus, -1);
  ASSERT_EQ(rig.messages.shown.size(), 1u);
  EXPECT_EQ(rig.messages.shown[0].first, "jwc_temp.txtが壊れているか、見つかりません");
  EXPECT_EQ(rig.messages.shown[0].second, MessageKind::Plain);
  EXPECT_TRUE(rig.ok.enabled);
  rig.form.Button2Click();
  EXPECT_EQ(rig.files.files[kExchange], "x hq\r\n");
}

TEST(HostExchange, AnUnstableHostDisablesPickingButNotCancel) {
  HostRig rig("hq\r\npt x y\r\n");
  ASSERT_TRUE(rig.Create());
  EXPECT_EQ(rig.form.Handoff().Exchange().ExchangeStatus, -2);
  ASSERT_EQ(rig.messages.shown.size(), 1u);
  EXPECT_EQ(rig.messages.shown[0].first,
            "JW_WINの動作が不安定になっています、Z_Orbiの実行はキャンセルしてください。\r\n\r\n"
            "また、編集中のファイルは保存してJW_WINを立上げなおしてください。");
  EXPECT_EQ(rig.messages.shown[0].second, MessageKind::Error);
  EXPECT_FALSE(rig.ok.enabled);
  EXPECT_FALSE(rig.grid.enabled);
  EXPECT_FALSE(rig.memo.enabled);
  EXPECT_FALSE(rig.tabs.enabled);
  EXPECT_TRUE(rig.cancel.enabled);
  rig.form.Button4Click();
  EXPECT_EQ(rig.window.destroyed, 1);
  EXPECT_EQ(rig.files.files[kExchange], "hq\r\npt x y\r\n");
}

TEST(HostExchange, APathWithControlBytesIsNeverChained) {
  HostRig rig("hq\r\n", "C:\\A.BAT\r\nh/C:\\evil.bat");
  ASSERT_TRUE(rig.Create());
  rig.form.Close();
  EXPECT_EQ(rig.window.destroyed, 1);
  EXPECT_EQ(rig.files.files[kExchange], "hq\r\n");
  ASSERT_EQ(rig.messages.shown.size(), 1u);
  EXPECT_EQ(rig.messages.shown[0].second, MessageKind::Warning);
}

TEST(HostExchange, AFailedWriteKeepsTheWindowAndARetryWritesOnce) {
  HostRig rig("hq\r\n");
  ASSERT_TRUE(rig.Create());
  rig.files.unwritable.insert(kExchange);
  rig.form.Button2Click();
  EXPECT_EQ(rig.window.destroyed, 0);
  ASSERT_EQ(rig.messages.shown.size(), 1u);
  EXPECT_THAT(rig.messages.shown[0].first, ::testing::StartsWith("jwc_temp.txt を保存"));
  EXPECT_EQ(rig.files.files[kExchange], "hq\r\n");

  rig.files.unwritable.clear();
  rig.form.Close();
  EXPECT_EQ(rig.window.destroyed, 1);
  EXPECT_EQ(rig.files.files[kExchange], "h/" + kBat + "\r\n");
}

TEST(HostExchange, AReadStartedBeforeTheWindowEndsAsTheReadInPlace) {
  std::string large = "hq\r\n";
  for (int i = 0; i < 100000; ++i) large += "0 0 10 10\r\n";
  const struct {
    const char* name;
    std::optional<std::string> content;
    bool unreadable;
    std::size_t failsAfter = 0;  // 0: the read never fails
  } cases[] = {
      {"good", "hq\r\npt 1 2\r\n", false},
      {"no file", std::nullopt, false},
      {"not hq", "x hq\r\n", false},
      {"unreadable", "hq\r\n", true},
      {"large, last line bad", large + "pt x y", false},
      {"large", large, false},
      // Read in pieces, a failure after the first ones is still a file not read.
      {"large, read fails midway", large, false, 700000},
      {"not hq, read fails later", "x hq\r\n" + large, false, 700000},
      {"bad line, read fails later", "hq\r\npt x\r\n" + large, false, 700000},
  };
  // Each case read on the worker thread, then where it is taken, as small files are.
  for (std::size_t k = 0; k < 2 * std::size(cases); ++k) {
    const auto& c = cases[k % std::size(cases)];
    const std::uint64_t workerFromBytes = k < std::size(cases) ? 0 : 1u << 24;
    HostRig inPlace(c.content), preloaded(c.content);
    if (c.unreadable) {
      inPlace.files.unreadable.insert(kExchange);
      preloaded.files.unreadable.insert(kExchange);
    }
    if (c.failsAfter)
      inPlace.files.failsAfter[kExchange] = preloaded.files.failsAfter[kExchange] = c.failsAfter;
    StartupPreload preload(std::make_unique<FakeFiles>(preloaded.files), kDat, kExchange,
                           workerFromBytes);
    preloaded.form.UsePreload(&preload);
    ASSERT_TRUE(inPlace.Create()) << c.name;
    ASSERT_TRUE(preloaded.Create()) << c.name;
    const auto seen = [](HostRig& r) {
      return std::tuple(r.form.Handoff().Loaded(), r.form.Handoff().Exchange().ExchangeStatus,
                        r.form.Handoff().Exchange().Counters.EntityCount, r.messages.shown,
                        r.ok.enabled, r.grid.enabled, r.memo.enabled, r.tabs.enabled);
    };
    EXPECT_EQ(seen(inPlace), seen(preloaded)) << c.name;
    inPlace.form.Button2Click();
    preloaded.form.Button2Click();
    EXPECT_EQ(inPlace.files.files, preloaded.files.files) << c.name;
  }
  // Records are counted, not kept.
  HostRig rig(large);
  ASSERT_TRUE(rig.Create());
  EXPECT_EQ(rig.form.Handoff().Exchange().Counters.LineCount, 100000);
  EXPECT_TRUE(rig.form.Handoff().Exchange().LineList.empty());
}

TEST(HostExchange, AReadNeverWaitedForStopsWhenTheProgramEnds) {
  // A catalogue that cannot be read ends the program while the file is still read.
  std::string large = "hq\r\n";
  for (int i = 0; i < 200000; ++i) large += "0 0 10 10\r\n";
  auto files = std::make_unique<FakeFiles>();
  files->files[kExchange] = large;
  StartupPreload preload(std::move(files), kDat, kExchange);
}
