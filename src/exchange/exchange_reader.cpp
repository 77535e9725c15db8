#include "exchange/exchange_reader.h"

#include <cstring>
#include <limits>
#include <type_traits>
#include <utility>
#include <variant>

#include "exchange/byte_scan.h"
#include "exchange/number_text.h"
#include "exchange/record_tokens.h"
#include "text/text_split.h"

namespace zorbi {

namespace {

// Characters n.. (1-based) of the line, at most `count` of them; empty past the end.
std::string_view Mid(std::string_view line, std::size_t n,
                     std::size_t count = std::string_view::npos) {
  return n - 1 < line.size() ? line.substr(n - 1, count) : std::string_view();
}

// Text assigned to a short string keeps its first `bytes` bytes.
std::string_view Short(std::string_view text, std::size_t bytes) {
  return text.substr(0, bytes);
}

// Assigns through clear and append: the same result as operator=, without
// GCC 12's false -Wrestrict alarm on std::string::assign in optimised builds.
void Set(std::string& target, std::string_view text) {
  target.clear();
  target.append(text);
}

// starts_with for a tag of a few bytes, where a call of memcmp costs more.
bool StartsWith(std::string_view line, std::string_view tag) {
  if (line.size() < tag.size()) return false;
  for (std::size_t i = 0; i < tag.size(); ++i)
    if (line[i] != tag[i]) return false;
  return true;
}

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

double Real(std::string_view text) {
  double value = 0;
  if (!ReadReal(text, value)) throw ExchangeParseError("not a number");
  return value;
}

std::int32_t Int(std::string_view text) {
  std::int32_t value = 0;
  if (!ReadInteger(text, value)) throw ExchangeParseError("not an integer");
  return value;
}

// A group or layer digit whose value indexes a table.
std::size_t Digit(std::string_view text) {
  const std::int32_t value = HexDigitValue(text);
  if (value < 0 || value >= static_cast<std::int32_t>(kGroupCount))
    throw ExchangeParseError("not a group or layer digit");
  return static_cast<std::size_t>(value);
}

void Bump(std::int32_t& counter) {
  if (counter == std::numeric_limits<std::int32_t>::max())
    throw ExchangeParseError("too many records");
  ++counter;
}

// Lines end at CR, LF or CR LF. Next gives the lines that end in the text;
// what follows the last line end is Rest().
class LineCursor {
 public:
  explicit LineCursor(std::string_view text) : text_(text) {}

  bool Next(std::string_view& line) {
    const std::size_t n = text_.size();
    if (pos_ >= n) return false;
    const char* const begin = text_.data();
    const char* const from = begin + pos_;
    const char* const end = FindLineEnd(begin, from, begin + n);
    if (end == begin + n) return false;
    line = std::string_view(from, static_cast<std::size_t>(end - from));
    pos_ = static_cast<std::size_t>(end - begin) + 1;
    if (*end == '\r' && pos_ < n && begin[pos_] == '\n') ++pos_;  // CR LF is one line end
    return true;
  }

  std::string_view Rest() const { return pos_ < text_.size() ? text_.substr(pos_) : ""; }
  // The last line end was a CR in the text's last byte: an LF that follows
  // belongs to it.
  bool EndsInCr() const { return pos_ >= text_.size() && text_.ends_with('\r'); }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

// TrimBytes, inline for the one call per line.
std::string_view Trimmed(std::string_view line) {
  const char* from = line.data();
  const char* to = from + line.size();
  while (from != to && static_cast<unsigned char>(*from) <= ' ') ++from;
  while (to != from && static_cast<unsigned char>(to[-1]) <= ' ') --to;
  return std::string_view(from, static_cast<std::size_t>(to - from));
}

class LineInterpreter {
 public:
  explicit LineInterpreter(ExchangeState& state, bool keepRecords = true)
      : s_(state), a_(state.Attributes), keep_(keepRecords) {}

