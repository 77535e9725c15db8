#include "exchange/records.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "exchange/number_text.h"
#include "exchange/record_tokens.h"
#include "exchange/text_split.h"

using ::testing::ElementsAre;
using namespace zorbi;

namespace zorbi {
inline void PrintTo(const SharedText& text, std::ostream* os) {
  *os << '"' << text.view() << '"';
}
}  // namespace zorbi

namespace {

bool Real(std::string_view text, double& v) {
  return ReadReal(text, v);
}

double RealOf(std::string_view text) {
  double v = -12345;
  EXPECT_TRUE(ReadReal(text, v)) << text;
  return v;
}

bool RealFails(std::string_view text) {
  double v = -12345;
  return !Real(text, v) && v == -12345;
}

TokenList CursorTokens(std::string_view line) {
  TokenCursor cursor(line);
  TokenList tokens;
  for (std::string_view token; cursor.Next(token);) tokens.emplace_back(token);
  return tokens;
}

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
bool Fails(std::string_view line) {
  Record r;
  try {
    r.ParseLine(line, CurrentAttributes{});
  } catch (const ExchangeParseError&) {
    return true;
  }
  return false;
}

}  // namespace

TEST(ReadReal, DecimalNotationWithSignFractionAndExponent) {
  EXPECT_EQ(RealOf("10"), 10);
  EXPECT_EQ(RealOf("+2.5"), 2.5);
  EXPECT_EQ(RealOf("-0.25"), -0.25);
  EXPECT_EQ(RealOf(".5"), 0.5);
  EXPECT_EQ(RealOf("-.5"), -0.5);
  EXPECT_EQ(RealOf("5."), 5);
  EXPECT_EQ(RealOf("1e3"), 1000);
  EXPECT_EQ(RealOf("1E+3"), 1000);
  EXPECT_EQ(RealOf("2.5e-1"), 0.25);
  EXPECT_EQ(RealOf("007"), 7);
}

TEST(ReadReal, RefusesWhatTheGrammarLacks) {
  for (const char* text : {"", "+", "-", ".", "+-1", "--1", "1e", "1e+", "e5", ".e1", "1.2.3", " 1",
                           "1 ", "inf", "nan", "0x10", "1,5", "1e3x", "１"})
    EXPECT_TRUE(RealFails(text)) << text;
}

TEST(ReadReal, UnderflowIsZeroOverflowFails) {
  EXPECT_EQ(RealOf("1e-400"), 0);
  EXPECT_TRUE(std::signbit(RealOf("-1e-400")));
  EXPECT_EQ(RealOf("0.0000001e-320"), 0);
  EXPECT_GT(RealOf("1e-310"), 0);  // subnormal, still a value
  EXPECT_EQ(RealOf("0e99999999999"), 0);
  EXPECT_TRUE(RealFails("1e400"));
  EXPECT_TRUE(RealFails("-1e309"));
  EXPECT_TRUE(RealFails("100000e99999999999999"));
}

TEST(ReadInteger, DecimalWithOptionalSignInRange) {
  std::int32_t v = 0;
  EXPECT_TRUE(ReadInteger("+12", v));
  EXPECT_EQ(v, 12);
  EXPECT_TRUE(ReadInteger("-2147483648", v));
  EXPECT_EQ(v, INT32_MIN);
  EXPECT_TRUE(ReadInteger("2147483647", v));
  EXPECT_EQ(v, INT32_MAX);
  v = 99;
  for (const char* text :
       {"", "+", "-", "+-1", "2147483648", "-2147483649", "1.0", "1e2", " 1", "1 ", "0x1", "a"})
    EXPECT_FALSE(ReadInteger(text, v)) << text;
  EXPECT_EQ(v, 99);
}

TEST(HexDigitValue, LowerCaseHexOnly) {
  EXPECT_EQ(HexDigitValue("a"), 10);
  EXPECT_EQ(HexDigitValue("f"), 15);
  EXPECT_EQ(HexDigitValue("9"), 9);
  EXPECT_EQ(HexDigitValue("0"), 0);
  EXPECT_EQ(HexDigitValue("A"), -1);
  EXPECT_EQ(HexDigitValue("g"), -1);
  EXPECT_EQ(HexDigitValue(""), -1);
  EXPECT_EQ(HexDigitValue("-1"), -1);
  // The whole text counts once its first character is a lower-case digit.
  EXPECT_EQ(HexDigitValue("1f"), 31);
  EXPECT_EQ(HexDigitValue("1x"), -1);
}

