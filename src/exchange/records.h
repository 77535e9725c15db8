// The drawing entity records of the exchange file "jwc_temp.txt": one class
// per kind of record line, each filled from one trimmed line and from the
// reader's current attributes.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>

#include "exchange/shared_text.h"

namespace zorbi {

using Extended = long double;

// A record line that doesn't fit its grammar. It ends the whole read.
class ExchangeParseError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Set by the last "cn" line of text kind 0.
struct Cn0Params {
  double Cn0Value1 = 0;
  double Cn0Value2 = 0;
  double Cn0Value3 = 0;
  std::int32_t Cn0Number = 0;
};

// The reader's current state as far as the record parsers read it.
struct CurrentAttributes {
  std::string CurrentGroup = "0";  // one character as it stood in the file
  std::string CurrentLayer = "0";
  std::int32_t LineType = 0;
  std::int32_t LineColor = 0;
  std::int32_t ColorCode = -1;  // -1: none
  std::int32_t ZValue = 0;
  std::int32_t BlockNumber = 0;
  std::int32_t PlNumber = 0;
  std::int32_t PenNumber = 0;
  std::int32_t TextKind = 0;
  SharedText CnName;
  SharedText HhpLine;
  SharedText MsgLine;
  std::int32_t MsgCount = 0;
  Cn0Params Cn0;

  // CurrentGroup + "-" + CurrentLayer, case unchanged.
  SharedText LayerKey() const;
  // MsgLine followed by the decimal MsgCount.
  SharedText MsgTag() const;

 private:
  // Built again only when their parts change, and shared by the records.
  mutable SharedText layerKey_, msgTag_, tagLine_;
  mutable std::string keyGroup_, keyLayer_;
  mutable std::int32_t tagCount_ = 0;
};

// The value of a group or layer digit: the whole text read as a hexadecimal
// integer when its first character is 0-9 or a-f (lower case only), else -1.
std::int32_t HexDigitValue(std::string_view text);

class TData {
 public:
  SharedText Layer;
};

// A line record: four numbers.
class TLine : public TData {
 public:
  double Value1 = 0, Value2 = 0, Value3 = 0, Value4 = 0;
  std::int32_t LineType = 0;
  std::int32_t LineColor = 0;
  std::int32_t ZValue = 0;
  std::int32_t BlockNumber = 0;
  std::int32_t PlNumber = 0;
  SharedText HhpLine;
  SharedText MsgTag;  // MsgLine followed by the decimal MsgCount

  void ParseLine(std::string_view line, const CurrentAttributes& attributes);
  // Fails where ParseLine would, and reads no value. Bytes from the line's
  // start up to `readable` (nullptr: the line's end) may be read.
  static void CheckLine(std::string_view line, const char* readable = nullptr);
};

// A "pt" line.
class TTen : public TData {
 public:
  double Value1 = 0, Value2 = 0;
  std::int32_t PenNumber = 0;
  std::int32_t ZValue = 0;
  std::int32_t BlockNumber = 0;

  void ParseLine(std::string_view line, const CurrentAttributes& attributes);
  // Fails where ParseLine would, and reads no value. Bytes from the line's
  // start up to `readable` (nullptr: the line's end) may be read.
  static void CheckLine(std::string_view line, const char* readable = nullptr);
};

// A "ci" line.
class TArc : public TData {
 public:
  double Value1 = 0, Value2 = 0, Value3 = 0;
  double Flatness = 0;
  Extended Angle1 = 0, Angle2 = 0, Angle3 = 0;
  std::int32_t LineType = 0;
  std::int32_t LineColor = 0;
  std::int32_t ZValue = 0;
  std::int32_t BlockNumber = 0;
  SharedText HhpLine;

  void ParseLine(std::string_view line, const CurrentAttributes& attributes);
  // Fails where ParseLine would, and reads no value. Bytes from the line's
  // start up to `readable` (nullptr: the line's end) may be read.
  static void CheckLine(std::string_view line, const char* readable = nullptr);
};

// A text line while the text kind is not 0.
class TMoji : public TData {
 public:
  double Value1 = 0, Value2 = 0, Value3 = 0, Value4 = 0;
  std::int32_t TextKind = 0;
  SharedText CnName;
  std::string Kind;  // the line's first word
  std::int32_t ZValue = 0;
  std::int32_t BlockNumber = 0;
  SharedText HhpLine;
  SharedText MsgTag;
  std::string Text;

  void ParseLine(std::string_view line, const CurrentAttributes& attributes);
  // Fails where ParseLine would, and reads no value. Bytes from the line's
  // start up to `readable` (nullptr: the line's end) may be read.
  static void CheckLine(std::string_view line, const char* readable = nullptr);
};

// A text line of text kind 0: also carries the last "cn0" settings.
class TNMoji : public TMoji {
 public:
  double Cn0Value1 = 0, Cn0Value2 = 0, Cn0Value3 = 0;
  std::int32_t Cn0Number = 0;

  void ParseLine(std::string_view line, const CurrentAttributes& attributes);
};

// An "hp" line.
class THTen {
 public:
  double Value1 = 0, Value2 = 0;
  std::string Kind;

  void ParseLine(std::string_view line, const CurrentAttributes& attributes);
  // Fails where ParseLine would, and reads no value. Bytes from the line's
  // start up to `readable` (nullptr: the line's end) may be read.
  static void CheckLine(std::string_view line, const char* readable = nullptr);
};

// A "BL" line.
class TBlock {
 public:
  double Value1 = 0, Value2 = 0;
  std::string Name;
  SharedText Layer;

  void ParseLine(std::string_view line, const CurrentAttributes& attributes);
  // Fails where ParseLine would, and reads no value. Bytes from the line's
  // start up to `readable` (nullptr: the line's end) may be read.
  static void CheckLine(std::string_view line, const char* readable = nullptr);
};

// A solid line ("sc", "se", "sg", "sl", "so" ...). Never fails.
class TSolid : public TData {
 public:
  std::string Kind;
  std::int32_t Color = 0;
  std::int32_t ColorByte0 = 0;
  std::int32_t ColorByte1 = 0;
  std::int32_t ColorByte2 = 0;
  std::array<double, 9> Values{};  // [0] piece count, [1..8] the numbers

  void ParseLine(std::string_view line, const CurrentAttributes& attributes);
  static void CheckLine(std::string_view, const char* = nullptr) {}
};

// TextList holds both kinds of text, in file order.
using TextRecord = std::variant<TMoji, TNMoji>;

inline const TMoji& Moji(const TextRecord& record) {
  return std::visit([](const TMoji& m) -> const TMoji& { return m; }, record);
}

}  // namespace zorbi
