#include "exchange/exchange_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using namespace zorbi;

namespace zorbi {
inline void PrintTo(const SharedText& text, std::ostream* os) {
  *os << '"' << text.view() << '"';
}
}  // namespace zorbi

namespace {

// Reads "hq" + the given lines, CR LF ended.
bool Read(ExchangeState& s, std::initializer_list<std::string_view> lines) {
  std::string bytes = "hq\r\n";
  for (const std::string_view line : lines) bytes.append(line).append("\r\n");
  return ReadExchangeBytes(s, bytes);
}

struct Reader : ::testing::Test {
  ExchangeState s;
  Reader() { CreateExchangeLists(s); }

  // A read that fails on its last line with -2.
  void ExpectError(std::initializer_list<std::string_view> lines) {
    s.ExchangeStatus = 0;
    EXPECT_FALSE(Read(s, lines)) << *(lines.end() - 1);
    EXPECT_EQ(s.ExchangeStatus, -2) << *(lines.end() - 1);
  }
};

}  // namespace

TEST_F(Reader, FailureTable) {
  // No file: false, status untouched.
  s.ExchangeStatus = 0;
  EXPECT_FALSE(ReadExchangeFile(s, false, std::nullopt));
  EXPECT_EQ(s.ExchangeStatus, 0);
  // A file that can't be read.
  EXPECT_FALSE(ReadExchangeFile(s, true, std::nullopt));
  EXPECT_EQ(s.ExchangeStatus, -2);
  // No lines.
  s.ExchangeStatus = 0;
  EXPECT_TRUE(ReadExchangeFile(s, true, std::string()));
  EXPECT_TRUE(ReadExchangeBytes(s, std::string("\0hq junk", 8)));
  EXPECT_EQ(s.ExchangeStatus, 0);
  // First line.
  EXPECT_TRUE(ReadExchangeFile(s, true, std::string("hq")));
  EXPECT_TRUE(ReadExchangeBytes(s, " \thqx \r\n"));
  for (const char* bytes : {"x hq\r\n", "\r\nhq\r\n", "\n", "Hq", "h\0q"}) {
    s.ExchangeStatus = 0;
    EXPECT_FALSE(ReadExchangeBytes(s, bytes)) << bytes;
    EXPECT_EQ(s.ExchangeStatus, -1) << bytes;
  }
  // A later line.
  ExpectError({"", "5"});
  s.ExchangeStatus = 0;
  EXPECT_TRUE(Read(s, {"", "  ", "10 20 30 40", "hq", "unknown line", "s 1 2"}));
  EXPECT_EQ(s.ExchangeStatus, 0);
}

TEST_F(Reader, FailedReadKeepsWhatCameBeforeAndStatusIsNeverReset) {
  EXPECT_FALSE(Read(s, {"lc3", "1 2 3 4", "pl", "1 2 3"}));
  EXPECT_EQ(s.ExchangeStatus, -2);
  ASSERT_EQ(s.LineList.size(), 1u);
  EXPECT_EQ(s.Attributes.LineColor, 3);
  EXPECT_EQ(s.Counters.LineCount, 2);  // counted before the failing record
  EXPECT_TRUE(Read(s, {"1 2 3 4"}));
  EXPECT_EQ(s.ExchangeStatus, -2);
  EXPECT_EQ(s.LineList.size(), 1u);
  EXPECT_EQ(s.Attributes.LineColor, 0);
}

TEST_F(Reader, LineEndsAndNul) {
  ASSERT_TRUE(ReadExchangeBytes(s, "hq\r1 2 3 4\n5 6 7 8\r\n\r\n9 9 9 9"));
  ASSERT_EQ(s.LineList.size(), 3u);
  EXPECT_EQ(s.LineList[2].Value1, 9);
  // Text after a NUL byte doesn't exist.
  ASSERT_TRUE(ReadExchangeBytes(s, std::string("hq\n1 2 3 4\n\0 1 2\n", 17)));
  EXPECT_EQ(s.LineList.size(), 1u);
  // Many CR-only line ends.
  std::string bytes = "hq";
  for (int i = 0; i < 2000; ++i) bytes += "\r1 2 3 4";
  ASSERT_TRUE(ReadExchangeBytes(s, bytes));
  EXPECT_EQ(s.LineList.size(), 2000u);
}

