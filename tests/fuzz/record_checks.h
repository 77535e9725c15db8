// Checks of one record line shared by the exchange and record targets: the
// view-based tokens equal the splitting operations, numbers converted in place
// read as the tokens do, and every record parser agrees with the line's token
// list.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <string>
#include <string_view>

#include "exchange/number_text.h"
#include "exchange/record_tokens.h"
#include "exchange/records.h"
#include "text/text_split.h"

namespace zorbi::fuzz {

inline void Check(bool ok) {
  if (!ok) std::abort();
}

// Tokens first..first+n-1 of the list as reals; false when one is missing or
// not a number.
inline bool Reals(const TokenList& tokens, std::size_t first, std::size_t n, double* out) {
  for (std::size_t i = 0; i < n; ++i)
    if (first + i >= tokens.size() || !ReadReal(tokens[first + i], out[i])) return false;
  return true;
}

template <class Record>
bool Checks(std::string_view line, const char* readable) {
  try {
    Record::CheckLine(line, readable);
  } catch (const ExchangeParseError&) {
    return false;
  }
  return true;
}

// The line parses; the check alone agrees, whether it may read past the
// line's end (into digits) or not.
template <class Record>
bool Parses(Record& record, std::string_view line) {
  bool ok = true;
  try {
    record.ParseLine(line, CurrentAttributes{});
  } catch (const ExchangeParseError&) {
    ok = false;
  }
  Check(Checks<Record>(line, nullptr) == ok);
  const std::string padded = std::string(line) + std::string(64, '7');
  Check(Checks<Record>(std::string_view(padded).substr(0, line.size()),
                       padded.data() + padded.size()) == ok);
  return ok;
}

// `line` trimmed as the reader hands it to the parsers.
inline void CheckRecords(std::string_view line) {
  const TokenList t = SplitDelimited(line, ' ');
  double v[7] = {};
  {
    TLine r;
    const bool ok = Reals(t, 0, 4, v);
    Check(Parses(r, line) == ok);
    Check(!ok || (r.Value1 == v[0] && r.Value2 == v[1] && r.Value3 == v[2] && r.Value4 == v[3]));
  }
  {
    TTen r;
    const bool ok = Reals(t, 1, 2, v);
    Check(Parses(r, line) == ok);
    Check(!ok || (r.Value1 == v[0] && r.Value2 == v[1]));
  }
  {
    THTen r;
    const bool ok = Reals(t, 1, 2, v);
    Check(Parses(r, line) == ok);
    Check(!ok || (r.Kind == t[0] && r.Value1 == v[0] && r.Value2 == v[1]));
  }
  {
    // Value1..3, then Angle1, Angle2, Flatness, Angle3 from exactly eight
    // tokens, else their defaults.
    TArc r;
    v[3] = 0, v[4] = 360, v[5] = 1, v[6] = 0;
    bool ok = Reals(t, 1, 3, v);
    if (ok && t.size() == 8) ok = Reals(t, 4, 4, v + 3);
    Check(Parses(r, line) == ok);
    Check(!ok || (r.Value1 == v[0] && r.Value2 == v[1] && r.Value3 == v[2] && r.Angle1 == v[3] &&
                  r.Angle2 == v[4] && r.Flatness == v[5] && r.Angle3 == v[6]));
  }
  {
    TMoji r;
    const bool ok = Reals(t, 1, 4, v);
    Check(Parses(r, line) == ok);
    Check(!ok || (r.Kind == t[0] && r.Value1 == v[0] && r.Value2 == v[1] && r.Value3 == v[2] &&
                  r.Value4 == v[3]));
  }
  {
    TBlock r;
    const bool ok = Reals(t, 1, 2, v) && t.size() >= 4;
    Check(Parses(r, line) == ok);
    Check(!ok || (r.Value1 == v[0] && r.Value2 == v[1] &&
                  r.Name == std::string_view(t[3]).substr(t[3].empty() ? 0 : 1, 255)));
  }
  {
    // A solid takes the pieces between spaces, quotes or not.
    TSolid r;
    Check(Parses(r, line));
    TokenList pieces;
    SplitBy(' ', line, pieces);
    Check(r.Kind == pieces[0] && r.Values[0] == static_cast<double>(pieces.size()));
    for (std::size_t i = 1; i < r.Values.size(); ++i) {
      double want = 0;
      if (i < pieces.size() && !ReadReal(pieces[i], want)) want = 0;
      Check(r.Values[i] == want);
    }
  }
}

// One line of the file as the reader splits it (a CR may be left at its end).
inline void CheckTokens(std::string_view line) {
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
  CheckRecords(TrimBytes(line));
  TokenList pieces;
  SplitBy(' ', line, pieces);
  const SpacePieces p(line);
  Check(p.size() == pieces.size());
  for (std::size_t i = 0; i < pieces.size() && i < SpacePieces::kKept; ++i)
    Check(p[i] == pieces[i]);
}

}  // namespace zorbi::fuzz
