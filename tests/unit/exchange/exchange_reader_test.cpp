#include "exchange/exchange_reader.h"

#include <cstring>

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

using Lines = std::initializer_list<std::string_view>;

struct Reader : ::testing::Test {
  ExchangeState s;
  const CurrentAttributes& a = s.Attributes;
  const InitialState& init = s.Initial;

  Reader() { CreateExchangeLists(s); }

  // Reads "hq" and the lines, CR LF ended; the status starts at 0. A read
  // as the program does it, keeping no records, must end the same way.
  bool Read(Lines lines) {
    std::string bytes = "hq\r\n";
    for (const std::string_view line : lines) bytes.append(line).append("\r\n");
    s.ExchangeStatus = 0;
    const bool ok = ReadExchangeBytes(s, bytes);
    ExchangeState counted;
    EXPECT_EQ(ReadExchangeBytes(counted, bytes, {.KeepRecords = false}), ok);
    EXPECT_EQ(counted.ExchangeStatus, s.ExchangeStatus);
    EXPECT_EQ(std::memcmp(&counted.Counters, &s.Counters, sizeof s.Counters), 0);
    return ok;
  }

  bool Fails(Lines lines) { return !Read(lines) && s.ExchangeStatus == -2; }
};

}  // namespace

TEST_F(Reader, FailureTable) {
  EXPECT_FALSE(ReadExchangeFile(s, false, std::nullopt));  // no file
  EXPECT_EQ(s.ExchangeStatus, 0);
  EXPECT_FALSE(ReadExchangeFile(s, true, std::nullopt));  // unreadable
  EXPECT_EQ(s.ExchangeStatus, -2);
  s.ExchangeStatus = 0;
  EXPECT_TRUE(ReadExchangeFile(s, true, std::string()));  // no lines
  EXPECT_TRUE(ReadExchangeBytes(s, std::string("\0hq", 3)));
  EXPECT_TRUE(ReadExchangeBytes(s, " \thqx \r\n"));
  EXPECT_EQ(s.ExchangeStatus, 0);
  for (const char* bytes : {"x hq\r\n", "\r\nhq\r\n", "\n", "Hq"}) {
    s.ExchangeStatus = 0;
    EXPECT_FALSE(ReadExchangeBytes(s, bytes)) << bytes;
    EXPECT_EQ(s.ExchangeStatus, -1) << bytes;
  }
  EXPECT_TRUE(Fails({"", "5"}));
  EXPECT_TRUE(Read({"", "  ", "hq", "unknown", "s 1 2", "sa", "x#", "bl 1 2 x", "PT 1 2"}));
  EXPECT_EQ(s.Counters.EntityCount + s.Counters.BlockCount, 0);
}

TEST_F(Reader, FailedReadKeepsWhatCameBefore) {
  EXPECT_TRUE(Fails({"lc3", "1 2 3 4", "1 2 3"}));
  EXPECT_EQ(s.LineList.size(), 1u);  // the failing record is dropped but counted
  EXPECT_EQ(s.Counters.LineCount, 2);
  EXPECT_EQ(a.LineColor, 3);
  s.ExchangeStatus = -2;
  EXPECT_TRUE(ReadExchangeBytes(s, "hq"));
  EXPECT_EQ(s.ExchangeStatus, -2);  // a read never resets the status
}

TEST_F(Reader, LineEndsAndNul) {
  ASSERT_TRUE(ReadExchangeBytes(s, "hq\r1 2 3 4\n5 6 7 8\r\n\r\n9 9 9 9"));
  EXPECT_EQ(s.LineList.size(), 3u);
  ASSERT_TRUE(ReadExchangeBytes(s, std::string("hq\n1 2 3 4\n\0 1 2\n", 17)));
  EXPECT_EQ(s.LineList.size(), 1u);
}

