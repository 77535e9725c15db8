#include "exchange/records.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <random>
#include <string>

#include "exchange/byte_scan.h"
#include "exchange/number_text.h"
#include "exchange/record_tokens.h"
#include "text/text_split.h"

using ::testing::ElementsAre;
using namespace zorbi;

namespace zorbi {
inline void PrintTo(const SharedText& text, std::ostream* os) {
  *os << '"' << text.view() << '"';
}
}  // namespace zorbi

namespace {

CurrentAttributes Attributes() {
  CurrentAttributes a;
  a.CurrentGroup = "a";
  a.CurrentLayer = "F";
  a.LineType = 2;
  a.LineColor = 5;
  a.ZValue = 7;
  a.BlockNumber = 3;
  a.PlNumber = 4;
  a.PenNumber = 6;
  a.TextKind = 1;
  a.CnName = SharedText("MS");
  a.HhpLine = SharedText("hhp x");
  a.MsgLine = SharedText("msg hi");
  a.MsgCount = 2;
  a.Cn0 = {1.5, 2.5, 3.5, 9};
  return a;
}

template <class Record>
Record Parsed(std::string_view line) {
  Record r;
  r.ParseLine(line, Attributes());
  return r;
}

template <class Record>
bool Fails(std::string_view line) {
  try {
    Parsed<Record>(line);
  } catch (const ExchangeParseError&) {
    return true;
  }
  return false;
}

}  // namespace

TEST(NumberText, RealGrammar) {
  const std::pair<const char*, double> good[] = {
      {"10", 10},     {"+2.5", 2.5},    {"-.5", -0.5}, {"5.", 5},     {"1e3", 1000},
      {"1E+3", 1000}, {"2.5e-1", 0.25}, {"007", 7},    {"1e-400", 0}, {"0e99999999999", 0}};
  for (const auto& [text, expected] : good) {
    double v = -1;
    EXPECT_TRUE(ReadReal(text, v) && v == expected) << text;
  }
  double v = 0;
  ASSERT_TRUE(ReadReal("-1e-400", v));
  EXPECT_TRUE(std::signbit(v));  // underflow is a signed zero; overflow fails
  ASSERT_TRUE(ReadReal("1e-310", v));
  EXPECT_GT(v, 0);
  v = 99;
  for (const char* text : {"", "+", "-", ".", "+-1", "1e", "1e+", "e5", "1.2.3", " 1", "1 ", "inf",
                           "nan", "0x10", "1,5", "1e3x", "1e400", "-1e309"})
    EXPECT_FALSE(ReadReal(text, v)) << text;
  EXPECT_EQ(v, 99);
}

// Every real converts to the very bits from_chars gives, at the edges of the
// exact mantissa and power ranges as well as for plain coordinates.
TEST(NumberText, RealsMatchFromChars) {
  std::vector<std::string> texts = {"9007199254740992",
                                    "9007199254740993",
                                    "9007199254740995",
                                    "-9007199254740993",
                                    "1e22",
                                    "1e23",
                                    "1e-22",
                                    "1e-23",
                                    "9999999999999999999",
                                    "99999999999999999999",
                                    "0.1",
                                    "-0",
                                    "-0.0e5",
                                    "0.3",
                                    "1.7976931348623157e308",
                                    "4.9e-324",
                                    "123456789012345678901234567890e-29",
                                    "0.000000000000000000000000000001e30",
                                    "1.00000000000000000000000",
                                    "00000000000000000000001.5"};
  std::mt19937_64 rng(11);
  for (int n = 0; n < 20000; ++n) {
    std::string digits = std::to_string(rng() >> (rng() % 64));
    const std::size_t point = rng() % (digits.size() + 1);
    if (point < digits.size()) digits.insert(point, ".");
    if (rng() % 2) digits = "-" + digits;
    if (rng() % 3 == 0) digits += "e" + std::to_string(static_cast<int>(rng() % 61) - 30);
    texts.push_back(digits);
  }
  for (const std::string& text : texts) {
    double expected = 0, value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), expected);
    ASSERT_EQ(ec, std::errc()) << text;
    ASSERT_EQ(end, text.data() + text.size()) << text;
    ASSERT_TRUE(ReadReal(text, value)) << text;
    ASSERT_EQ(std::memcmp(&value, &expected, sizeof value), 0) << text;
  }
}

