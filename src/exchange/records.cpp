#include "exchange/records.h"

#include <charconv>

#include "exchange/number_text.h"
#include "exchange/record_tokens.h"

namespace zorbi {

namespace {

constexpr std::size_t kMaxText = 255;

std::string_view TokenAt(const SpaceTokens& tokens, std::size_t i) {
  if (i >= tokens.size()) throw ExchangeParseError("missing token");
  return tokens[i];
}

double Real(std::string_view text) {
  double value = 0;
  if (!ReadReal(text, value)) throw ExchangeParseError("not a number");
  return value;
}

std::string MsgTag(const CurrentAttributes& a) {
  char digits[12];
  const auto end = std::to_chars(digits, digits + sizeof digits, a.MsgCount).ptr;
  std::string tag;
  tag.reserve(a.MsgLine.size() + static_cast<std::size_t>(end - digits));
  tag.append(a.MsgLine).append(digits, end);
  return tag;
}

}  // namespace

std::int32_t HexDigitValue(std::string_view text) {
  if (text.empty()) return -1;
  const char first = text.front();
  if (!((first >= '0' && first <= '9') || (first >= 'a' && first <= 'f'))) return -1;
  std::int32_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (ec != std::errc() || end != text.data() + text.size()) return -1;
  return value;
}

std::string LayerKey(const CurrentAttributes& a) {
  std::string key;
  key.reserve(a.CurrentGroup.size() + 1 + a.CurrentLayer.size());
  key.append(a.CurrentGroup).append(1, '-').append(a.CurrentLayer);
  return key;
}

void TLine::ParseLine(std::string_view line, const CurrentAttributes& a) {
  const SpaceTokens t(line);
  Value1 = Real(TokenAt(t, 0));
  Value2 = Real(TokenAt(t, 1));
  Value3 = Real(TokenAt(t, 2));
  Value4 = Real(TokenAt(t, 3));
  Layer = LayerKey(a);
  LineType = a.LineType;
  LineColor = a.LineColor;
  ZValue = a.ZValue;
  BlockNumber = a.BlockNumber;
  PlNumber = a.PlNumber;
  HhpLine = a.HhpLine;
  MsgTag = zorbi::MsgTag(a);
}

void TTen::ParseLine(std::string_view line, const CurrentAttributes& a) {
  const SpaceTokens t(line);
  Value1 = Real(TokenAt(t, 1));
  Value2 = Real(TokenAt(t, 2));
  Layer = LayerKey(a);
  PenNumber = a.PenNumber;
  ZValue = a.ZValue;
  BlockNumber = a.BlockNumber;
}

void TArc::ParseLine(std::string_view line, const CurrentAttributes& a) {
  const SpaceTokens t(line);
  Value1 = Real(TokenAt(t, 1));
  Value2 = Real(TokenAt(t, 2));
  Value3 = Real(TokenAt(t, 3));
  if (t.size() == 8) {
    // Extended values go through the double conversion, so they read alike
    // on every platform (MinGW reads long double with double range anyway).
    Angle1 = Real(t[4]);
    Angle2 = Real(t[5]);
    Flatness = Real(t[6]);
    Angle3 = Real(t[7]);
  } else {
    Angle1 = 0;
    Angle2 = 360;
    Flatness = 1;
    Angle3 = 0;
  }
  Layer = LayerKey(a);
  LineType = a.LineType;
  LineColor = a.LineColor;
  ZValue = a.ZValue;
  BlockNumber = a.BlockNumber;
  HhpLine = a.HhpLine;
}

void TMoji::ParseLine(std::string_view line, const CurrentAttributes& a) {
  const SpaceTokens t(line);
  Kind = TokenAt(t, 0);
  Value1 = Real(TokenAt(t, 1));
  Value2 = Real(TokenAt(t, 2));
  Value3 = Real(TokenAt(t, 3));
  Value4 = Real(TokenAt(t, 4));
  Layer = LayerKey(a);
  TextKind = a.TextKind;
  CnName = a.CnName;
  ZValue = a.ZValue;
  BlockNumber = a.BlockNumber;
  HhpLine = a.HhpLine;
  MsgTag = zorbi::MsgTag(a);
  // From the line itself, so spaces and quotes inside the text stay.
  const std::size_t quote = line.find('"');
  Text =
      quote == std::string_view::npos ? line.substr(0, kMaxText) : line.substr(quote + 1, kMaxText);
}

void TNMoji::ParseLine(std::string_view line, const CurrentAttributes& a) {
  TMoji::ParseLine(line, a);
  Cn0Value1 = a.Cn0.Cn0Value1;
  Cn0Value2 = a.Cn0.Cn0Value2;
  Cn0Value3 = a.Cn0.Cn0Value3;
  Cn0Number = a.Cn0.Cn0Number;
}

void THTen::ParseLine(std::string_view line, const CurrentAttributes&) {
  const SpaceTokens t(line);
  Kind = TokenAt(t, 0);
  Value1 = Real(TokenAt(t, 1));
  Value2 = Real(TokenAt(t, 2));
}

void TBlock::ParseLine(std::string_view line, const CurrentAttributes& a) {
  const SpaceTokens t(line);
  Value1 = Real(TokenAt(t, 1));
  Value2 = Real(TokenAt(t, 2));
  const std::string_view name = TokenAt(t, 3);
  Name = name.substr(name.empty() ? 0 : 1, kMaxText);
  Layer = LayerKey(a);
}

void TSolid::ParseLine(std::string_view line, const CurrentAttributes& a) {
  const SpacePieces pieces(line);
  Kind = pieces[0];
  Values.fill(0);
  Values[0] = static_cast<double>(pieces.size());
  // Pieces past the eighth number have no place and are ignored.
  for (std::size_t i = 1; i < pieces.size() && i < Values.size(); ++i) {
    double value = 0;
    if (ReadReal(pieces[i], value)) Values[i] = value;
  }
  Layer = LayerKey(a);
  if (a.ColorCode != -1) {
    Color = a.ColorCode;
    ColorByte2 = a.ColorCode / 65536;
    ColorByte1 = (a.ColorCode - 65536 * ColorByte2) / 256;
    ColorByte0 = a.ColorCode - 65536 * ColorByte2 - 256 * ColorByte1;
  } else {
    Color = a.LineColor;
    ColorByte0 = ColorByte1 = ColorByte2 = -1;
  }
}

}  // namespace zorbi
