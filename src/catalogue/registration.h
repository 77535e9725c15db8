// Registering a BAT file as a catalogue item, its summary taken from the
// file's leading "@REM" line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "catalogue/catalogue.h"

namespace zorbi {

// The summary comes from bytes 6 to 260 of the first line; one byte more tells
// whether a double-byte character crosses the cut.
inline constexpr std::size_t BatSummaryEnd = 260;
inline constexpr std::size_t BatHeadBytes = BatSummaryEnd + 1;

// The summary in the head of a BAT file, or nullopt when the file has no
// line at all (empty, or a 0x00 first byte).
std::optional<std::string> BatSummary(std::string_view head);

// Appends a new item for `path` at the end of `tab`.
TMenuItem& AppendBatItem(TMList& tab, std::int32_t tabNo, std::string path, std::string summary);

}  // namespace zorbi