TEST(NumberText, IntegerAndHexDigit) {
  std::int32_t v = 0;
  EXPECT_TRUE(ReadInteger("+12", v) && v == 12);
  EXPECT_TRUE(ReadInteger("-2147483648", v) && v == INT32_MIN);
  for (const char* text : {"", "+", "-", "+-1", "2147483648", "1.0", "1e2", " 1", "0x1"})
    EXPECT_FALSE(ReadInteger(text, v)) << text;

  const std::pair<const char*, int> digits[] = {{"a", 10}, {"f", 15}, {"9", 9},   {"A", -1},
                                                {"g", -1}, {"", -1},  {"1f", 31}, {"1x", -1}};
  for (const auto& [text, value] : digits) EXPECT_EQ(HexDigitValue(text), value) << text;
}

// The view-based tokens and the in-place numbers must read every line exactly
// as the splitting operations and ReadReal do.
TEST(RecordTokens, AgreeWithTheSplittingOperations) {
  std::mt19937 rng(7);
  const std::vector<std::string> words = {
      "1",
      "-2.5",
      "5.",
      "1e3",
      "1e",
      "1e400",
      "+-1",
      "\"7\"",
      "\"",
      "\"\"",
      "x",
      "1x",
      ".",
      "\t",
      "\x01",
      "\x83\x5C",
      " ",
      "  ",
      "1\"2",
      std::string(400, '9'),
      "-0." + std::string(400, '0') + "1"};  // overflow, underflow
  for (int n = 0; n < 5000; ++n) {
    std::string line;
    for (std::size_t i = rng() % 8; i > 0; --i) line += words[rng() % words.size()];
    const TokenList tokens = SplitDelimited(line, ' ');
    TokenCursor byToken(line), byNumber(line), byCheck(line);
    for (std::size_t i = 0;; ++i) {
      std::string_view token;
      double value = -1, expected = -1;
      const TokenCursor::Real real = byNumber.NextReal(value);
      ASSERT_EQ(byCheck.CheckReal(), real) << line;
      if (!byToken.Next(token)) {
        ASSERT_EQ(i, tokens.size()) << line;
        ASSERT_EQ(real, TokenCursor::Real::None) << line;
        break;
      }
      ASSERT_EQ(token, tokens.at(i)) << line;
      const bool converts = ReadReal(token, expected);
      ASSERT_EQ(real, converts ? TokenCursor::Real::Value : TokenCursor::Real::NotANumber) << line;
      ASSERT_TRUE(!converts || value == expected) << line;
    }
    TokenList pieces;
    SplitBy(' ', line, pieces);
    const SpacePieces p(line);
    ASSERT_EQ(p.size(), pieces.size()) << line;
    for (std::size_t i = 0; i < pieces.size() && i < SpacePieces::kKept; ++i)
      ASSERT_EQ(p[i], pieces[i]) << line;
  }
}

// The plain conversion inside a line reads digits eight at a time, also from
// the bytes before or after the number: runs around eight and sixteen digits
// at the start, in the middle and at the end of lines long and short. It must
// take each number itself (other conversions would hide a slip) to the bit.
TEST(NumberText, PlainRealsInLinesAtChunkEdges) {
  const char* const numbers[] = {"1234567",   "12345678",           "123456789",
                                 "1.2345678", "-1234567.8",         "12345678.87654321",
                                 "7.",        "0.1234567890123456", "-123456789012345.5",
                                 "-0",        "9007199254740992"};
  const std::pair<std::string, std::string> around[] = {
      {"", ""}, {"x ", ""}, {"", " x"}, {"12345678 ", " 1"}, {"pt\t", "\r"}};
  for (const std::string number : numbers) {
    double expected = 0;
    std::from_chars(number.data(), number.data() + number.size(), expected);
    for (const auto& [before, after] : around) {
      const std::string line = before + number + after;
      const char* const start = line.data() + before.size();
      double value = 0;
      EXPECT_EQ(ReadPlainReal(line.data(), start, line.data() + line.size(), value),
                start + number.size())
          << line;
      EXPECT_EQ(std::memcmp(&value, &expected, sizeof value), 0) << line;
    }
  }
}

