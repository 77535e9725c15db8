#include "text/long_path.h"

#include <gtest/gtest.h>

using namespace zorbi;

TEST(ExtendedLengthPath, AbsolutePathsTakeTheLongFormAndOthersStayAsTheyAre) {
  const struct {
    const char* path;
    const char* expected;  // nullptr: unchanged
  } rows[] = {
      {"C:\\JWW\\Z_Orbi.DAT", "\\\\?\\C:\\JWW\\Z_Orbi.DAT"},
      {"c:/jww//./sub/", "\\\\?\\c:\\jww\\sub"},
      {"C:\\a\\..\\..\\b", "\\\\?\\C:\\b"},
      {"C:\\", "\\\\?\\C:\\"},
      // The second byte of 表 is 0x5C: not a separator, so ".." removes all of 作表.
      {"C:\\作表\\..\\表\\a.txt", "\\\\?\\C:\\表\\a.txt"},
      {"\\\\server\\share\\f.txt", "\\\\?\\UNC\\server\\share\\f.txt"},
      {"//server/share/../../f", "\\\\?\\UNC\\server\\share\\f"},
      {"\\\\?\\C:\\x\\..\\y", nullptr},
      {"\\\\.\\COM1", nullptr},
      {"a\\b.txt", nullptr},
      {"\\root\\relative", nullptr},
      {"C:drive-relative", nullptr},
      {"\\\\server", nullptr},
      // The usual parsing trims a part's trailing dots and blanks; the long form would not.
      {"C:\\dir.\\a.txt", nullptr},
      {"C:\\dir\\a.txt ", nullptr},
  };
  for (const auto& row : rows)
    EXPECT_EQ(ExtendedLengthPath(row.path), row.expected ? row.expected : row.path) << row.path;
}
