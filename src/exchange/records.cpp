#include "exchange/records.h"

#include <charconv>

#include "exchange/number_text.h"
#include "exchange/record_tokens.h"

namespace zorbi {

namespace {

constexpr std::size_t kMaxText = 255;

// The next token, which the grammar requires.
std::string_view Need(TokenCursor& tokens) {
  std::string_view token;
  if (!tokens.Next(token)) throw ExchangeParseError("missing token");
  return token;
}

[[noreturn]] void NoReal(TokenCursor::Real got) {
  throw ExchangeParseError(got == TokenCursor::Real::None ? "missing token" : "not a number");
}

// The next token as a real, which the grammar requires; without kStore it
// is checked and reads as 0.
template <bool kStore>
inline double Real(TokenCursor& tokens) {
  double value = 0;
  TokenCursor::Real got;
  if constexpr (kStore)
    got = tokens.NextReal(value);
  else
    got = tokens.CheckReal();
  if (got != TokenCursor::Real::Value) NoReal(got);
  return value;
}

}  // namespace

namespace {

// The group and layer are a character or two: a call of memcmp costs more
// than comparing them.
bool SameShort(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i]) return false;
  return true;
}

}  // namespace

SharedText CurrentAttributes::LayerKey() const {
  if (layerKey_.empty() || !SameShort(keyGroup_, CurrentGroup) ||
      !SameShort(keyLayer_, CurrentLayer)) {
    keyGroup_ = CurrentGroup;
    keyLayer_ = CurrentLayer;
    layerKey_ = SharedText(CurrentGroup + "-" + CurrentLayer);
  }
  return layerKey_;
}

SharedText CurrentAttributes::MsgTag() const {
  if (msgTag_.empty() || !tagLine_.SameAs(MsgLine) || tagCount_ != MsgCount) {
    char digits[12];
    const auto end = std::to_chars(digits, digits + sizeof digits, MsgCount).ptr;
    std::string tag(MsgLine.view());
    tag.append(digits, end);
    tagLine_ = MsgLine;
    tagCount_ = MsgCount;
    msgTag_ = SharedText(tag);
  }
  return msgTag_;
}

std::int32_t HexDigitValue(std::string_view text) {
  if (text.empty()) return -1;
  const char first = text.front();
  if (!((first >= '0' && first <= '9') || (first >= 'a' && first <= 'f'))) return -1;
  std::int32_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (ec != std::errc() || end != text.data() + text.size()) return -1;
  return value;
}

// The parsers read a line's values with kStore; without, they only check
// that the line would read, and fail where it would.

// The check token by token, out of line: the callers' common path, by byte
// masks, needs none of its registers.
template <class Record>
[[gnu::noinline]] void CheckByTokens(std::string_view line);

// Value1..Value4 from the next four tokens.
template <bool kStore, typename Record>
void ReadFourValues(TokenCursor& t, Record* r) {
  double v[4];
  for (double& value : v) value = Real<kStore>(t);
  if constexpr (kStore) {
    r->Value1 = v[0];
    r->Value2 = v[1];
    r->Value3 = v[2];
    r->Value4 = v[3];
  }
}

template <bool kStore>
void ReadValues(TLine* r, std::string_view line) {
  TokenCursor t(line);
  ReadFourValues<kStore>(t, r);
}

void TLine::CheckLine(std::string_view line, const char* readable) {
  if (SkipPlainNumbers(line, readable, 0, 4) != nullptr) return;
  CheckByTokens<TLine>(line);
}

void TLine::ParseLine(std::string_view line, const CurrentAttributes& a) {
  ReadValues<true>(this, line);
  Layer = a.LayerKey();
  LineType = a.LineType;
  LineColor = a.LineColor;
  ZValue = a.ZValue;
  BlockNumber = a.BlockNumber;
  PlNumber = a.PlNumber;
  HhpLine = a.HhpLine;
  MsgTag = a.MsgTag();
}

template <bool kStore>
void ReadValues(TTen* r, std::string_view line) {
  TokenCursor t(line);
  Need(t);
  const double v1 = Real<kStore>(t), v2 = Real<kStore>(t);
  if constexpr (kStore) {
    r->Value1 = v1;
    r->Value2 = v2;
  }
}

void TTen::CheckLine(std::string_view line, const char* readable) {
  if (SkipPlainNumbers(line, readable, 1, 2) != nullptr) return;
  CheckByTokens<TTen>(line);
}

void TTen::ParseLine(std::string_view line, const CurrentAttributes& a) {
  ReadValues<true>(this, line);
  Layer = a.LayerKey();
  PenNumber = a.PenNumber;
  ZValue = a.ZValue;
  BlockNumber = a.BlockNumber;
}