TEST_F(Reader, RecordsGoToTheirListsWithCounters) {
  ASSERT_TRUE(Read(
      s, {"+1 2 3 4", "-1 2 3 4", ".5 2 3 4", "ci 0 0 5", "pt 1 2", "cn1", "ch 1 2 3 4 \"a",
          "cn0 1 2 3 4", "cb 1 2 3 4 \"b", "sc 1", "se", "sg", "sl", "so", "hp 1 2", "BL 1 2 xn"}));
  EXPECT_EQ(s.LineList.size(), 3u);
  EXPECT_EQ(s.ArcList.size(), 1u);
  EXPECT_EQ(s.PointList.size(), 1u);
  ASSERT_EQ(s.TextList.size(), 2u);
  EXPECT_TRUE(std::holds_alternative<TMoji>(s.TextList[0]));
  ASSERT_TRUE(std::holds_alternative<TNMoji>(s.TextList[1]));
  EXPECT_EQ(std::get<TNMoji>(s.TextList[1]).Cn0Number, 4);
  EXPECT_EQ(Moji(s.TextList[1]).Text, "b");
  EXPECT_EQ(s.SolidList.size(), 5u);
  EXPECT_EQ(s.HpList.size(), 1u);
  EXPECT_EQ(s.BlockList.size(), 1u);
  const ExchangeCounters& c = s.Counters;
  EXPECT_EQ(c.LineCount, 3);
  EXPECT_EQ(c.ArcCount, 1);
  EXPECT_EQ(c.PointCount, 1);
  EXPECT_EQ(c.TextCount, 2);
  EXPECT_EQ(c.SolidCount, 5);
  EXPECT_EQ(c.HpCount, 1);
  EXPECT_EQ(c.BlockCount, 1);
  EXPECT_EQ(c.EntityCount, 12);
}

TEST_F(Reader, DispatchOrder) {
  // "lc10" comes before "lc": the colour code, not the line colour.
  ASSERT_TRUE(Read(s, {"lc10 258", "sc"}));
  EXPECT_EQ(s.Attributes.LineColor, 0);
  EXPECT_EQ(s.SolidList[0].Color, 258);
  EXPECT_EQ(s.SolidList[0].ColorByte1, 1);
  // A later "lc" ends the colour code.
  ASSERT_TRUE(Read(s, {"lc10 258", "lc", "1 2 3 4"}) == false);
  ASSERT_TRUE(Read(s, {"lc10 258", "lc4"}));
  EXPECT_EQ(s.Attributes.ColorCode, -1);
  EXPECT_EQ(s.Attributes.LineColor, 4);
  // Chars 6 to 15 only.
  ASSERT_TRUE(Read(s, {"lc10 123456789012"}));
  EXPECT_EQ(s.Attributes.ColorCode, 1234567890);
  ExpectError({"lc10"});
  ExpectError({"lc10 12 4"});

  // Every "c" line: arc, text kind setting or text.
  ASSERT_TRUE(Read(s, {"cn2", "ci 1 2 3", "cx 1 2 3 4 \"t"}));
  EXPECT_EQ(s.ArcList.size(), 1u);
  EXPECT_EQ(s.TextList.size(), 1u);
  EXPECT_EQ(Moji(s.TextList[0]).Kind, "cx");
  ExpectError({"c"});

  // An "s" line without c, e, g, l or o after it matches nothing.
  ASSERT_TRUE(Read(s, {"s", "sa 1", "sz", "s c"}));
  EXPECT_TRUE(s.SolidList.empty());
  EXPECT_EQ(s.Counters.EntityCount, 0);

  // Case matters; "hhp" isn't "hp"; "#" anywhere else isn't a header end.
  ASSERT_TRUE(Read(s, {"bl 1 2 xn", "PT 1 2", "HP 1 2", "hhp 9", "x#"}));
  EXPECT_TRUE(s.BlockList.empty());
  EXPECT_TRUE(s.PointList.empty());
  EXPECT_TRUE(s.HpList.empty());
  EXPECT_EQ(s.Attributes.HhpLine, "hhp 9");
  EXPECT_FALSE(s.HeaderDone);
}