TEST(ExchangePieces, AnyPieceSizeReadsAsTheWhole) {
  const std::string files[] = {
      "hq\r\nlc3\r\n1 2 3 4\r\npt 1 2\r\nci 0 0 5\r\n",
      "hq\nlc3\n1 2 3 4\n\n5 6 7 8\n",
      "hq\r1 2 3 4\r\r\n5 6 7 8\r",
      "hq\r\n1 2 3 " + std::string(150, '4') + "\r\npt 1 2\r\n",  // longer than a piece
      "hq\r\n1 2 3 4\r\npt x y\r\n",                              // bad last line
      "hq\r\n1 2 3 4\r\npt 1 2",                                  // no final line end
      std::string("hq\n1 2 3 4\n5 6 7 8\0pt 1 2\n", 27),
      "\r\nhq\r\n",
      "",
  };
  for (const std::string& bytes : files) {
    ExchangeState whole;
    const bool ok = ReadExchangeBytes(whole, bytes);
    for (const std::size_t size : {1, 2, 3, 7, 64}) {
      ExchangeState s;
      ExchangePieceReader reader(s);
      for (std::size_t at = 0; at < bytes.size(); at += size) {
        reader.Add(std::string_view(bytes).substr(at, size));
        reader.Add({});
      }
      EXPECT_EQ(reader.Finish(), ok) << bytes << " in pieces of " << size;
      EXPECT_EQ(s.ExchangeStatus, whole.ExchangeStatus) << bytes << " in pieces of " << size;
      EXPECT_EQ(std::memcmp(&s.Counters, &whole.Counters, sizeof s.Counters), 0)
          << bytes << " in pieces of " << size;
    }
  }
}

TEST_F(Reader, RecordsAndCounters) {
  ASSERT_TRUE(
      Read({"+1 2 3 4", ".5 2 3 4", "ci 0 0 5", "pt 1 2", "cn1", "ch 1 2 3 4 \"a", "cn0 1 2 3 4",
            "cb 1 2 3 4 \"b", "sc 1", "se", "sg", "sl", "so", "hp 1 2", "BL 1 2 xn"}));
  const ExchangeCounters& c = s.Counters;
  EXPECT_THAT(std::vector<std::size_t>({s.LineList.size(), s.ArcList.size(), s.PointList.size(),
                                        s.TextList.size(), s.SolidList.size(), s.HpList.size(),
                                        s.BlockList.size()}),
              ElementsAre(2, 1, 1, 2, 5, 1, 1));
  EXPECT_THAT(std::vector<int>({c.LineCount, c.ArcCount, c.PointCount, c.TextCount, c.SolidCount,
                                c.HpCount, c.BlockCount, c.EntityCount}),
              ElementsAre(2, 1, 1, 2, 5, 1, 1, 11));
  EXPECT_TRUE(std::holds_alternative<TMoji>(s.TextList[0]));
  ASSERT_TRUE(std::holds_alternative<TNMoji>(s.TextList[1]));
  EXPECT_EQ(std::get<TNMoji>(s.TextList[1]).Cn0Number, 4);
  EXPECT_EQ(Moji(s.TextList[1]).Text, "b");
}

TEST_F(Reader, DispatchOrder) {
  ASSERT_TRUE(Read({"lc10 258", "sc"}));  // "lc10" before "lc"
  EXPECT_EQ(a.LineColor, 0);
  EXPECT_EQ(s.SolidList[0].Color, 258);
  ASSERT_TRUE(Read({"lc10 258", "lc4", "sc"}));  // a later "lc" ends the colour code
  EXPECT_EQ(s.SolidList[0].Color, 4);
  EXPECT_EQ(s.SolidList[0].ColorByte0, -1);
  ASSERT_TRUE(Read({"lc10 123456789012"}));  // chars 6 to 15
  EXPECT_EQ(a.ColorCode, 1234567890);
  EXPECT_TRUE(Fails({"lc10"}));

  ASSERT_TRUE(Read({"cn2", "ci 1 2 3", "cx 1 2 3 4 \"t"}));  // every "c" row
  EXPECT_EQ(s.ArcList.size(), 1u);
  EXPECT_EQ(Moji(s.TextList[0]).Kind, "cx");
  EXPECT_TRUE(Fails({"c"}));
  ASSERT_TRUE(Read({"hhp 9", "HP 1 2"}));  // "hhp" isn't "hp"; case matters
  EXPECT_EQ(a.HhpLine, "hhp 9");
  EXPECT_TRUE(s.HpList.empty());
}

