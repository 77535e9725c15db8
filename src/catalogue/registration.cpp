#include "catalogue/registration.h"

#include <algorithm>

#include "text/sjis.h"
#include "text/text_split.h"

namespace zorbi {

std::optional<std::string> BatSummary(std::string_view head) {
  head = head.substr(0, head.find('\0'));
  if (head.empty()) return std::nullopt;
  const std::string_view line = head.substr(0, head.find_first_of("\r\n"));
  if (!line.starts_with("@REM") && !line.starts_with("@rem")) return std::string();
  // Bytes 6 to 260 of the line; the fifth byte is skipped whatever it is.
  std::size_t end = std::min<std::size_t>(line.size(), BatSummaryEnd);
  if (end <= 5) return std::string();
  // Never keep half a double-byte character at the cut: character boundaries
  // count from the start of the line.
  std::size_t i = 0;
  while (i < end) {
    const std::size_t len = SjisCharLen(line, i);
    if (i + len > end) {
      end = i;
      break;
    }
    i += len;
  }
  if (end <= 5) return std::string();
  return std::string(TrimBytes(line.substr(5, end - 5)));
}

TMenuItem& AppendBatItem(TMList& tab, std::int32_t tabNo, std::string path, std::string summary) {
  auto item = std::make_unique<TMenuItem>();
  std::string memo = "\"" + summary + "\"";
  item->InitItem(std::move(path), std::move(summary), tabNo, tab.Count(), std::move(memo), "", "",
                 0, 0);
  return AddItem(tab, std::move(item));
}

}  // namespace zorbi