template <bool kStore>
void ReadValues(TArc* r, std::string_view line) {
  TokenCursor t(line);
  Need(t);
  const double v1 = Real<kStore>(t), v2 = Real<kStore>(t), v3 = Real<kStore>(t);
  // Tokens 4 to 7 count only when the line has exactly eight tokens. Each is
  // converted as it is read: a token may live in the cursor's scratch buffer,
  // which the next token overwrites.
  double more[5] = {};
  bool numbers = true;
  std::size_t count = 0;
  for (; count < 5; ++count) {
    const TokenCursor::Real got = kStore ? t.NextReal(more[count]) : t.CheckReal();
    if (got == TokenCursor::Real::None) break;
    if (got == TokenCursor::Real::NotANumber) numbers = false;
  }
  if (count == 4 && !numbers) throw ExchangeParseError("not a number");
  if constexpr (kStore) {
    r->Value1 = v1;
    r->Value2 = v2;
    r->Value3 = v3;
    if (count == 4) {
      // Extended values go through the double conversion, so they read alike
      // on every platform (MinGW reads long double with double range anyway).
      r->Angle1 = more[0];
      r->Angle2 = more[1];
      r->Flatness = more[2];
      r->Angle3 = more[3];
    } else {
      r->Angle1 = 0;
      r->Angle2 = 360;
      r->Flatness = 1;
      r->Angle3 = 0;
    }
  }
}

void TArc::CheckLine(std::string_view line, const char* readable) {
  // With the three numbers, the line passes when it ends there or when the
  // next four tokens are numbers too, however many follow.
  const char* const end = line.data() + line.size();
  const char* const next = SkipPlainNumbers(line, readable, 1, 3);
  if (next == end) return;
  if (next != nullptr &&
      SkipPlainNumbers(std::string_view(next, static_cast<std::size_t>(end - next)), readable, 0,
                       4) != nullptr)
    return;
  CheckByTokens<TArc>(line);
}

void TArc::ParseLine(std::string_view line, const CurrentAttributes& a) {
  ReadValues<true>(this, line);
  Layer = a.LayerKey();
  LineType = a.LineType;
  LineColor = a.LineColor;
  ZValue = a.ZValue;
  BlockNumber = a.BlockNumber;
  HhpLine = a.HhpLine;
}

template <bool kStore>
void ReadValues(TMoji* r, std::string_view line) {
  TokenCursor t(line);
  const std::string_view kind = Need(t);
  if constexpr (kStore) r->Kind = kind;  // before the next token may overwrite it
  ReadFourValues<kStore>(t, r);
}

void TMoji::CheckLine(std::string_view line, const char* readable) {
  if (SkipPlainNumbers(line, readable, 1, 4) != nullptr) return;
  CheckByTokens<TMoji>(line);
}

void TMoji::ParseLine(std::string_view line, const CurrentAttributes& a) {
  ReadValues<true>(this, line);
  Layer = a.LayerKey();
  TextKind = a.TextKind;
  CnName = a.CnName;
  ZValue = a.ZValue;
  BlockNumber = a.BlockNumber;
  HhpLine = a.HhpLine;
  MsgTag = a.MsgTag();
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

template <bool kStore>
void ReadValues(THTen* r, std::string_view line) {
  TokenCursor t(line);
  const std::string_view kind = Need(t);
  if constexpr (kStore) r->Kind = kind;
  const double v1 = Real<kStore>(t), v2 = Real<kStore>(t);
  if constexpr (kStore) {
    r->Value1 = v1;
    r->Value2 = v2;
  }
}

void THTen::CheckLine(std::string_view line, const char* readable) {
  if (SkipPlainNumbers(line, readable, 1, 2) != nullptr) return;
  CheckByTokens<THTen>(line);
}

void THTen::ParseLine(std::string_view line, const CurrentAttributes&) {
  ReadValues<true>(this, line);
}

template <bool kStore>
void ReadValues(TBlock* r, std::string_view line) {
  TokenCursor t(line);
  Need(t);
  const double v1 = Real<kStore>(t), v2 = Real<kStore>(t);
  const std::string_view name = Need(t);
  if constexpr (kStore) {
    r->Value1 = v1;
    r->Value2 = v2;
    r->Name = name.substr(name.empty() ? 0 : 1, kMaxText);
  }
}

void TBlock::CheckLine(std::string_view line, const char* readable) {
  // The name token must follow the numbers.
  const char* const next = SkipPlainNumbers(line, readable, 1, 2);
  if (next != nullptr && next != line.data() + line.size()) return;
  CheckByTokens<TBlock>(line);
}

void TBlock::ParseLine(std::string_view line, const CurrentAttributes& a) {
  ReadValues<true>(this, line);
  Layer = a.LayerKey();
}

template <class Record>
void CheckByTokens(std::string_view line) {
  ReadValues<false>(static_cast<Record*>(nullptr), line);
}

void TSolid::ParseLine(std::string_view line, const CurrentAttributes& a) {
  const SpacePieces pieces(line);
  Kind = pieces[0];
  Values.fill(0);
  Values[0] = static_cast<double>(pieces.size());
  // Pieces past the eighth number have no place and are ignored.
  for (std::size_t i = 1; i < pieces.size() && i < Values.size(); ++i) {
    // Converted in the line, where the bytes around the piece may be read.
    const std::string_view piece = pieces[i];
    const char* const last = piece.data() + piece.size();
    double value = 0;
    if (ReadPlainReal(line.data(), piece.data(), last, value) == last || ReadReal(piece, value))
      Values[i] = value;
  }
  Layer = a.LayerKey();
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