  // Lines that follow may be read up to `readable` (nullptr: each to its end).
  void SetReadable(const char* readable) { readable_ = readable; }
  // Line records, nearly every line of a large file, are taken inline.
  void Run(std::string_view line) {
    const char first = line.front();
    if ((first >= '0' && first <= '9') || first == '+' || first == '-' || first == '.')
      LineRecord(line);
    else
      RunTagged(line);
  }

 private:
  void RunTagged(std::string_view line);

  // Returns false to let the rows after it try the line.
  using Handler = bool (LineInterpreter::*)(std::string_view);
  struct Row {
    std::string_view tag;
    Handler run;
  };
  // The tags after the line records, in order; the first that takes the line decides.
  static const Row kRows[];
  // The rows grouped by their tag's first byte, in table order within a group.
  struct Dispatch {
    std::vector<const Row*> rows;
    std::array<std::uint8_t, 257> start{};  // rows[start[b] .. start[b + 1]) begin with b
  };
  static const Dispatch& Rows();

  // The record is built in its place at the end of its list, and taken off
  // again when its line doesn't parse.
  template <class Record, class List>
  void Append(List& list, std::string_view line) {
    if (!keep_) {
      // Checked all the same, so a line fails exactly where it would.
      Record::CheckLine(line, readable_);
      return;
    }
    Record* record;
    if constexpr (std::is_same_v<typename List::value_type, TextRecord>)
      record = &std::get<Record>(list.emplace_back(std::in_place_type<Record>));
    else
      record = &list.emplace_back();
    try {
      record->ParseLine(line, a_);
    } catch (...) {
      list.pop_back();
      throw;
    }
  }

  void LineRecord(std::string_view line) {
    Bump(s_.Counters.LineCount);
    Bump(s_.Counters.EntityCount);
    Append<TLine>(s_.LineList, line);
    a_.ZValue = 0;
    a_.HhpLine = SharedText();
  }

  bool CLine(std::string_view line) {
    if (line.starts_with("ci")) {
      Bump(s_.Counters.ArcCount);
      Bump(s_.Counters.EntityCount);
      Append<TArc>(s_.ArcList, line);
      a_.ZValue = 0;
      a_.HhpLine = SharedText();
    } else if (line.starts_with("cn")) {
      TextKindSettings(line);
    } else {
      Bump(s_.Counters.TextCount);
      Bump(s_.Counters.EntityCount);
      if (a_.TextKind != 0)
        Append<TMoji>(s_.TextList, line);
      else
        Append<TNMoji>(s_.TextList, line);
      a_.ZValue = 0;
      a_.HhpLine = space_;
    }
    return true;
  }

  void TextKindSettings(std::string_view line) {
    if (line.find('$') != std::string_view::npos) {
      // The line starts with "cn", so a '$' is at position 3 or later.
      TokenList pieces;
      SplitBy('$', line, pieces);
      if (pieces.size() < 2) throw ExchangeParseError("no font name");
      a_.CnName = SharedText(pieces[1]);
      if (!s_.HeaderDone) s_.Initial.InitialCnName = pieces[1];
    } else if (Mid(line, 3, 1) == "0") {
      if (!s_.HeaderDone) {
        Set(s_.Initial.InitialTextKind, "0");
        Set(s_.Initial.InitialCn0Line, line);
      }
      a_.TextKind = 0;
      const SpacePieces pieces(line);
      const auto piece = [&](std::size_t i) {
        if (i >= pieces.size()) throw ExchangeParseError("missing text kind 0 setting");
        return pieces[i];
      };
      a_.Cn0.Cn0Value1 = Real(piece(1));
      a_.Cn0.Cn0Value2 = Real(piece(2));
      a_.Cn0.Cn0Value3 = Real(piece(3));
      a_.Cn0.Cn0Number = Int(piece(4));
    } else {
      const std::string_view rest = TrimBytes(Mid(line, 3));
      if (!s_.HeaderDone) Set(s_.Initial.InitialTextKind, Short(rest, 2));
      a_.TextKind = Int(rest);
    }
  }

