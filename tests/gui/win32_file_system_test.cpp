#include "win32_file_system.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include <algorithm>
#include <string>
#include <vector>

#include "cp932.h"

namespace zorbi {
namespace {

// Each test works in a fresh folder under the temp folder, removed afterwards.
class Win32FileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
    static int counter = 0;
    root_ = std::wstring(temp) + L"zorbi-fs-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter);
    ASSERT_TRUE(CreateDirectoryW(root_.c_str(), nullptr));
  }

  void TearDown() override { RemoveTree(root_); }

  // `name` below the test's folder, as the program holds paths: CP932 bytes.
  std::string Path(const std::string& cp932_name) const {
    return *Narrow(root_) + "\\" + cp932_name;
  }

  static void MakeFolder(const std::string& cp932_path) {
    ASSERT_TRUE(CreateDirectoryW(Widen(cp932_path).c_str(), nullptr));
  }

  // Names in a folder, as the file system stores them (UTF-16).
  static std::vector<std::wstring> Names(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
      const std::wstring name = data.cFileName;
      if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
  }

  static void RemoveTree(const std::wstring& folder) {
    for (const std::wstring& name : Names(folder)) {
      const std::wstring path = folder + L"\\" + name;
      if (GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    }
    RemoveDirectoryW(folder.c_str());
  }

  Win32FileSystem fs_;
  std::wstring root_;
  std::string error_;
};

TEST_F(Win32FileSystemTest, MissingFileIsNotThereAndReadsAsNothing) {
  EXPECT_FALSE(fs_.Exists(Path("Z_Orbi.DAT")));
  EXPECT_EQ(fs_.ReadAll(Path("Z_Orbi.DAT")), std::nullopt);
  // A folder is not a file.
  MakeFolder(Path("sub"));
  EXPECT_FALSE(fs_.Exists(Path("sub")));
  EXPECT_EQ(fs_.ReadAll(Path("sub")), std::nullopt);
  // Yet it is not missing: starting empty would save over it.
  EXPECT_EQ(fs_.Entry(Path("sub")), EntryKind::Other);
  EXPECT_EQ(fs_.Entry(Path("Z_Orbi.DAT")), EntryKind::Missing);
  EXPECT_EQ(fs_.Entry(Path("gone\\Z_Orbi.DAT")), EntryKind::Missing);
}

TEST_F(Win32FileSystemTest, ReplaceAllCreatesAndReplacesWithExactBytes) {
  const std::string file = Path("PATH.TXT");
  ASSERT_TRUE(fs_.ReplaceAll(file, "a longer first version\r\n", error_)) << error_;
  EXPECT_TRUE(fs_.Exists(file));

  // Shorter content leaves nothing of the old; no text-mode translation.
  const std::string bytes("x\r\ny\n\0\x1A\xFF", 8);
  ASSERT_TRUE(fs_.ReplaceAll(file, bytes, error_)) << error_;
  EXPECT_EQ(fs_.ReadAll(file), bytes);

  ASSERT_TRUE(fs_.ReplaceAll(file, "", error_)) << error_;
  EXPECT_EQ(fs_.ReadAll(file), "");

  // Larger than one read buffer.
  std::string big(3 * 1024 * 1024 + 17, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7 + i / 251);
  ASSERT_TRUE(fs_.ReplaceAll(file, big, error_)) << error_;
  EXPECT_EQ(fs_.ReadAll(file), big);

  EXPECT_EQ(Names(root_), std::vector<std::wstring>{L"PATH.TXT"}) << "a temporary file is left";
}

TEST_F(Win32FileSystemTest, JapaneseFolderNamesWithSpaces) {
  // 作図 データ\ソフト 表: ソ and 表 end in the byte 0x5C, which is not a separator.
  const std::string outer = Path("\x8D\xEC\x90\x7D \x83\x66\x81\x5B\x83\x5E");
  const std::string inner = outer + "\\\x83\x5C\x83\x74\x83\x67 \x95\x5C";
  MakeFolder(outer);
  MakeFolder(inner);
  const std::string file = inner + "\\\x8D\xEC\x90\x7D.DAT";  // 作図.DAT

  ASSERT_TRUE(fs_.ReplaceAll(file, "catalogue", error_)) << error_;
  EXPECT_TRUE(fs_.Exists(file));
  EXPECT_EQ(fs_.ReadAll(file), "catalogue");

  EXPECT_EQ(Names(root_), std::vector<std::wstring>{L"作図 データ"});
  EXPECT_EQ(Names(root_ + L"\\作図 データ"), std::vector<std::wstring>{L"ソフト 表"});
  EXPECT_EQ(Names(root_ + L"\\作図 データ\\ソフト 表"), std::vector<std::wstring>{L"作図.DAT"});
}

TEST_F(Win32FileSystemTest, ReadHeadStopsAtTheLimit) {
  const std::string file = Path("jwc_temp.txt");
  EXPECT_EQ(fs_.ReadHead(file, 10), std::nullopt);
  std::string big(200 * 1024, 'x');
  big.replace(0, 4, "hq\r\n");
  ASSERT_TRUE(fs_.ReplaceAll(file, big, error_)) << error_;
  EXPECT_EQ(fs_.ReadHead(file, 4), "hq\r\n");
  EXPECT_EQ(fs_.ReadHead(file, 0), "");
  EXPECT_EQ(fs_.ReadHead(file, 100 * 1024 + 3), big.substr(0, 100 * 1024 + 3));
  EXPECT_EQ(fs_.ReadHead(file, big.size() + 1), big);
}

TEST_F(Win32FileSystemTest, ReadsAFileAnotherProgramHasOpenForWriting) {
  const std::string file = Path("jwc_temp.txt");
  ASSERT_TRUE(fs_.ReplaceAll(file, "hq\r\n", error_)) << error_;
  HANDLE writer =
      CreateFileW(Widen(file).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  EXPECT_EQ(fs_.ReadAll(file), "hq\r\n");
  CloseHandle(writer);
}

TEST_F(Win32FileSystemTest, ReplaceAllIntoMissingFolderFailsWithReason) {
  const std::string file = Path("missing\\Z_Orbi.DAT");
  EXPECT_FALSE(fs_.ReplaceAll(file, "data", error_));
  EXPECT_NE(error_.find(file), std::string::npos) << error_;
  EXPECT_TRUE(Names(root_).empty());
}

TEST_F(Win32FileSystemTest, FailedReplaceKeepsOldFileAndLeavesNoTemporary) {
  const std::string file = Path("Z_Orbi.DAT");
  ASSERT_TRUE(fs_.ReplaceAll(file, "old catalogue", error_)) << error_;
  {
    // Another program holds the file open without letting it be replaced.
    HANDLE holder = CreateFileW(Widen(file).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(fs_.ReplaceAll(file, "new catalogue", error_));
    CloseHandle(holder);
  }
  EXPECT_FALSE(error_.empty());
  EXPECT_EQ(fs_.ReadAll(file), "old catalogue");
  EXPECT_EQ(Names(root_), std::vector<std::wstring>{L"Z_Orbi.DAT"}) << "a temporary file is left";
}

// A program that lets go of the file within moments (a virus scanner) delays
// the replace and the read; it does not fail them.
TEST_F(Win32FileSystemTest, AFileHeldForAMomentIsWaitedFor) {
  const std::string file = Path("Z_Orbi.DAT");
  ASSERT_TRUE(fs_.ReplaceAll(file, "old catalogue", error_)) << error_;
  for (const bool read : {false, true}) {
    HANDLE holder = CreateFileW(Widen(file).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    std::thread letGo([holder] {
      Sleep(300);
      CloseHandle(holder);
    });
    if (read)
      EXPECT_EQ(fs_.ReadAll(file), "new catalogue");
    else
      EXPECT_TRUE(fs_.ReplaceAll(file, "new catalogue", error_)) << error_;
    letGo.join();
  }
  EXPECT_EQ(Names(root_), std::vector<std::wstring>{L"Z_Orbi.DAT"});
}

TEST_F(Win32FileSystemTest, ReadOnlyFileIsNotReplacedButWritesInPlaceOtherwise) {
  const std::string file = Path("PATH.TXT");
  ASSERT_TRUE(fs_.ReplaceAll(file, "old, longer text", error_)) << error_;
  // Wine would move a new file over a read-only one; Windows refuses.
  ASSERT_TRUE(SetFileAttributesW(Widen(file).c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(fs_.ReplaceAll(file, "new", error_));
  EXPECT_EQ(fs_.ReadAll(file), "old, longer text");
  EXPECT_EQ(Names(root_), std::vector<std::wstring>{L"PATH.TXT"});

  ASSERT_TRUE(SetFileAttributesW(Widen(file).c_str(), FILE_ATTRIBUTE_NORMAL));
  ASSERT_TRUE(fs_.WriteInPlace(file, "new", error_)) << error_;
  EXPECT_EQ(fs_.ReadAll(file), "new");
}

}  // namespace
}  // namespace zorbi