TEST(RecordTokens, SameAsTheSplittingOperations) {
  const std::vector<std::string> lines = {"",
                                          "  ",
                                          "a",
                                          "a  \"b c\" d",
                                          "\"a\"b",
                                          "ab\"cd ef",
                                          "\"abc",
                                          "\"",
                                          "x \"",
                                          "\"a\"\"b\" c",
                                          "1 \"2\" 3 \"\"",
                                          "\t1\x01 2 \r",
                                          "\x83\x5C \x83\x22\"q\"",
                                          "sc 1  2",
                                          "a \t b",
                                          "\x01 a \x02",
                                          "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19"};
  for (const std::string& line : lines) {
    EXPECT_EQ(CursorTokens(line), SplitDelimited(line, ' ')) << line;

    TokenList pieces;
    SplitBy(' ', line, pieces);
    const SpacePieces p(line);
    ASSERT_EQ(p.size(), pieces.size()) << line;
    for (std::size_t i = 0; i < pieces.size() && i < SpacePieces::kKept; ++i)
      EXPECT_EQ(p[i], pieces[i]) << line;
  }
}

TEST(RecordTokens, RandomLinesAgreeWithTheSplittingOperations) {
  std::mt19937 rng(7);
  const std::string alphabet = " \t\"1ab.\x83\x5C\x01";
  for (int n = 0; n < 3000; ++n) {
    std::string line;
    const std::size_t len = rng() % 24;
    for (std::size_t i = 0; i < len; ++i) line += alphabet[rng() % alphabet.size()];
    ASSERT_EQ(CursorTokens(line), SplitDelimited(line, ' ')) << line;
    TokenList pieces;
    SplitBy(' ', line, pieces);
    const SpacePieces p(line);
    ASSERT_EQ(p.size(), pieces.size()) << line;
    for (std::size_t i = 0; i < pieces.size() && i < SpacePieces::kKept; ++i)
      ASSERT_EQ(p[i], pieces[i]) << line;
  }
}

TEST(RecordTokens, NextRealIsNextThenReadReal) {
  std::mt19937 rng(11);
  const std::vector<std::string> words = {
      "1", "-2.5", "+.5", "5.", "1e3", "1e",   "1e400", "-1e-400", "+-1", "\"7\"", "\"8",
      "x", "1x",   ".",   "-",  "inf", "1\"2", "\t",    "  ",      "0x1", "1E+2",  "\x83\x5C"};
  for (int n = 0; n < 3000; ++n) {
    std::string line;
    for (std::size_t i = rng() % 6; i > 0; --i) line += words[rng() % words.size()] + " ";
    TokenCursor byToken(line), byNumber(line);
    for (;;) {
      std::string_view token;
      const bool more = byToken.Next(token);
      double expected = -1, value = -1;
      const TokenCursor::Real got = byNumber.NextReal(value);
      if (!more) {
        ASSERT_EQ(got, TokenCursor::Real::None) << line;
        break;
      }
      const bool converts = ReadReal(token, expected);
      ASSERT_EQ(got, converts ? TokenCursor::Real::Value : TokenCursor::Real::NotANumber) << line;
      if (converts) {
        ASSERT_EQ(value, expected) << line;
      }
    }
  }
}

TEST(SharedText, ValueSemanticsAndSharing) {
  SharedText empty;
  EXPECT_TRUE(empty.empty());
  EXPECT_EQ(empty, "");
  EXPECT_TRUE(SharedText("").empty());
  SharedText a("0-5");
  SharedText b = a;
  EXPECT_TRUE(b.SameAs(a));
  a = SharedText("1-1");
  EXPECT_EQ(b, "0-5");
  EXPECT_EQ(a, "1-1");
  b = std::move(a);
  EXPECT_EQ(b, "1-1");
  EXPECT_EQ(b.str(), "1-1");
}

TEST(CurrentAttributes, SharedKeysFollowTheirParts) {
  CurrentAttributes a;
  const SharedText first = a.LayerKey();
  EXPECT_EQ(first, "0-0");
  EXPECT_TRUE(a.LayerKey().SameAs(first));  // records share one copy
  a.CurrentLayer = "f";
  EXPECT_EQ(a.LayerKey(), "0-f");
  a.CurrentGroup = "";
  EXPECT_EQ(a.LayerKey(), "-f");

  EXPECT_EQ(a.MsgTag(), "0");
  a.MsgCount = 12;
  EXPECT_EQ(a.MsgTag(), "12");
  a.MsgLine = SharedText("msg a");
  EXPECT_EQ(a.MsgTag(), "msg a12");
  a.MsgLine = SharedText("msg b");  // same count, new line
  EXPECT_EQ(a.MsgTag(), "msg b12");
  a.MsgCount = -3;
  EXPECT_EQ(a.MsgTag(), "msg b-3");
}