  bool Pen(std::string_view line) {
    const std::string_view rest = TrimBytes(Mid(line, 3));
    if (!s_.HeaderDone) Set(s_.Initial.InitialPen, Short(rest, 1));
    if (!rest.empty()) a_.PenNumber = Int(rest);
    return true;
  }

  bool Point(std::string_view line) {
    Bump(s_.Counters.PointCount);
    Bump(s_.Counters.EntityCount);
    Append<TTen>(s_.PointList, line);
    a_.ZValue = 0;
    return true;
  }

  bool Solid(std::string_view line) {
    if (line.size() < 2 || std::string_view("ceglo").find(line[1]) == std::string_view::npos)
      return false;
    Bump(s_.Counters.SolidCount);
    Bump(s_.Counters.EntityCount);
    Append<TSolid>(s_.SolidList, line);
    return true;
  }

  bool ColorCode(std::string_view line) {
    a_.ColorCode = Int(Mid(line, 6, 10));
    return true;
  }

  bool LineTypeLine(std::string_view line) {
    const std::string_view c = Mid(line, 3, 1);
    if (!s_.HeaderDone) Set(s_.Initial.InitialLineType, c);
    a_.LineType = Int(c);
    return true;
  }

  bool LineColorLine(std::string_view line) {
    const std::string_view c = Mid(line, 3, 1);
    if (!s_.HeaderDone) {
      Set(s_.Initial.InitialLineColor, c);
      if (s_.Initial.InitialPen.empty()) s_.Initial.InitialPen = s_.Initial.InitialLineColor;
    }
    a_.LineColor = Int(c);
    a_.ColorCode = -1;
    return true;
  }

  bool ZLine(std::string_view line) {
    a_.ZValue = Int(Mid(line, 2, 1));
    return true;
  }

  bool Block(std::string_view line) {
    Bump(s_.Counters.BlockCount);
    a_.BlockNumber = s_.Counters.BlockCount;
    Append<TBlock>(s_.BlockList, line);
    return true;
  }

  bool Pl(std::string_view) {
    Bump(s_.Counters.PlCount);
    a_.PlNumber = s_.Counters.PlCount;
    return true;
  }

  bool Msg(std::string_view line) {
    Bump(a_.MsgCount);
    a_.MsgLine = SharedText(line);
    return true;
  }

  bool Hash(std::string_view) {
    s_.HeaderDone = true;
    a_.PlNumber = 0;
    a_.BlockNumber = 0;
    a_.MsgLine = SharedText();
    a_.ColorCode = -1;
    return true;
  }

  bool Hp(std::string_view line) {
    Bump(s_.Counters.HpCount);
    Append<THTen>(s_.HpList, line);
    return true;
  }

  bool Hhp(std::string_view line) {
    a_.HhpLine = SharedText(line);
    return true;
  }

  bool File(std::string_view line) {
    Set(s_.DrawingFile, Mid(line, 6));
    return true;
  }

  bool Hk(std::string_view line) {
    s_.HkValue = Real(TrimBytes(Mid(line, 3)));
    return true;
  }

  // Token i goes to entry i - 1; values past the table's end are ignored.
  template <class Store>
  static void ForTableTokens(std::string_view line, std::size_t tableSize, Store store) {
    TokenCursor t(line);
    std::string_view token;
    t.Next(token);  // the tag
    for (std::size_t i = 0; i < tableSize && t.Next(token); ++i) store(i, token);
  }

  bool Hs(std::string_view line) {
    ForTableTokens(line, kGroupCount,
                   [&](std::size_t i, std::string_view v) { s_.GroupScales[i] = Real(v); });
    return true;
  }

  bool Group(std::string_view line) {
    const std::string_view c = Mid(line, 3, 1);
    if (c == "n") {
      Set(s_.GroupTable[Digit(a_.CurrentGroup)].Name, Short(Mid(line, 4), 16));
    } else if (line.size() == 3) {
      if (!s_.HeaderDone) {
        Set(s_.Initial.InitialGroup, c);
        const std::int32_t g = HexDigitValue(c);
        if (g != -1) s_.Initial.InitialScale = s_.GroupScales[static_cast<std::size_t>(g)];
      }
      Set(a_.CurrentGroup, c);
    } else {
      Set(a_.CurrentGroup, c);
      Set(s_.GroupTable[Digit(c)].State, Mid(line, 5, 2));
    }
    return true;
  }

