// The lines handed back to the host in the exchange file: the chaining line
// "h/" + the picked BAT file's path and, optionally, a notice line "h#".
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/exchange_reader.h"

namespace zorbi {

// "を起動します" (will be started) in Shift-JIS, whatever the compiler's
// execution character set.
inline constexpr std::string_view kStartNotice = "\x82\xF0\x8B\x4E\x93\xAE\x82\xB5\x82\xDC\x82\xB7";

void AddOutputLine(ExchangeState& state, std::string_view line);

// The file's bytes: each line as it is, followed by CR LF.
std::string ExchangeFileImage(const std::vector<std::string>& lines);

enum class ExchangeWrite {
  Nothing,  // no output lines: the file is not touched
  Written,  // the file holds the output lines
  Failed,   // the file could not be written; the output lines are kept
};

// Hands the image of OutputLines to `replaceFile`, which replaces the whole
// exchange file with it and tells whether that worked. OutputLines is
// emptied unless the write failed.
ExchangeWrite WriteExchangeFile(ExchangeState& state,
                                const std::function<bool(const std::string& bytes)>& replaceFile);

// A path may be chained when it is not empty and holds no byte below 0x20: a
// CR or LF in it would start further lines, that is further host commands.
bool IsChainablePath(std::string_view path);

// The chaining lines for a picked BAT file: "h/" + path and, with `info`,
// "h#" + its file name + kStartNotice. None for a path that may not be chained.
std::vector<std::string> ChainingLines(std::string_view pickedBatPath, bool info);

// Appends ChainingLines to OutputLines; false, and nothing appended, for a
// path that may not be chained.
bool AddChainingLines(ExchangeState& state, std::string_view pickedBatPath, bool info);

}  // namespace zorbi