TEST(TLine, FourNumbersAndTheCurrentAttributes) {
  TLine r;
  r.ParseLine("10 20 30 40 50", Attributes());
  EXPECT_EQ(r.Value1, 10);
  EXPECT_EQ(r.Value2, 20);
  EXPECT_EQ(r.Value3, 30);
  EXPECT_EQ(r.Value4, 40);
  EXPECT_EQ(r.Layer, "a-F");
  EXPECT_EQ(r.LineType, 2);
  EXPECT_EQ(r.LineColor, 5);
  EXPECT_EQ(r.ZValue, 7);
  EXPECT_EQ(r.BlockNumber, 3);
  EXPECT_EQ(r.PlNumber, 4);
  EXPECT_EQ(r.HhpLine, "hhp x");
  EXPECT_EQ(r.MsgTag, "msg hi2");

  TLine plain;
  plain.ParseLine("-1 +2 .5 \"4\"", CurrentAttributes{});
  EXPECT_EQ(plain.Value3, 0.5);
  EXPECT_EQ(plain.Value4, 4);  // a quoted token converts like any other
  EXPECT_EQ(plain.Layer, "0-0");
  EXPECT_EQ(plain.MsgTag, "0");

  EXPECT_TRUE(Fails<TLine>("10 20 30"));
  EXPECT_TRUE(Fails<TLine>("10 20 30 x"));
  EXPECT_TRUE(Fails<TLine>("10 20 30 4,0"));
}

TEST(TTen, TagThenTwoNumbers) {
  TTen r;
  r.ParseLine("pt 1.5 -2", Attributes());
  EXPECT_EQ(r.Value1, 1.5);
  EXPECT_EQ(r.Value2, -2);
  EXPECT_EQ(r.PenNumber, 6);
  EXPECT_EQ(r.ZValue, 7);
  EXPECT_EQ(r.BlockNumber, 3);
  EXPECT_EQ(r.Layer, "a-F");
  EXPECT_TRUE(Fails<TTen>("pt 1"));
  EXPECT_TRUE(Fails<TTen>("pt x 1"));
}

TEST(TArc, AnglesAndFlatnessOnlyWithExactlyEightTokens) {
  TArc r;
  r.ParseLine("ci 0 0 5", Attributes());
  EXPECT_EQ(r.Value3, 5);
  EXPECT_EQ(r.Angle1, 0);
  EXPECT_EQ(r.Angle2, 360);
  EXPECT_EQ(r.Flatness, 1);
  EXPECT_EQ(r.Angle3, 0);
  EXPECT_EQ(r.HhpLine, "hhp x");
  EXPECT_EQ(r.LineType, 2);

  TArc full;
  full.ParseLine("ci 0 0 5 10 90 2 30", Attributes());
  EXPECT_EQ(full.Angle1, 10);
  EXPECT_EQ(full.Angle2, 90);
  EXPECT_EQ(full.Flatness, 2);
  EXPECT_EQ(full.Angle3, 30);

  for (const char* line : {"ci 0 0 5 10 90 2", "ci 0 0 5 10 90 2 30 40", "ci 0 0 5 x x x"}) {
    TArc d;
    d.ParseLine(line, Attributes());
    EXPECT_EQ(d.Angle2, 360) << line;
    EXPECT_EQ(d.Flatness, 1) << line;
  }
  EXPECT_TRUE(Fails<TArc>("ci 0 0"));
  EXPECT_TRUE(Fails<TArc>("ci 0 0 5 10 x 2 30"));
}

TEST(TMoji, TextIsEverythingAfterTheFirstQuote) {
  TMoji r;
  r.ParseLine("ch 1 2 3 4 \"ab cd", Attributes());
  EXPECT_EQ(r.Kind, "ch");
  EXPECT_EQ(r.Value4, 4);
  EXPECT_EQ(r.Text, "ab cd");
  EXPECT_EQ(r.TextKind, 1);
  EXPECT_EQ(r.CnName, "MS");
  EXPECT_EQ(r.MsgTag, "msg hi2");

  TMoji closed;
  closed.ParseLine("ch 1 2 3 4 \"ab \"\"q\" cd\"", Attributes());
  EXPECT_EQ(closed.Text, "ab \"\"q\" cd\"");

  TMoji bare;
  bare.ParseLine("cb 1 2 3 4 plain", Attributes());
  EXPECT_EQ(bare.Text, "cb 1 2 3 4 plain");

  TMoji longText;
  longText.ParseLine("ch 1 2 3 4 \"" + std::string(300, 'x'), Attributes());
  EXPECT_EQ(longText.Text.size(), 255u);
  TMoji longBare;
  longBare.ParseLine("ch 1 2 3 4 " + std::string(300, 'x'), Attributes());
  EXPECT_EQ(longBare.Text.size(), 255u);

  EXPECT_TRUE(Fails<TMoji>("ch 1 2 3 \"text"));
  EXPECT_TRUE(Fails<TMoji>("ch 1 2 3 x \"text"));
}