  bool Layer(std::string_view line) {
    const std::string_view c = Mid(line, 3, 1);
    if (c == "n") {
      Set(LayerAt(Digit(a_.CurrentGroup), Digit(a_.CurrentLayer)).Name, Short(Mid(line, 4), 8));
    } else if (line.size() == 3) {
      if (!s_.HeaderDone) Set(s_.Initial.InitialLayer, c);
      Set(a_.CurrentLayer, c);
    } else {
      Set(a_.CurrentLayer, c);
      LayerEntry& entry = LayerAt(Digit(a_.CurrentGroup), Digit(c));
      entry.Key.clear();
      for (const char g : a_.CurrentGroup) entry.Key += LowerAscii(g);
      entry.Key += '-';
      entry.Key += LowerAscii(c.front());
      Set(entry.State, Mid(line, 5, 2));
    }
    return true;
  }

  LayerEntry& LayerAt(std::size_t group, std::size_t layer) {
    return s_.LayerTable[kLayersPerGroup * group + layer];
  }

  // "LAYCND" and "LAYNAM": token 0's 8th character is the group digit;
  // tokens 1.. belong to the layers 0..f of that group.
  bool LayerStates(std::string_view line) {
    const TokenList tokens = SplitDelimited(line, ',');
    const std::string_view t0 = tokens.at(0);
    const std::size_t g = Digit(Mid(t0, 8, 1));
    Set(s_.GroupTable[g].State, t0.size() >= 11 ? TrimBytes(t0.substr(9, t0.size() - 10)) : "");
    for (std::size_t i = 1; i < tokens.size() && i <= kLayersPerGroup; ++i) {
      LayerEntry& entry = LayerAt(g, i - 1);
      Set(entry.Key, Mid(t0, 8, 1));
      entry.Key.append(1, '-').append(1, "0123456789abcdef"[i - 1]);
      Set(entry.State, TrimBytes(tokens[i]));
    }
    return true;
  }

  bool LayerNames(std::string_view line) {
    const TokenList tokens = SplitDelimited(line, ',');
    const std::string_view t0 = tokens.at(0);
    const std::size_t g = Digit(Mid(t0, 8, 1));
    Set(s_.GroupTable[g].Name, Mid(t0, 10, 8));
    for (std::size_t i = 1; i < tokens.size() && i <= kLayersPerGroup; ++i)
      Set(LayerAt(g, i - 1).Name, Short(TrimBytes(tokens[i]), 8));
    return true;
  }

  bool Hcw(std::string_view line) {
    ForTableTokens(line, kHcCount,
                   [&](std::size_t i, std::string_view v) { s_.HcTable[i].Hcw = Real(v); });
    return true;
  }

  bool Hch(std::string_view line) {
    ForTableTokens(line, kHcCount,
                   [&](std::size_t i, std::string_view v) { s_.HcTable[i].Hch = Real(v); });
    return true;
  }

  bool Hcd(std::string_view line) {
    ForTableTokens(line, kHcCount,
                   [&](std::size_t i, std::string_view v) { s_.HcTable[i].Hcd = Real(v); });
    return true;
  }

  bool Hcc(std::string_view line) {
    ForTableTokens(line, kHcCount,
                   [&](std::size_t i, std::string_view v) { s_.HcTable[i].Hcc = Int(v); });
    return true;
  }

  bool Hn(std::string_view line) {
    TokenCursor t(line);
    std::string_view token;
    t.Next(token);  // the tag
    for (double& value : s_.HnValues) {
      if (!t.Next(token)) throw ExchangeParseError("missing hn value");
      value = Real(token);
    }
    return true;
  }

