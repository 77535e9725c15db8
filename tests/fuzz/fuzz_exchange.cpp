// Any bytes as an exchange file: the reader must not crash, its result and
// status must agree, counters must match the lists; the view-based tokens must
// equal the splitting operations on every line, and numbers converted in place
// the tokens' conversion; a read keeping no records, or one in pieces, must
// end as one that keeps them; no chaining line built from any path may carry
// a line end of its own. Every line goes to every record parser, which must agree with the
// line's token list.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "exchange/exchange_reader.h"
#include "exchange/exchange_writer.h"
#include "record_checks.h"

using namespace zorbi;
using zorbi::fuzz::Check;

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

  // Read in pieces of a size the input picks, it ends as the whole read.
  ExchangeState pieces;
  ExchangePieceReader reader(pieces, {.KeepRecords = false});
  const std::size_t piece = size == 0 ? 1 : data[size - 1] % 64 + 1;
  for (std::size_t at = 0; at < size; at += piece)
    reader.Add(std::string_view(bytes).substr(at, piece));
  Check(reader.Finish() == ok);
  Check(pieces.ExchangeStatus == s.ExchangeStatus);
  Check(std::memcmp(&pieces.Counters, &c, sizeof c) == 0);
  FreeExchangeLists(s);

  std::size_t start = 0;
  for (std::size_t i = 0; i <= bytes.size(); ++i) {
    if (i == bytes.size() || bytes[i] == '\n') {
      fuzz::CheckTokens(std::string_view(bytes).substr(start, i - start));
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
