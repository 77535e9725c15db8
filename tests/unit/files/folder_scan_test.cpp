#include "files/folder_scan.h"

#include <gtest/gtest.h>

#include "fakes.h"
#include "text/text_split.h"

namespace zorbi::test {
namespace {

TEST(JoinPath, SeparatorOnlyWhereNeeded) {
  const struct {
    const char* folder;
    const char* joined;
  } cases[] = {
      {"C:\\JWW", "C:\\JWW\\a.bat"},
      {"C:\\JWW\\", "C:\\JWW\\a.bat"},
      {"C:", "C:a.bat"},
      {"C:\\\x95\x5c", "C:\\\x95\x5c\\a.bat"},  // 表: its trail byte is no separator
      {"", "a.bat"},
  };
  for (const auto& c : cases) EXPECT_EQ(JoinPath(c.folder, "a.bat"), c.joined) << c.folder;
}

TEST(ScanFolder, FilesInNameOrderThenSubfoldersAndWhatCouldNotBeRead) {
  FakeFiles fs;
  for (const char* path :
       {"C:\\B\\b.BAT", "C:\\B\\A.bat", "C:\\B\\c.txt", "C:\\B\\sub\\z.bat", "C:\\B\\Sub2\\y.bat",
        "C:\\B\\locked\\x.bat", "C:\\B\\xbat", "C:\\B\\up\\w.bat", "C:\\B\\caf\3770000E9.bat",
        "C:\\B\\caf\3770000E9\\v.bat"})
    fs.files[path] = "";
  // café.bat and the folder café: their names have no Shift-JIS form.
  fs.unnamed = {"C:\\B\\caf\3770000E9.bat", "C:\\B\\caf\3770000E9"};
  fs.unlistable.insert("C:\\B\\locked");
  fs.links.insert("C:\\B\\up");  // may lead back to C:\B
  const struct {
    bool subfolders;
    const char* extension;
    std::vector<std::string> files;
    std::vector<std::string> unreadable;
    std::vector<std::string> unnamed;
  } cases[] = {
      {false, ".bat", {"C:\\B\\A.bat", "C:\\B\\b.BAT"}, {}, {"C:\\B\\caf\3770000E9.bat"}},
      {true,
       ".BAT",
       {"C:\\B\\A.bat", "C:\\B\\b.BAT", "C:\\B\\sub\\z.bat", "C:\\B\\Sub2\\y.bat"},
       {"C:\\B\\locked"},
       {"C:\\B\\caf\3770000E9.bat", "C:\\B\\caf\3770000E9\\"}},
      {false,
       "",
       {"C:\\B\\A.bat", "C:\\B\\b.BAT", "C:\\B\\c.txt", "C:\\B\\xbat"},
       {},
       {"C:\\B\\caf\3770000E9.bat"}},
  };
  for (const auto& c : cases) {
    const FolderScan scan = ScanFolder(fs, "C:\\B", c.subfolders, c.extension);
    EXPECT_TRUE(scan.RootListed);
    EXPECT_FALSE(scan.Cancelled);
    EXPECT_EQ(scan.Files, c.files) << c.extension;
    EXPECT_EQ(scan.Unreadable, c.unreadable) << c.extension;
    EXPECT_EQ(scan.Unnamed, c.unnamed) << c.extension;
  }
  EXPECT_FALSE(ScanFolder(fs, "C:\\none", true, ".bat").RootListed);
  EXPECT_FALSE(ScanFolder(fs, "C:\\B\\A.bat", true, ".bat").RootListed);

  // Cancelled at the second folder: what was found before it is kept.
  FakeProgress progress;
  progress.cancelAt = 2;
  const FolderScan cancelled = ScanFolder(fs, "C:\\B", true, ".bat", &progress);
  EXPECT_TRUE(cancelled.Cancelled);
  EXPECT_EQ(cancelled.Files, (std::vector<std::string>{"C:\\B\\A.bat", "C:\\B\\b.BAT"}));
}

}  // namespace
}  // namespace zorbi::test