TEST_F(Reader, ZValueAndHhpLineLastForOneRecord) {
  ASSERT_TRUE(Read(s, {"lc1", "lt2", "z1", "1 2 3 4", "1 2 3 4"}));
  EXPECT_EQ(s.LineList[0].ZValue, 1);
  EXPECT_EQ(s.LineList[1].ZValue, 0);
  EXPECT_EQ(s.LineList[1].LineColor, 1);
  EXPECT_EQ(s.LineList[1].LineType, 2);

  ASSERT_TRUE(Read(s, {"hhp x", "ch 1 2 3 4 \"t", "1 2 3 4", "hhp y", "ci 1 2 3", "1 2 3 4"}));
  EXPECT_EQ(Moji(s.TextList[0]).HhpLine, "hhp x");
  EXPECT_EQ(s.LineList[0].HhpLine, " ");
  EXPECT_EQ(s.ArcList[0].HhpLine, "hhp y");
  EXPECT_EQ(s.LineList[1].HhpLine, "");

  // A point resets the z value but not the hhp line; a solid resets neither.
  ASSERT_TRUE(Read(s, {"hhp x", "z3", "sc", "pt 1 2", "1 2 3 4"}));
  EXPECT_EQ(s.PointList[0].ZValue, 3);
  EXPECT_EQ(s.LineList[0].ZValue, 0);
  EXPECT_EQ(s.LineList[0].HhpLine, "hhp x");
}

TEST_F(Reader, BlockPlAndMessageNumbers) {
  ASSERT_TRUE(Read(s, {"BL 0 0 xa", "BL 0 0 xb", "pl", "1 2 3 4", "#", "1 2 3 4"}));
  EXPECT_EQ(s.LineList[0].BlockNumber, 2);
  EXPECT_EQ(s.LineList[0].PlNumber, 1);
  EXPECT_EQ(s.LineList[1].BlockNumber, 0);
  EXPECT_EQ(s.LineList[1].PlNumber, 0);
  EXPECT_EQ(s.BlockList[1].Name, "b");

  ASSERT_TRUE(Read(s, {"1 2 3 4", "msg hello", "msz x", "1 2 3 4", "#", "ch 1 2 3 4 \"t"}));
  EXPECT_EQ(s.LineList[0].MsgTag, "0");
  EXPECT_EQ(s.LineList[1].MsgTag, "msz x2");
  EXPECT_EQ(Moji(s.TextList[0]).MsgTag, "2");

  ASSERT_TRUE(Read(s, {"lc10 7", "#", "sc"}));
  EXPECT_EQ(s.SolidList[0].ColorByte0, -1);
}