  ExchangeState& s_;
  CurrentAttributes& a_;
  const bool keep_;
  const char* readable_ = nullptr;
  const SharedText space_{" "};  // the hhp line after a text record
};

const LineInterpreter::Row LineInterpreter::kRows[] = {
    {"c", &LineInterpreter::CLine},  // arcs ("ci"), text kinds ("cn"), texts
    {"pn", &LineInterpreter::Pen},
    {"pt", &LineInterpreter::Point},
    {"s", &LineInterpreter::Solid},  // falls through unless c, e, g, l or o follows
    {"lc10", &LineInterpreter::ColorCode},
    {"lt", &LineInterpreter::LineTypeLine},
    {"lc", &LineInterpreter::LineColorLine},
    {"z", &LineInterpreter::ZLine},
    {"BL", &LineInterpreter::Block},
    {"pl", &LineInterpreter::Pl},
    {"msg", &LineInterpreter::Msg},
    {"msz", &LineInterpreter::Msg},
    {"#", &LineInterpreter::Hash},
    {"hp", &LineInterpreter::Hp},
    {"hhp", &LineInterpreter::Hhp},
    {"file", &LineInterpreter::File},
    {"hk", &LineInterpreter::Hk},
    {"hs", &LineInterpreter::Hs},
    {"lg", &LineInterpreter::Group},
    {"ly", &LineInterpreter::Layer},
    {"LAYCND", &LineInterpreter::LayerStates},
    {"LAYNAM", &LineInterpreter::LayerNames},
    {"hcw", &LineInterpreter::Hcw},
    {"hch", &LineInterpreter::Hch},
    {"hcd", &LineInterpreter::Hcd},
    {"hcc", &LineInterpreter::Hcc},
    {"hn", &LineInterpreter::Hn},
};

void LineInterpreter::RunTagged(std::string_view line) {
  const Dispatch& d = Rows();
  const unsigned char b = static_cast<unsigned char>(line.front());
  for (std::size_t i = d.start[b]; i != d.start[b + 1u]; ++i)
    if (StartsWith(line, d.rows[i]->tag) && (this->*d.rows[i]->run)(line)) return;
}

const LineInterpreter::Dispatch& LineInterpreter::Rows() {
  static const Dispatch dispatch = [] {
    Dispatch d;
    for (std::size_t b = 0; b < 256; ++b) {
      d.start[b] = static_cast<std::uint8_t>(d.rows.size());
      for (const Row& row : kRows)
        if (static_cast<unsigned char>(row.tag.front()) == b) d.rows.push_back(&row);
    }
    d.start[256] = static_cast<std::uint8_t>(d.rows.size());
    return d;
  }();
  return dispatch;
}

template <class List>
void Release(List& list) {
  List().swap(list);
}

}  // namespace

void CreateExchangeLists(ExchangeState& state) {
  state.OutputLines.clear();
  state.LineList.clear();
  state.PointList.clear();
  state.ArcList.clear();
  state.TextList.clear();
  state.BlockList.clear();
  state.HpList.clear();
  state.SolidList.clear();
}

void FreeExchangeLists(ExchangeState& state) {
  Release(state.OutputLines);
  Release(state.LineList);
  Release(state.PointList);
  Release(state.ArcList);
  Release(state.TextList);
  Release(state.BlockList);
  Release(state.HpList);
  Release(state.SolidList);
}

void ResetExchangeState(ExchangeState& state) {
  CurrentAttributes& a = state.Attributes;
  Set(a.CurrentGroup, "0");
  Set(a.CurrentLayer, "0");
  a.LineType = a.LineColor = a.TextKind = a.PenNumber = a.ZValue = a.PlNumber = a.BlockNumber = 0;
  a.CnName = SharedText();
  a.MsgLine = SharedText();
  a.HhpLine = SharedText();
  state.HeaderDone = false;
  a.ColorCode = -1;

  InitialState& i = state.Initial;
  i.InitialGroup.clear();
  i.InitialLayer.clear();
  i.InitialLineType.clear();
  i.InitialLineColor.clear();
  i.InitialTextKind.clear();
  i.InitialPen.clear();
  i.InitialCn0Line.clear();

  state.Counters = ExchangeCounters{};
  a.MsgCount = 0;

  CreateExchangeLists(state);
  state.GroupScales.fill(0);
  state.HnValues.fill(0);
  state.HcTable.fill(HcEntry{});
  state.GroupTable.fill(GroupEntry{});
  state.LayerTable.fill(LayerEntry{});
  state.DrawingFile.clear();
}

struct ExchangePieceReader::Lines {
  Lines(ExchangeState& s, const ExchangeReadOptions& o)
      : state(s), options(o), interpreter(s, o.KeepRecords) {}

