#include "catalogue/usage_log.h"

#include <gtest/gtest.h>

namespace zorbi::test {
namespace {

constexpr std::int64_t Day = 24 * 60 * 60;
constexpr std::int64_t Now = 1'800'000'000;

// Launches as (path, days before now, times); the first path must score above the second.
TEST(UsageLog, OftenAndLatelyComeFirstAndOldUseFades) {
  const struct {
    std::vector<std::tuple<const char*, int, int>> launches;
    const char* higher;
    const char* lower;
  } cases[] = {
      {{{"A", 1, 1}, {"B", 1, 2}}, "B", "A"},    // more often
      {{{"A", 30, 1}, {"B", 2, 1}}, "B", "A"},   // more lately
      {{{"A", 30, 3}, {"B", 2, 2}}, "B", "A"},   // faded
      {{{"A", 14, 10}, {"B", 0, 1}}, "A", "B"},  // a half-life is not forgotten
      {{{"c:\\a.bat", 1, 1}, {"C:\\A.BAT", 1, 1}, {"B", 0, 1}}, "C:\\a.BAT", "B"},  // one file
  };
  for (const auto& c : cases) {
    UsageLog log;
    for (const auto& [path, days, times] : c.launches)
      for (int k = 0; k < times; ++k) log.Record(path, Now - days * Day);
    EXPECT_GT(log.Score(c.higher, Now), log.Score(c.lower, Now)) << c.higher;
  }
  UsageLog log;
  log.Record("A", Now - 14 * Day);
  EXPECT_NEAR(log.Score("A", Now), 0.5, 1e-9);
  EXPECT_EQ(log.Score("never", Now), 0.0);
}

TEST(UsageLog, ReadsBackWhatItWritesAndSkipsWhatItCannotRead) {
  UsageLog log;
  log.Record("C:\\JWW\\\x95\x5c.BAT", Now - Day);
  log.Record("C:\\JWW\\B.BAT", Now);
  log.Record("C:\\JWW\\B.BAT", Now);
  const std::string image = log.Image();
  EXPECT_EQ(image,
            "Z_Orbi.use 1\r\n2000\t1800000000\tC:\\JWW\\B.BAT\r\n"
            "1000\t1799913600\tC:\\JWW\\\x95\x5c.BAT\r\n");
  const struct {
    std::string bytes;
    bool taken;
    std::size_t entries;
  } files[] = {
      {image, true, 2},
      {"", false, 0},
      {"Z_Orbi.use 2\r\n1000\t1\tA\r\n", false, 0},
      {"\xEF\xBB\xBFZ_Orbi.use 1\r\n1000\t1\tA\r\n", false, 0},
      {"Z_Orbi.use 1\n1000\t1\tA\n1000\t1\r\n", true, 1},  // LF alone; no path
      {"Z_Orbi.use 1\r\nx\t1\tA\r\n-5\t1\tB\r\n0\t1\tC\r\n1000\t1e3\tD\r\n", true, 0},
      {"Z_Orbi.use 1\r\n1000\t1\tA\tB\r\n1000\t1\t\x82\r\n", true, 0},  // a tab, a cut character
      {"Z_Orbi.use 1\r\n99999999999999999999\t1\tA\r\n1000\t1\ta\r\n2000\t2\tB\r\n", true, 2},
  };
  for (const auto& f : files) {
    UsageLog read;
    EXPECT_EQ(read.Parse(f.bytes), f.taken) << f.bytes;
    EXPECT_EQ(read.Size(), f.entries) << f.bytes;
    EXPECT_FALSE(read.Changed());
    EXPECT_TRUE(f.bytes != image || read.Image() == image);
  }
}

TEST(UsageLog, KeepsTheHighestScoresAndFollowsARelink) {
  UsageLog log;
  for (std::size_t k = 0; k <= MaxUsageEntries; ++k) {
    const std::string path = "C:\\" + std::to_string(k) + ".BAT";
    log.Record(path, k == 0 ? Now - Day : Now);  // "0" has the lowest score
    if (k != 0) log.Record(path, Now);
  }
  EXPECT_EQ(log.Size(), MaxUsageEntries);
  EXPECT_EQ(log.Score("C:\\0.BAT", Now), 0.0);
  // A file of more lines keeps the highest scores as well.
  std::string file = "Z_Orbi.use 1\r\n";
  for (int k = 1; k <= 3000; ++k)
    file += std::to_string(k) + "\t1\tC:\\" + std::to_string(k) + "\r\n";
  UsageLog read;
  ASSERT_TRUE(read.Parse(file));
  EXPECT_EQ(read.Size(), MaxUsageEntries);
  EXPECT_EQ(read.Score("C:\\1000", 1), 0.0);
  EXPECT_GT(read.Score("C:\\1001", 1), 0.0);
  log.Relink("C:\\1.BAT", "D:\\moved\\1.BAT");
  EXPECT_EQ(log.Score("C:\\1.BAT", Now), 0.0);
  EXPECT_NEAR(log.Score("D:\\MOVED\\1.bat", Now), 2.0, 1e-9);
  log.Relink("C:\\2.BAT", "C:\\3.BAT");  // onto a file with a history: they add up
  EXPECT_NEAR(log.Score("C:\\3.BAT", Now), 4.0, 1e-9);
}

}  // namespace
}  // namespace zorbi::test