TEST(CurrentAttributes, SharedTextsFollowTheirParts) {
  CurrentAttributes a;
  const SharedText first = a.LayerKey();
  EXPECT_EQ(first, "0-0");
  EXPECT_TRUE(a.LayerKey().SameAs(first));  // one copy for all records
  a.CurrentLayer = "f";
  EXPECT_EQ(a.LayerKey(), "0-f");
  EXPECT_EQ(first, "0-0");
  EXPECT_EQ(a.MsgTag(), "0");
  a.MsgCount = 12;
  EXPECT_EQ(a.MsgTag(), "12");
  a.MsgLine = SharedText("msg a");
  EXPECT_EQ(a.MsgTag(), "msg a12");
  a.MsgLine = SharedText("msg b");  // same count, another line
  EXPECT_EQ(a.MsgTag(), "msg b12");
}

TEST(Records, LinePointAndHp) {
  const TLine l = Parsed<TLine>("10 \"20\" -.5 +4 50");  // a quoted token converts too
  EXPECT_EQ(std::vector<double>({l.Value1, l.Value2, l.Value3, l.Value4}),
            std::vector<double>({10, 20, -0.5, 4}));
  EXPECT_EQ(l.Layer, "a-F");
  EXPECT_EQ(l.LineType + l.LineColor + l.ZValue + l.BlockNumber + l.PlNumber, 2 + 5 + 7 + 3 + 4);
  EXPECT_EQ(l.HhpLine, "hhp x");
  EXPECT_EQ(l.MsgTag, "msg hi2");
  EXPECT_TRUE(Fails<TLine>("10 20 30"));
  EXPECT_TRUE(Fails<TLine>("10 20 30 4,0"));

  const TTen p = Parsed<TTen>("pt 1.5 -2");
  EXPECT_EQ(p.Value2, -2);
  EXPECT_EQ(p.PenNumber, 6);
  EXPECT_EQ(p.Layer, "a-F");
  EXPECT_TRUE(Fails<TTen>("pt 1"));

  const THTen h = Parsed<THTen>("hp 3 4");
  EXPECT_EQ(h.Kind, "hp");
  EXPECT_EQ(h.Value2, 4);
  EXPECT_TRUE(Fails<THTen>("hp 3 x"));
}