TEST(TNMoji, CarriesTheTextKindZeroSettings) {
  TNMoji r;
  r.ParseLine("ch 1 2 3 4 \"t", Attributes());
  EXPECT_EQ(r.Text, "t");
  EXPECT_EQ(r.Cn0Value1, 1.5);
  EXPECT_EQ(r.Cn0Value2, 2.5);
  EXPECT_EQ(r.Cn0Value3, 3.5);
  EXPECT_EQ(r.Cn0Number, 9);
  EXPECT_TRUE(Fails<TNMoji>("ch 1 2 3"));
}

TEST(THTenAndTBlock, TokensAndName) {
  THTen h;
  h.ParseLine("hp 3 4", Attributes());
  EXPECT_EQ(h.Kind, "hp");
  EXPECT_EQ(h.Value2, 4);
  EXPECT_TRUE(Fails<THTen>("hp 3"));

  TBlock b;
  b.ParseLine("BL 1 2 xname extra", Attributes());
  EXPECT_EQ(b.Value1, 1);
  EXPECT_EQ(b.Name, "name");
  EXPECT_EQ(b.Layer, "a-F");
  TBlock quoted;
  quoted.ParseLine("BL 1 2 \"@door 1\"", Attributes());
  EXPECT_EQ(quoted.Name, "door 1");
  TBlock empty;
  empty.ParseLine("BL 1 2 \"\"", Attributes());
  EXPECT_EQ(empty.Name, "");
  TBlock longName;
  longName.ParseLine("BL 1 2 " + std::string(300, 'n'), Attributes());
  EXPECT_EQ(longName.Name.size(), 255u);
  EXPECT_TRUE(Fails<TBlock>("BL 1 2"));
}

TEST(TSolid, PiecesConvertWhereTheyCanAndNothingFails) {
  TSolid r;
  r.ParseLine("sc 1 x 3", Attributes());
  EXPECT_EQ(r.Kind, "sc");
  EXPECT_THAT(r.Values, ElementsAre(4, 1, 0, 3, 0, 0, 0, 0, 0));

  TSolid many;
  many.ParseLine("sl 1  2 3 4 5 6 7 8 9 10", Attributes());
  EXPECT_THAT(many.Values, ElementsAre(11, 1, 2, 3, 4, 5, 6, 7, 8));

  TSolid quoted;  // SplitBy knows no quotes
  quoted.ParseLine("so \"1\" 2", Attributes());
  EXPECT_THAT(quoted.Values, ElementsAre(3, 0, 2, 0, 0, 0, 0, 0, 0));
}

TEST(TSolid, ColorFromColorCodeOrLineColor) {
  CurrentAttributes a = Attributes();
  a.ColorCode = 258;
  TSolid coded;
  coded.ParseLine("sc", a);
  EXPECT_EQ(coded.Color, 258);
  EXPECT_EQ(coded.ColorByte0, 2);
  EXPECT_EQ(coded.ColorByte1, 1);
  EXPECT_EQ(coded.ColorByte2, 0);

  a.ColorCode = 0x123456;
  TSolid rgb;
  rgb.ParseLine("sc", a);
  EXPECT_EQ(rgb.ColorByte0, 0x56);
  EXPECT_EQ(rgb.ColorByte1, 0x34);
  EXPECT_EQ(rgb.ColorByte2, 0x12);

  a.ColorCode = INT32_MIN;  // extreme codes must not overflow
  TSolid low;
  low.ParseLine("sc", a);
  EXPECT_EQ(low.ColorByte2, -32768);
  EXPECT_EQ(low.ColorByte1, 0);
  EXPECT_EQ(low.ColorByte0, 0);

  a.ColorCode = -1;
  TSolid plain;
  plain.ParseLine("sc", a);
  EXPECT_EQ(plain.Color, 5);
  EXPECT_EQ(plain.ColorByte0, -1);
  EXPECT_EQ(plain.ColorByte1, -1);
  EXPECT_EQ(plain.ColorByte2, -1);
}
