// The reader of the exchange file "jwc_temp.txt" that the host hands over:
// checks the "hq" first line, keeps the current attributes and header tables
// up to date and turns each record line into a record of records.h.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/records.h"

namespace zorbi {

// The exchange file beside the program, as the host writes and reads it.
inline constexpr std::string_view ExchangeFileName = "jwc_temp.txt";

// ExchangeStatus values.
inline constexpr std::int32_t kExchangeUntouched = 0;
inline constexpr std::int32_t kExchangeNotHq = -1;      // first line isn't an "hq" line
inline constexpr std::int32_t kExchangeReadError = -2;  // a found file failed to read or parse

struct ExchangeCounters {
  std::int32_t LineCount = 0;
  std::int32_t ArcCount = 0;
  std::int32_t PointCount = 0;
  std::int32_t TextCount = 0;
  std::int32_t HpCount = 0;
  std::int32_t BlockCount = 0;
  std::int32_t PlCount = 0;
  std::int32_t SolidCount = 0;
  std::int32_t EntityCount = 0;  // lines, arcs, points, texts and solids
  // MsgCount is CurrentAttributes::MsgCount: the records read it from there.
};

// Header values taken while HeaderDone is false. The short strings hold at
// most the number of bytes noted.
struct InitialState {
  std::string InitialGroup;      // 1
  std::string InitialLayer;      // 1
  std::string InitialLineType;   // 1
  std::string InitialLineColor;  // 1
  std::string InitialTextKind;   // 2
  std::string InitialPen;        // 1
  std::string InitialCnName;
  std::string InitialCn0Line;
  double InitialScale = 0;
};

struct HcEntry {
  std::int32_t Hcc = 0;
  double Hcw = 0;
  double Hch = 0;
  double Hcd = 0;
};

struct GroupEntry {
  std::string State;
  std::string Name;  // at most 16 bytes
};

struct LayerEntry {
  std::string Key;
  std::string State;
  std::string Name;  // at most 8 bytes
};

inline constexpr std::size_t kGroupCount = 16;
inline constexpr std::size_t kLayersPerGroup = 16;
inline constexpr std::size_t kHcCount = 10;

// The reader's whole state; the program keeps one for its whole run.
struct ExchangeState {
  std::int32_t ExchangeStatus = kExchangeUntouched;  // never reset by a read

  std::vector<std::string> OutputLines;  // lines for the writer

  std::deque<TLine> LineList;
  std::deque<TTen> PointList;
  std::deque<TArc> ArcList;
  std::deque<TextRecord> TextList;
  std::deque<TBlock> BlockList;
  std::deque<THTen> HpList;
  std::deque<TSolid> SolidList;

  CurrentAttributes Attributes;
  bool HeaderDone = false;  // false until the first "#" line
  ExchangeCounters Counters;
  InitialState Initial;

  std::array<double, kGroupCount> GroupScales{};
  double HkValue = 0;
  std::array<double, 4> HnValues{};
  std::array<HcEntry, kHcCount> HcTable{};
  std::array<GroupEntry, kGroupCount> GroupTable{};
  std::array<LayerEntry, kGroupCount * kLayersPerGroup> LayerTable{};
  std::string DrawingFile;
};

// OutputLines and the seven record lists, empty.
void CreateExchangeLists(ExchangeState& state);
// Releases OutputLines and every record list with its records.
void FreeExchangeLists(ExchangeState& state);

// The reset a read starts with: current attributes, initial values, counters,
// lists, tables. ExchangeStatus, HkValue, InitialCnName, InitialScale and the
// Cn0 settings are left as they are.
void ResetExchangeState(ExchangeState& state);

struct ExchangeReadOptions {
  // Off, every record is parsed and counted as usual but none is stored: the
  // program itself never looks at them again, and a large drawing would hold
  // twice its size in memory for nothing.
  bool KeepRecords = true;
  // Set from another thread, ends the read early as a read error.
  const std::atomic<bool>* Stop = nullptr;
};

// Reads the exchange file, given what the caller found at its path: `exists`
// is false when there is no file there; `content` is the file's bytes, or
// nullopt when it exists but could not be read. True on success; on failure
// ExchangeStatus tells why (left as it was when there is no file).
bool ReadExchangeFile(ExchangeState& state, bool exists, const std::optional<std::string>& content,
                      const ExchangeReadOptions& options = {});

// Reset, then reads `bytes` as the content of the exchange file: one piece.
bool ReadExchangeBytes(ExchangeState& state, std::string_view bytes,
                       const ExchangeReadOptions& options = {});

// Reads the exchange file's content as it arrives in pieces, so a large file
// is never held whole. Construction resets the state; each piece is read as it
// is added (a line cut by a piece's end is kept until it ends); Finish returns
// what ReadExchangeBytes would have for all the pieces as one.
class ExchangePieceReader {
 public:
  ExchangePieceReader(ExchangeState& state, const ExchangeReadOptions& options = {});
  ExchangePieceReader(const ExchangePieceReader&) = delete;
  ExchangePieceReader& operator=(const ExchangePieceReader&) = delete;
  ~ExchangePieceReader();

  void Add(std::string_view piece);
  bool Finish();

 private:
  struct Lines;
  std::unique_ptr<Lines> lines_;
};

}  // namespace zorbi