TEST_F(Reader, AttributesTheRecordsTake) {
  ASSERT_TRUE(Read({"lc1", "lt2", "z1", "1 2 3 4", "1 2 3 4"}));
  EXPECT_EQ(s.LineList[0].ZValue, 1);
  EXPECT_EQ(s.LineList[1].ZValue, 0);
  EXPECT_EQ(s.LineList[1].LineColor, 1);
  EXPECT_EQ(s.LineList[1].LineType, 2);

  ASSERT_TRUE(Read({"hhp x", "ch 1 2 3 4 \"t", "1 2 3 4", "ci 1 2 3", "hhp y", "z3", "sc", "pt 1 2",
                    "1 2 3 4"}));
  EXPECT_EQ(Moji(s.TextList[0]).HhpLine, "hhp x");
  EXPECT_EQ(s.LineList[0].HhpLine, " ");      // after a text
  EXPECT_EQ(s.ArcList[0].HhpLine, "");        // and none after a line
  EXPECT_EQ(s.PointList[0].ZValue, 3);        // a solid resets nothing
  EXPECT_EQ(s.LineList[1].HhpLine, "hhp y");  // a point keeps the hhp line
  EXPECT_EQ(s.LineList[1].ZValue, 0);

  ASSERT_TRUE(Read({"BL 0 0 xa", "BL 0 0 xb", "pl", "msg hi", "msz x", "1 2 3 4", "#", "1 2 3 4"}));
  EXPECT_EQ(s.LineList[0].BlockNumber, 2);
  EXPECT_EQ(s.LineList[0].PlNumber, 1);
  EXPECT_EQ(s.LineList[0].MsgTag, "msz x2");
  EXPECT_EQ(s.LineList[1].BlockNumber + s.LineList[1].PlNumber, 0);
  EXPECT_EQ(s.LineList[1].MsgTag, "2");
  EXPECT_TRUE(s.HeaderDone);
}

TEST_F(Reader, TextKindSettings) {
  ASSERT_TRUE(Read({"cn$ ＭＳ ゴシック $x", "cn 12", "ch 1 2 3 4 \"t"}));
  EXPECT_EQ(Moji(s.TextList[0]).CnName, "ＭＳ ゴシック");
  EXPECT_EQ(init.InitialCnName, "ＭＳ ゴシック");
  EXPECT_EQ(Moji(s.TextList[0]).TextKind, 12);
  EXPECT_EQ(init.InitialTextKind, "12");
  ASSERT_TRUE(Read({"cn$$ab$"}));
  EXPECT_EQ(a.CnName, "ab");  // the empty piece is dropped

  ASSERT_TRUE(Read({"cn0  1.5 2 3 7 extra", "#", "cn$late$", "cn5"}));
  EXPECT_EQ(init.InitialTextKind, "0");
  EXPECT_EQ(init.InitialCn0Line, "cn0  1.5 2 3 7 extra");
  EXPECT_EQ(a.Cn0.Cn0Value1, 1.5);
  EXPECT_EQ(a.Cn0.Cn0Number, 7);
  EXPECT_EQ(a.CnName, "late");
  EXPECT_EQ(a.TextKind, 5);
  for (const char* line : {"cn0 1 2 3", "cn0 1 2 3 4.5", "cn", "cnx", "cn 0 1 2 3 4"})
    EXPECT_TRUE(Fails({line})) << line;
}

TEST_F(Reader, InitialStateFollowsTheHeaderOnly) {
  ASSERT_TRUE(Read({"lc7", "pn 12", "lt3x", "z9", "#", "lt4", "lc5", "pn6", "lg1", "ly2"}));
  EXPECT_EQ(init.InitialLineColor, "7");
  EXPECT_EQ(init.InitialPen, "1");  // short string of 1
  EXPECT_EQ(init.InitialLineType, "3");
  EXPECT_EQ(a.LineType, 4);
  EXPECT_EQ(a.PenNumber, 6);
  EXPECT_EQ(init.InitialGroup + init.InitialLayer, "");
  ASSERT_TRUE(Read({"pn", "lc2"}));
  EXPECT_EQ(init.InitialPen, "2");  // an empty pen takes the line colour
  for (const char* line : {"lt", "ltx", "lc", "z", "pn x", "pn 1 2"})
    EXPECT_TRUE(Fails({line})) << line;
}

TEST_F(Reader, GroupAndLayerLines) {
  ASSERT_TRUE(Read({"hs 1 2 3 4 5 6 7 8 9 10 11", "lga", "lyF", "1 2 3 4"}));
  EXPECT_EQ(init.InitialScale, 11);
  EXPECT_EQ(init.InitialLayer, "F");
  EXPECT_EQ(s.LineList[0].Layer, "a-F");                                // case unchanged
  for (const LayerEntry& e : s.LayerTable) EXPECT_TRUE(e.Key.empty());  // 3 chars: no table

  ASSERT_TRUE(Read({"lg2 01", "LY3 x", "ly3 1", "lgnGroup name longer than 16", "lynlayer name"}));
  EXPECT_EQ(s.GroupTable[2].State, "01");
  EXPECT_EQ(s.GroupTable[2].Name, "Group name longe");
  const LayerEntry& e = s.LayerTable[16 * 2 + 3];
  EXPECT_EQ(e.Key + "/" + e.State + "/" + e.Name, "2-3/1/layer na");

  ASSERT_TRUE(Read({"hs 1 2", "lg1", "lgG", "lyZ", "1 2 3 4"}));  // a digit only needs a value...
  EXPECT_EQ(init.InitialScale, 2);
  EXPECT_EQ(s.LineList[0].Layer, "G-Z");
  for (const Lines lines :
       {Lines{"lgA 1"}, {"lg"}, {"ly"}, {"lyA 1"}, {"lgG", "lgnx"}, {"lgG", "ly1 1"}})
    EXPECT_TRUE(Fails(lines)) << *lines.begin();  // ...where a table is indexed
}

