#include "settings/ini_file.h"

#include <gtest/gtest.h>

namespace zorbi {
namespace {

struct ReadCase {
  const char* name;
  const char* file;
  const char* section;
  const char* key;
  std::optional<std::string> string;
  std::optional<std::int32_t> integer;
};

TEST(IniFileTest, ReadsValuesByTheProfileRules) {
  const ReadCase cases[] = {
      {"case-blind names", "[oPTION]\r\nkeyran=1\r\n", "Option", "KeyRan", "1", 1},
      {"blanks around the value", "[A]\r\nk =  7 \t\r\n", "A", "k", "7", 7},
      {"quotes inside quotes kept", "[L]\r\nF=\"\"ＭＳ\"\"\r\n", "L", "F", "\"\"ＭＳ\"\"", {}},
      {"quotes of two words kept", "[F]\nE=\"e\" -f \"a b\"\n", "F", "E", "\"e\" -f \"a b\"", {}},
      {"0x hexadecimal", "[A]\r\nk=0x10\n", "A", "k", "0x10", 16},
      {"$ hexadecimal", "[A]\r\nk=$10\n", "A", "k", "$10", 16},
      {"32 bits of hex", "[A]\nk=$FFFFFFFF\n", "A", "k", "$FFFFFFFF", -1},
      {"too large", "[A]\nk=2147483648\n", "A", "k", "2147483648", {}},
      {"smallest", "[A]\nk=-2147483648\n", "A", "k", "-2147483648", INT32_MIN},
      {"not an integer", "[A]\nk=abc\n", "A", "k", "abc", {}},
      {"bare prefix", "[A]\nk=0x\n", "A", "k", "0x", {}},
      {"first of two keys", "[A]\nk=1\nk=2\n", "A", "k", "1", 1},
      {"only the first section", "[A]\n[B]\nk=1\n[A]\nk=2\n", "A", "k", {}, {}},
      {"comment is no key", "[A]\n;k=1\n", "A", "k", {}, {}},
      {"before any section", "k=1\n[A]\n", "A", "k", {}, {}},
      {"UTF-8 mark before the first section", "\xEF\xBB\xBF[A]\nk=3\n", "A", "k", "3", 3},
      {"last line without an end", "[A]\nk=4", "A", "k", "4", 4},
      // 0x83 0x61 is one character whose second byte looks like 'a'.
      {"double-byte name not folded", "[\x83\x61]\nk=1\n", "\x83\x41", "k", {}, {}},
      {"section name with a 0x5D second byte", "[\x81\x5D]\nk=1\n", "\x81\x5D", "k", "1", 1},
  };
  for (const ReadCase& c : cases) {
    const IniFile ini(c.file);
    EXPECT_EQ(ini.ReadString(c.section, c.key), c.string) << c.name;
    EXPECT_EQ(ini.ReadInteger(c.section, c.key), c.integer) << c.name;
  }
}

struct WriteCase {
  const char* name;
  const char* before;
  const char* section;
  const char* key;
  const char* value;
  const char* after;
};

TEST(IniFileTest, WritesChangeOnlyTheirKey) {
  const WriteCase cases[] = {
      {"new file", "", "Option", "Info", "1", "[Option]\r\nInfo=1\r\n"},
      {"replaced in place, other lines kept",
       "; mine\r\n[form]\r\nLEFT = 5\r\nX=y\r\n\r\n[Other]\r\nz=1\r\n", "Form", "Left", "7",
       "; mine\r\n[form]\r\nLEFT =7\r\nX=y\r\n\r\n[Other]\r\nz=1\r\n"},
      {"added after the section's last key", "[A]\nk=1\n\n[B]\n", "A", "n", "2",
       "[A]\nk=1\nn=2\n\n[B]\n"},
      {"added under an empty section's header", "[A]\r\n[B]\r\n", "A", "n", "2",
       "[A]\r\nn=2\r\n[B]\r\n"},
      {"new section at the end, the file's line ends", "[A]\nk=1\n", "B", "n", "2",
       "[A]\nk=1\n[B]\nn=2\n"},
      {"last line without an end", "[A]\nk=1", "A", "n", "2", "[A]\nk=1\nn=2\n"},
      {"a line break cuts the value", "", "F", "Editor", "a.exe\r\nk=1", "[F]\r\nEditor=a.exe\r\n"},
  };
  for (const WriteCase& c : cases) {
    IniFile ini(c.before);
    EXPECT_TRUE(ini.WriteString(c.section, c.key, c.value)) << c.name;
    EXPECT_EQ(ini.Bytes(), c.after) << c.name;
  }
}

TEST(IniFileTest, NamesTheFileCannotHoldAreRefused) {
  const char* const sections[] = {"", "a]b", " A", "a\nb"};
  const char* const keys[] = {"", "a=b", "[k", ";k", "k ", "a\rb"};
  IniFile ini("[A]\n");
  for (const char* s : sections) EXPECT_FALSE(ini.WriteString(s, "k", "1")) << s;
  for (const char* k : keys) EXPECT_FALSE(ini.WriteString("A", k, "1")) << k;
  EXPECT_EQ(ini.Bytes(), "[A]\n");
}

}  // namespace
}  // namespace zorbi