TEST_F(Reader, TextKindSettings) {
  ASSERT_TRUE(Read(s, {"cn$ ＭＳ ゴシック $x", "cn3", "ch 1 2 3 4 \"t"}));
  EXPECT_EQ(s.Attributes.CnName, "ＭＳ ゴシック");
  EXPECT_EQ(s.Initial.InitialCnName, "ＭＳ ゴシック");
  EXPECT_EQ(s.Initial.InitialTextKind, "3");
  EXPECT_EQ(Moji(s.TextList[0]).CnName, "ＭＳ ゴシック");
  EXPECT_EQ(Moji(s.TextList[0]).TextKind, 3);

  ASSERT_TRUE(Read(s, {"cn$$ab$", "cn 12"}));
  EXPECT_EQ(s.Attributes.CnName, "ab");  // the empty piece is dropped
  EXPECT_EQ(s.Attributes.TextKind, 12);
  EXPECT_EQ(s.Initial.InitialTextKind, "12");
  ASSERT_TRUE(Read(s, {"cn$"}));
  EXPECT_EQ(s.Attributes.CnName, "");

  ASSERT_TRUE(Read(s, {"cn4", "cn0  1.5 2 3 7 extra", "#", "cn$late$", "cn5"}));
  EXPECT_EQ(s.Attributes.TextKind, 5);
  EXPECT_EQ(s.Initial.InitialTextKind, "0");
  EXPECT_EQ(s.Initial.InitialCn0Line, "cn0  1.5 2 3 7 extra");
  EXPECT_EQ(s.Initial.InitialCnName, "");
  EXPECT_EQ(s.Attributes.CnName, "late");
  EXPECT_EQ(s.Attributes.Cn0.Cn0Value1, 1.5);
  EXPECT_EQ(s.Attributes.Cn0.Cn0Number, 7);

  ExpectError({"cn0 1 2 3"});
  ExpectError({"cn0 1 2 3 4.5"});
  ExpectError({"cn"});
  ExpectError({"cnx"});
  ExpectError({"cn 0 1 2 3 4"});  // char 3 is a blank: the number is "0 1 2 3 4"
}

TEST_F(Reader, PenTypeColourAndZ) {
  ASSERT_TRUE(Read(s, {"lc7", "pn 12", "lt3x", "z9"}));
  EXPECT_EQ(s.Initial.InitialLineColor, "7");
  EXPECT_EQ(s.Initial.InitialPen, "1");  // pn overwrites; short string of 1
  EXPECT_EQ(s.Attributes.PenNumber, 12);
  EXPECT_EQ(s.Attributes.LineType, 3);
  EXPECT_EQ(s.Attributes.ZValue, 9);

  ASSERT_TRUE(Read(s, {"pn", "lc2"}));
  EXPECT_EQ(s.Initial.InitialPen, "2");  // an empty pen takes the line colour
  EXPECT_EQ(s.Attributes.PenNumber, 0);
  ASSERT_TRUE(Read(s, {"pn5", "lc2"}));
  EXPECT_EQ(s.Initial.InitialPen, "5");

  ASSERT_TRUE(Read(s, {"lt1", "#", "lt4", "lc5", "pn6"}));
  EXPECT_EQ(s.Attributes.LineType, 4);
  EXPECT_EQ(s.Initial.InitialLineType, "1");
  EXPECT_EQ(s.Initial.InitialLineColor, "");
  EXPECT_EQ(s.Initial.InitialPen, "");

  for (const char* line : {"lt", "ltx", "lc", "lcx", "z", "zz", "pn x", "pn 1 2"})
    ExpectError({line});
}

