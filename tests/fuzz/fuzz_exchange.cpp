// Any bytes as an exchange file: the reader must not crash, its result and
// status must agree, counters must match the lists; the view-based tokens must
// equal the splitting operations on every line, and numbers converted in place
// the tokens' conversion; a read keeping no records must end as one that
// keeps them; no chaining line built from any path may carry a line end of
// its own. The parsers that read numbered tokens must agree with the token
// list of the line.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "exchange/exchange_reader.h"
#include "exchange/exchange_writer.h"
#include "exchange/number_text.h"
#include "exchange/record_tokens.h"
#include "exchange/records.h"
#include "text/text_split.h"

using namespace zorbi;

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// Tokens first..last of the list as reals; false when one is missing or not
// a number.
bool ReferenceReals(const TokenList& tokens, std::size_t first, std::size_t last, double* out) {
  for (std::size_t i = first; i <= last; ++i)
    if (i >= tokens.size() || !ReadReal(tokens[i], out[i - first])) return false;
  return true;
}

void CheckArc(std::string_view line, const TokenList& tokens) {
  // Value1..3, Angle1, Angle2, Flatness, Angle3 with their defaults.
  double want[7] = {0, 0, 0, 0, 360, 1, 0};
  bool ok = ReferenceReals(tokens, 1, 3, want);
  if (ok && tokens.size() == 8) ok = ReferenceReals(tokens, 4, 7, want + 3);
  TArc arc;
  bool parsed = true;
  try {
    arc.ParseLine(line, CurrentAttributes{});
  } catch (const ExchangeParseError&) {
    parsed = false;
  }
  Check(parsed == ok);
  if (!ok) return;
  Check(arc.Value1 == want[0] && arc.Value2 == want[1] && arc.Value3 == want[2]);
  Check(arc.Angle1 == want[3] && arc.Angle2 == want[4] && arc.Flatness == want[5] &&
        arc.Angle3 == want[6]);
}

void CheckTokens(std::string_view line) {
  const TokenList tokens = SplitDelimited(line, ' ');
  TokenCursor cursor(line);
  std::size_t count = 0;
  for (std::string_view token; cursor.Next(token); ++count)
    Check(count < tokens.size() && token == tokens[count]);
  Check(count == tokens.size());
  // Numbers converted in place read as the token would.
  TokenCursor numbers(line);
  for (std::size_t i = 0;; ++i) {
    double value = 0, expected = 0;
    const TokenCursor::Real got = numbers.NextReal(value);
    if (i == tokens.size()) {
      Check(got == TokenCursor::Real::None);
      break;
    }
    const bool converts = ReadReal(tokens[i], expected);
    Check(got == (converts ? TokenCursor::Real::Value : TokenCursor::Real::NotANumber));
    Check(!converts || value == expected);
  }
  // The reader hands the parsers trimmed lines: a CR left at the end would
  // make every last token a non-number and hide a wrong value.
  std::string_view trimmed = line;
  while (!trimmed.empty() && static_cast<unsigned char>(trimmed.back()) <= ' ')
    trimmed.remove_suffix(1);
  while (!trimmed.empty() && static_cast<unsigned char>(trimmed.front()) <= ' ')
    trimmed.remove_prefix(1);
  CheckArc(trimmed, SplitDelimited(trimmed, ' '));
  TokenList pieces;
  SplitBy(' ', line, pieces);
  const SpacePieces p(line);
  Check(p.size() == pieces.size());
  for (std::size_t i = 0; i < pieces.size() && i < SpacePieces::kKept; ++i)
    Check(p[i] == pieces[i]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  ExchangeState s;
  CreateExchangeLists(s);
  const bool ok = ReadExchangeBytes(s, bytes);
  const ExchangeCounters& c = s.Counters;
  if (ok) {
    Check(s.ExchangeStatus == 0);
    Check(static_cast<std::size_t>(c.LineCount) == s.LineList.size());
    Check(static_cast<std::size_t>(c.ArcCount) == s.ArcList.size());
    Check(static_cast<std::size_t>(c.PointCount) == s.PointList.size());
    Check(static_cast<std::size_t>(c.TextCount) == s.TextList.size());
    Check(static_cast<std::size_t>(c.SolidCount) == s.SolidList.size());
    Check(static_cast<std::size_t>(c.BlockCount) == s.BlockList.size());
    Check(static_cast<std::size_t>(c.HpCount) == s.HpList.size());
  } else {
    Check(s.ExchangeStatus == -1 || s.ExchangeStatus == -2);
    // The failing record is counted but never kept.
    Check(static_cast<std::size_t>(c.LineCount) >= s.LineList.size());
  }
  Check(c.EntityCount == c.LineCount + c.ArcCount + c.PointCount + c.TextCount + c.SolidCount);
  for (const TLine& line : s.LineList) Check(line.Layer.size() <= 3);
  for (const TextRecord& text : s.TextList) Check(Moji(text).Text.size() <= 255);
  for (const LayerEntry& e : s.LayerTable) Check(e.Name.size() <= 8);
  for (const GroupEntry& e : s.GroupTable) Check(e.Name.size() <= 16);

  // A read that keeps no records ends the same way with the same counts.
  ExchangeState counted;
  Check(ReadExchangeBytes(counted, bytes, {.KeepRecords = false}) == ok);
  Check(counted.ExchangeStatus == s.ExchangeStatus);
  Check(std::memcmp(&counted.Counters, &c, sizeof c) == 0);
  Check(counted.LineList.empty() && counted.TextList.empty() && counted.SolidList.empty());
  FreeExchangeLists(s);

  std::size_t start = 0;
  for (std::size_t i = 0; i <= bytes.size(); ++i) {
    if (i == bytes.size() || bytes[i] == '\n') {
      CheckTokens(std::string_view(bytes).substr(start, i - start));
      start = i + 1;
    }
  }

  const std::vector<std::string> lines = ChainingLines(bytes, true);
  Check(lines.empty() == !IsChainablePath(bytes));
  if (!lines.empty()) {
    Check(lines.size() == 2);
    const std::string image = ExchangeFileImage(lines);
    std::size_t ends = 0;
    for (const char ch : image) ends += ch == '\r' || ch == '\n' || ch == '\0';
    Check(ends == 4);
  }
  return 0;
}