TEST_F(Reader, LayerConditionAndNameLines) {
  ASSERT_TRUE(Read({"LAYCND_3(on),1,\"2 x\", ,4", "LAYNAM_3(GroupName9),wall, column ,"}));
  EXPECT_EQ(s.GroupTable[3].State, "on");
  EXPECT_EQ(s.GroupTable[3].Name, "GroupNam");
  EXPECT_EQ(s.LayerTable[48].Key, "3-0");
  EXPECT_EQ(s.LayerTable[51].Key, "3-3");
  EXPECT_EQ(s.LayerTable[49].State, "2 x");
  EXPECT_EQ(s.LayerTable[50].State, "");
  EXPECT_EQ(s.LayerTable[49].Name, "column");
  EXPECT_TRUE(s.LayerTable[52].Key.empty());

  std::string states = "LAYCND_f(s)";  // more than 16 layers: the rest is ignored
  for (int i = 0; i < 20; ++i) states += "," + std::to_string(i);
  ASSERT_TRUE(Read({states, "LAYNAM_e,abcdefghij"}));
  EXPECT_EQ(s.LayerTable[255].Key + s.LayerTable[255].State, "f-f15");
  EXPECT_EQ(s.LayerTable[224].Name, "abcdefgh");
  EXPECT_EQ(s.GroupTable[14].Name, "");
  for (const char* line : {"LAYCND_A(x),1", "LAYNAM", "LAYCND_"})
    EXPECT_TRUE(Fails({line})) << line;
}

TEST_F(Reader, HeaderTables) {
  std::string hs = "hs";
  for (int i = 1; i <= 16; ++i) hs += " " + std::to_string(i);
  ASSERT_TRUE(Read({"hk 0.5", "hn 1 2 3 4 5", "hcw 1 2", "hcd 4 \"5\"", "file C:\\jw\\a b.jww",
                    hs + " 17 x", "hcc 1 2 3 4 5 6 7 8 9 10 y"}));
  EXPECT_EQ(s.HkValue, 0.5);
  EXPECT_THAT(s.HnValues, ElementsAre(1, 2, 3, 4));
  EXPECT_EQ(s.HcTable[1].Hcw, 2);
  EXPECT_EQ(s.HcTable[1].Hcd, 5);
  EXPECT_EQ(s.DrawingFile, "C:\\jw\\a b.jww");
  EXPECT_EQ(s.GroupScales[15], 16);  // values past a table's end are ignored
  EXPECT_EQ(s.HcTable[9].Hcc, 10);
  for (const char* line : {"hk", "hn 1 2 3", "hn 1 2 3 x", "hs x", "hcc 1.5", "hch a"})
    EXPECT_TRUE(Fails({line})) << line;
}

TEST_F(Reader, ResetBeforeEveryRead) {
  ASSERT_TRUE(Read({"hs 5", "lg1", "ly2 1", "lc3", "lt4", "pn5", "z6", "cn7", "hhp", "msg", "pl",
                    "BL 1 2 xy", "#", "file f", "hn 1 2 3 4", "hcc 1", "1 2 3 4"}));
  s.OutputLines.push_back("h/x");
  ASSERT_FALSE(ReadExchangeFile(s, false, std::nullopt));
  EXPECT_EQ(a.CurrentGroup + a.CurrentLayer, "00");
  EXPECT_EQ(a.LineType + a.LineColor + a.TextKind + a.PenNumber + a.ZValue + a.PlNumber +
                a.BlockNumber + a.MsgCount + s.Counters.EntityCount + s.Counters.BlockCount,
            0);
  EXPECT_EQ(a.ColorCode, -1);
  EXPECT_TRUE(a.HhpLine.empty() && a.MsgLine.empty() && !s.HeaderDone);
  EXPECT_TRUE(init.InitialGroup.empty() && init.InitialTextKind.empty());
  EXPECT_TRUE(s.OutputLines.empty() && s.LineList.empty() && s.BlockList.empty());
  EXPECT_EQ(s.GroupScales[0] + s.HnValues[0] + s.HcTable[0].Hcc, 0);
  EXPECT_TRUE(s.LayerTable[18].State.empty() && s.DrawingFile.empty());
}