TEST(Records, ArcTakesAnglesOnlyWithExactlyEightTokens) {
  const TArc full = Parsed<TArc>("ci 0 0 5 10 90 2 30");
  EXPECT_EQ(full.Value3, 5);
  EXPECT_EQ(full.Angle1, 10);
  EXPECT_EQ(full.Angle2, 90);
  EXPECT_EQ(full.Flatness, 2);
  EXPECT_EQ(full.Angle3, 30);
  EXPECT_EQ(full.HhpLine, "hhp x");
  for (const char* line :
       {"ci 0 0 5", "ci 0 0 5 10 90 2", "ci 0 0 5 10 90 2 30 40", "ci 0 0 5 x"}) {
    const TArc d = Parsed<TArc>(line);
    EXPECT_TRUE(d.Angle1 == 0 && d.Angle2 == 360 && d.Flatness == 1 && d.Angle3 == 0) << line;
  }
  EXPECT_TRUE(Fails<TArc>("ci 0 0"));
  EXPECT_TRUE(Fails<TArc>("ci 0 0 5 10 x 2 30"));
  // Quoted tokens with a doubled quote share the cursor's buffer: token 4 (9")
  // must not be read after token 7 replaced it, nor after it moved.
  EXPECT_TRUE(Fails<TArc>(R"(ci 0 0 5 "9""" 90 2 "12"")"));
  EXPECT_TRUE(
      Fails<TArc>(R"(ci 0 0 5 "9""""""""""""""""""""" 90 2 "1""""""""""""""""""""""""""")"));
}

TEST(Records, TextIsEverythingAfterTheFirstQuote) {
  const TMoji m = Parsed<TMoji>("ch 1 2 3 4 \"ab \"\"q\" cd\"");
  EXPECT_EQ(m.Kind, "ch");
  EXPECT_EQ(m.Value4, 4);
  EXPECT_EQ(m.Text, "ab \"\"q\" cd\"");
  EXPECT_EQ(m.CnName, "MS");
  EXPECT_EQ(m.MsgTag, "msg hi2");
  EXPECT_EQ(Parsed<TMoji>("cb 1 2 3 4 plain").Text, "cb 1 2 3 4 plain");
  EXPECT_EQ(Parsed<TMoji>("ch 1 2 3 4 \"" + std::string(300, 'x')).Text.size(), 255u);
  EXPECT_EQ(Parsed<TMoji>("ch 1 2 3 4 " + std::string(300, 'x')).Text.size(), 255u);
  EXPECT_TRUE(Fails<TMoji>("ch 1 2 3 \"text"));

  const TNMoji n = Parsed<TNMoji>("ch 1 2 3 4 \"t");
  EXPECT_EQ(n.Text, "t");
  EXPECT_EQ(std::vector<double>({n.Cn0Value1, n.Cn0Value2, n.Cn0Value3}),
            std::vector<double>({1.5, 2.5, 3.5}));
  EXPECT_EQ(n.Cn0Number, 9);
}

TEST(Records, BlockNameIsToken3LessItsFirstCharacter) {
  const TBlock b = Parsed<TBlock>("BL 1 2 xname extra");
  EXPECT_EQ(b.Name, "name");
  EXPECT_EQ(b.Layer, "a-F");
  EXPECT_EQ(Parsed<TBlock>("BL 1 2 \"@door 1\"").Name, "door 1");
  EXPECT_EQ(Parsed<TBlock>("BL 1 2 \"\"").Name, "");
  EXPECT_EQ(Parsed<TBlock>("BL 1 2 " + std::string(300, 'n')).Name.size(), 255u);
  EXPECT_TRUE(Fails<TBlock>("BL 1 2"));
}

TEST(Records, SolidNeverFails) {
  EXPECT_THAT(Parsed<TSolid>("sc 1 x 3").Values, ElementsAre(4, 1, 0, 3, 0, 0, 0, 0, 0));
  EXPECT_THAT(Parsed<TSolid>("sl 1  2 3 4 5 6 7 8 9 10").Values,
              ElementsAre(11, 1, 2, 3, 4, 5, 6, 7, 8));
  EXPECT_THAT(Parsed<TSolid>("so \"1\" 2").Values, ElementsAre(3, 0, 2, 0, 0, 0, 0, 0, 0));
  EXPECT_EQ(Parsed<TSolid>("sc 1").Kind, "sc");

  const auto colour = [](std::int32_t code) {
    CurrentAttributes a = Attributes();
    a.ColorCode = code;
    TSolid s;
    s.ParseLine("sc", a);
    return std::vector<std::int32_t>{s.Color, s.ColorByte0, s.ColorByte1, s.ColorByte2};
  };
  EXPECT_THAT(colour(258), ElementsAre(258, 2, 1, 0));
  EXPECT_THAT(colour(0x123456), ElementsAre(0x123456, 0x56, 0x34, 0x12));
  EXPECT_THAT(colour(INT32_MIN), ElementsAre(INT32_MIN, 0, 0, -32768));  // no overflow
  EXPECT_THAT(colour(-1), ElementsAre(5, -1, -1, -1));
}

// The vector scans must give what the byte-by-byte ones give, for every
// start and end within and across 16-byte blocks.
TEST(ByteScan, AgreesWithTheByteByByteScan) {
  std::mt19937 rng(11);
  const std::string alphabet("\r\n \t\x01\x00-.09+\"x\x83\xff", 16);
  for (int n = 0; n < 200; ++n) {
    std::string bytes(100, ' ');
    for (char& b : bytes) b = alphabet[rng() % (n % 2 == 0 ? alphabet.size() : 6)];
    const char* const begin = bytes.data();
    for (std::size_t at = 0; at <= 36; ++at) {
      const ByteClasses vector = ClassifyBytes(begin + at), byOne = ClassifyBytesByOne(begin + at);
      ASSERT_EQ(std::memcmp(&vector, &byOne, sizeof vector), 0) << n << " at " << at;
      for (std::size_t end = at; end <= bytes.size(); ++end)
        ASSERT_EQ(FindLineEnd(begin, begin + at, begin + end),
                  FindLineEndByOne(begin + at, begin + end))
            << n << " at " << at << " to " << end;
    }
  }
}

// Lines whose plain numbers are checked by byte masks: numbers that end at
// block edges and at the window's end, and shapes that must be left to the
// token-by-token check. Where SkipPlainNumbers takes a line, CheckLine must
// agree with ParseLine whether bytes after the line may be read or not.
TEST(RecordTokens, PlainNumbersByMasks) {
  const std::string d15(15, '1'), d16(16, '2'), d30(30, '3'), d56(56, '4');
  struct Case {
    std::string line;
    unsigned skip, count;
    int after;  // where the next token starts; -1: left to the other check
  };
  const Case cases[] = {
      {"1 2 3 4", 0, 4, 7},
      {"1 -2.5 3. 4 x", 0, 4, 12},
      {"pt " + d15 + "." + d15 + " -" + d15, 1, 2, 51},  // ends past block three
      {"pt " + d16 + " " + d16 + " " + d16 + " " + d16, 1, 3, 54},
      {"pt " + d30 + " " + d30, 1, 2, 64},        // the window's last byte
      {"pt " + d30 + " " + d30 + "1", 1, 2, 65},  // in the next window
      {"pt " + d30 + " " + d30 + "1", 1, 1, 34},
      {"1 " + d56 + d30 + " 2", 0, 3, -1},  // a token fills the window
      {"-1 " + d30 + " " + d30 + " " + d30 + " " + d30 + " " + d56 + " 3.", 0, 7, 186},
      {"pt 1 2", 1, 3, -1},  // too few tokens
      {"pt\t1\x01-2", 1, 2, 7},
      {"\"p t\" 1 2", 1, 2, -1},          // a quoted token may hold blanks
      {"1 2 3 " + d56 + " -", 0, 5, -1},  // a '-' in the window's last byte
      {"1 2 3 " + d56 + "..", 0, 4, -1},
      {"1 2 3 " + d56 + "1.", 0, 4, 64},
  };
  for (const Case& c : cases) {
    const char* const after = SkipPlainNumbers(c.line, nullptr, c.skip, c.count);
    EXPECT_EQ(after == nullptr ? -1 : after - c.line.data(), c.after) << c.line;
  }
  for (const char* shape : {"-", "--1", "1-2", "-.5", ".5", "+1", "1.2.3", "1..", "1e5", "\"1\"",
                            "1x", "0x1", "1\x83"}) {
    const std::string line = std::string("1 2 3 ") + shape;
    EXPECT_EQ(SkipPlainNumbers(line, nullptr, 0, 4), nullptr) << line;
    const std::string more = line + " 1";
    EXPECT_EQ(SkipPlainNumbers(more, nullptr, 0, 3), more.data() + 6) << line;
    for (const std::string& l : {line, d15 + " " + line, line + " " + d30}) {
      const std::string padded = l + std::string(64, '5');
      const auto checks = [&](const char* readable) {
        try {
          TLine::CheckLine(std::string_view(padded).substr(0, l.size()), readable);
        } catch (const ExchangeParseError&) {
          return false;
        }
        return true;
      };
      EXPECT_EQ(checks(nullptr), !Fails<TLine>(l)) << l;
      EXPECT_EQ(checks(padded.data() + padded.size()), !Fails<TLine>(l)) << l;
    }
  }
}