  // Reads one line, which may be read up to `readable`; false once the read
  // has failed.
  bool Take(std::string_view line, const char* readable) {
    if (first) {
      first = false;
      if (!TrimBytes(line).starts_with("hq")) {
        state.ExchangeStatus = kExchangeNotHq;
        failed = true;
      }
      return !failed;
    }
    try {
      if (options.Stop && ++untilStopCheck % 4096 == 0 &&
          options.Stop->load(std::memory_order_relaxed))
        throw ExchangeParseError("stopped");
      line = Trimmed(line);
      interpreter.SetReadable(readable);
      if (!line.empty()) interpreter.Run(line);
    } catch (const std::exception&) {
      // Whatever went wrong, the host handed over a file we can't trust.
      state.ExchangeStatus = kExchangeReadError;
      failed = true;
    }
    return !failed;
  }

  ExchangeState& state;
  const ExchangeReadOptions options;
  LineInterpreter interpreter;
  std::string cut;           // the start of a line that goes on in the next piece
  bool lfMayFollow = false;  // the last piece ended in a CR line end
  bool first = true;         // the "hq" line is still to come
  bool ended = false;        // a NUL byte ended the text
  bool failed = false;
  std::uint32_t untilStopCheck = 0;
};

ExchangePieceReader::ExchangePieceReader(ExchangeState& state, const ExchangeReadOptions& options) {
  ResetExchangeState(state);
  lines_ = std::make_unique<Lines>(state, options);
}

ExchangePieceReader::~ExchangePieceReader() = default;

void ExchangePieceReader::Add(std::string_view piece) {
  Lines& r = *lines_;
  if (r.ended || r.failed || piece.empty()) return;
  // A NUL byte ends the text.
  if (const void* nul = std::memchr(piece.data(), '\0', piece.size())) {
    piece = piece.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - piece.data()));
    r.ended = true;
  }
  if (std::exchange(r.lfMayFollow, false) && piece.starts_with('\n')) piece.remove_prefix(1);
  LineCursor cursor(piece);
  std::string_view line;
  if (!r.cut.empty()) {
    if (!cursor.Next(line)) {
      r.cut.append(piece);
      return;
    }
    r.cut.append(line);
    if (!r.Take(r.cut, r.cut.data() + r.cut.size())) return;
    r.cut.clear();
  }
  const char* const readable = piece.data() + piece.size();
  while (cursor.Next(line))
    if (!r.Take(line, readable)) return;
  r.cut.assign(cursor.Rest());
  r.lfMayFollow = cursor.EndsInCr();
}

bool ExchangePieceReader::Finish() {
  Lines& r = *lines_;
  // A last line without a line end counts.
  if (!r.failed && !r.cut.empty()) r.Take(r.cut, r.cut.data() + r.cut.size());
  r.cut.clear();
  return !r.failed;
}

bool ReadExchangeBytes(ExchangeState& state, std::string_view bytes,
                       const ExchangeReadOptions& options) {
  ExchangePieceReader reader(state, options);
  reader.Add(bytes);
  return reader.Finish();
}

bool ReadExchangeFile(ExchangeState& state, bool exists, const std::optional<std::string>& content,
                      const ExchangeReadOptions& options) {
  if (exists && content) return ReadExchangeBytes(state, *content, options);
  ResetExchangeState(state);
  if (exists) state.ExchangeStatus = kExchangeReadError;
  return false;
}

}  // namespace zorbi