TEST_F(Reader, GroupAndLayerLines) {
  ASSERT_TRUE(Read(s, {"hs 1 2 3 4 5 6 7 8 9 10 11 12", "lga", "lyF", "1 2 3 4"}));
  EXPECT_EQ(s.Initial.InitialGroup, "a");
  EXPECT_EQ(s.Initial.InitialScale, 11);
  EXPECT_EQ(s.Initial.InitialLayer, "F");
  EXPECT_EQ(s.LineList[0].Layer, "a-F");  // case unchanged

  // Exactly three characters: no table is written.
  ASSERT_TRUE(Read(s, {"lg3", "ly5"}));
  for (const LayerEntry& e : s.LayerTable) EXPECT_TRUE(e.Key.empty() && e.State.empty());
  for (const GroupEntry& e : s.GroupTable) EXPECT_TRUE(e.State.empty());

  ASSERT_TRUE(Read(s, {"lg2 01", "ly3 1", "lgnGroup name longer than 16", "lyn壁の層です長い"}));
  EXPECT_EQ(s.Attributes.CurrentGroup, "2");
  EXPECT_EQ(s.GroupTable[2].State, "01");
  EXPECT_EQ(s.GroupTable[2].Name, "Group name longe");
  const LayerEntry& e = s.LayerTable[16 * 2 + 3];
  EXPECT_EQ(e.Key, "2-3");
  EXPECT_EQ(e.State, "1");
  EXPECT_EQ(e.Name, std::string("壁の層です長い").substr(0, 8));

  ASSERT_TRUE(Read(s, {"lgf", "#", "lg1", "lyb xy"}));
  EXPECT_EQ(s.Initial.InitialGroup, "f");
  EXPECT_EQ(s.Attributes.CurrentGroup, "1");
  EXPECT_EQ(s.LayerTable[16 + 11].Key, "1-b");
  EXPECT_EQ(s.LayerTable[16 + 11].State, "xy");

  // Digits the tables can't take: only where a value is needed.
  ASSERT_TRUE(Read(s, {"hs 1 2", "lg1", "lgG", "lyZ", "1 2 3 4"}));
  EXPECT_EQ(s.Initial.InitialGroup, "G");
  EXPECT_EQ(s.Initial.InitialScale, 2);  // no scale for a digit without a value
  EXPECT_EQ(s.LineList[0].Layer, "G-Z");
  for (auto lines : {std::initializer_list<std::string_view>{"lgA 1"},
                     {"lg"},
                     {"ly"},
                     {"lyA 1"},
                     {"lgG", "lgnname"},
                     {"lyG", "lynname"},
                     {"lgG", "ly1 1"}})
    ExpectError(lines);
}

TEST_F(Reader, LayerConditionAndNameLines) {
  ASSERT_TRUE(Read(s, {"LAYCND_3(on),1,\"2 x\", ,4", "LAYNAM_3(GroupName9),wall, column ,"}));
  EXPECT_EQ(s.GroupTable[3].State, "on");
  EXPECT_EQ(s.GroupTable[3].Name, "GroupNam");
  EXPECT_EQ(s.LayerTable[48].Key, "3-0");
  EXPECT_EQ(s.LayerTable[48].State, "1");
  EXPECT_EQ(s.LayerTable[49].State, "2 x");
  EXPECT_EQ(s.LayerTable[50].State, "");
  EXPECT_EQ(s.LayerTable[51].Key, "3-3");
  EXPECT_EQ(s.LayerTable[48].Name, "wall");
  EXPECT_EQ(s.LayerTable[49].Name, "column");
  EXPECT_EQ(s.LayerTable[50].Name, "");
  EXPECT_TRUE(s.LayerTable[52].Key.empty());

  // Short token 0: no group state; layer names cut to 8.
  ASSERT_TRUE(Read(s, {"LAYCND_a()", "LAYNAM_a,abcdefghij"}));
  EXPECT_EQ(s.GroupTable[10].State, "");
  EXPECT_EQ(s.GroupTable[10].Name, "");
  EXPECT_EQ(s.LayerTable[160].Name, "abcdefgh");

  // More than 16 layers: the rest is ignored, nothing past the group's 16.
  std::string states = "LAYCND_f(s)";
  for (int i = 0; i < 20; ++i) states += "," + std::to_string(i);
  ASSERT_TRUE(Read(s, {states}));
  EXPECT_EQ(s.LayerTable[255].Key, "f-f");
  EXPECT_EQ(s.LayerTable[255].State, "15");

  ExpectError({"LAYCND_A(x),1"});
  ExpectError({"LAYNAM"});
  ExpectError({"LAYCND_"});
}

TEST_F(Reader, HeaderTables) {
  ASSERT_TRUE(Read(s, {"hk 0.5", "hn 1 2 3 4 5", "hcw 1 2", "hch 3", "hcd 4 \"5\"", "hcc 6 7",
                       "file C:\\jww\\a b.jww", "hs 1 2"}));
  EXPECT_EQ(s.HkValue, 0.5);
  EXPECT_THAT(s.HnValues, ElementsAre(1, 2, 3, 4));
  EXPECT_EQ(s.HcTable[1].Hcw, 2);
  EXPECT_EQ(s.HcTable[0].Hch, 3);
  EXPECT_EQ(s.HcTable[1].Hcd, 5);
  EXPECT_EQ(s.HcTable[1].Hcc, 7);
  EXPECT_EQ(s.DrawingFile, "C:\\jww\\a b.jww");
  EXPECT_EQ(s.GroupScales[1], 2);
  EXPECT_EQ(s.GroupScales[2], 0);

  // Values past a table's end are ignored, even when they don't convert.
  std::string hs = "hs";
  for (int i = 1; i <= 16; ++i) hs += " " + std::to_string(i);
  ASSERT_TRUE(Read(s, {hs + " 17 x", "hcc 1 2 3 4 5 6 7 8 9 10 y", "hcw 1 2 3 4 5 6 7 8 9 10 11"}));
  EXPECT_EQ(s.GroupScales[15], 16);
  EXPECT_EQ(s.HcTable[9].Hcc, 10);
  EXPECT_EQ(s.HcTable[9].Hcw, 10);

  ASSERT_TRUE(Read(s, {"file", "hs"}));
  EXPECT_EQ(s.DrawingFile, "");

  for (const char* line : {"hk", "hk x", "hn 1 2 3", "hn 1 2 3 x", "hs x", "hcc 1.5", "hcw a"})
    ExpectError({line});
}

TEST_F(Reader, ResetBeforeEveryRead) {
  ASSERT_TRUE(
      Read(s, {"hs 5", "lg1", "ly2", "lc3", "lt4", "pn5", "z6", "cn7", "hhp", "msg", "pl",
               "BL 1 2 xy", "#", "LAYCND_1(x),y", "file f", "hn 1 2 3 4", "hcc 1", "1 2 3 4"}));
  s.OutputLines.push_back("h/x");
  ASSERT_FALSE(ReadExchangeFile(s, false, std::nullopt));
  const CurrentAttributes& a = s.Attributes;
  EXPECT_EQ(a.CurrentGroup, "0");
  EXPECT_EQ(a.CurrentLayer, "0");
  EXPECT_EQ(a.LineType + a.LineColor + a.TextKind + a.PenNumber + a.ZValue + a.PlNumber +
                a.BlockNumber + a.MsgCount,
            0);
  EXPECT_EQ(a.ColorCode, -1);
  EXPECT_TRUE(a.CnName.empty() && a.MsgLine.empty() && a.HhpLine.empty());
  EXPECT_FALSE(s.HeaderDone);
  EXPECT_TRUE(s.Initial.InitialGroup.empty() && s.Initial.InitialTextKind.empty());
  EXPECT_EQ(
      s.Counters.EntityCount + s.Counters.LineCount + s.Counters.BlockCount + s.Counters.PlCount,
      0);
  EXPECT_TRUE(s.OutputLines.empty() && s.LineList.empty() && s.BlockList.empty());
  EXPECT_EQ(s.GroupScales[0], 0);
  EXPECT_EQ(s.HnValues[0], 0);
  EXPECT_EQ(s.HcTable[0].Hcc, 0);
  EXPECT_TRUE(s.LayerTable[16].Key.empty());
  EXPECT_TRUE(s.DrawingFile.empty());
}

TEST_F(Reader, FreeReleasesEverything) {
  ASSERT_TRUE(Read(s, {"1 2 3 4", "ch 1 2 3 4 \"t", "sc"}));
  s.OutputLines.push_back("h/x");
  FreeExchangeLists(s);
  EXPECT_TRUE(s.LineList.empty() && s.TextList.empty() && s.SolidList.empty() &&
              s.OutputLines.empty());
}
