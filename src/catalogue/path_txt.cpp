#include "catalogue/path_txt.h"

#include <algorithm>
#include <charconv>

#include "catalogue/registration.h"
#include "text/sjis.h"
#include "text/text_split.h"

namespace zorbi {

std::string PathTxtImage(const std::vector<std::string>& tabNames, const TTabList& tabs) {
  std::string text = JoinCommaText(tabNames) + "\r\n";
  // Sized first: at 100,000 items the growing string was copied twenty times.
  constexpr std::size_t kNumberBytes = 11;  // "-2147483648"
  std::size_t size = text.size();
  for (const auto& tab : tabs)
    for (const auto& item : tab->Items) size += kNumberBytes + 1 + item->BatPath.size() + 2;
  text.reserve(size);
  char number[kNumberBytes];
  for (const auto& tab : tabs)
    for (const auto& item : tab->Items) {
      const auto end = std::to_chars(number, number + kNumberBytes, item->TabNo).ptr;
      text.append(number, end).append(",").append(item->BatPath).append("\r\n");
    }
  return text;
}

std::vector<std::string_view> SplitTextLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.push_back(bytes.substr(start));
      break;
    }
    lines.push_back(bytes.substr(start, end - start));
    start = end + (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1);
  }
  return lines;
}

bool LooksLikeUtf8(std::string_view bytes) {
  bool wide = false;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    const std::size_t len = b < 0x80                 ? 1
                            : b >= 0xC2 && b <= 0xDF ? 2
                            : b >= 0xE0 && b <= 0xEF ? 3
                            : b >= 0xF0 && b <= 0xF4 ? 4
                                                     : 0;
    if (len == 0 || i + len > bytes.size()) return false;
    for (std::size_t k = 1; k < len; ++k)
      if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
    wide = wide || len > 2;
    i += len;
  }
  return wide;
}

std::vector<NumberedLine> NumberedLines(std::string_view bytes) {
  std::vector<NumberedLine> lines;
  std::size_t start = 0, no = 1;
  for (std::size_t i = 0; i < bytes.size();) {
    if (bytes[i] != '\r' && bytes[i] != '\n') {
      ++i;
      continue;
    }
    lines.push_back({bytes.substr(start, i - start), no++});
    std::size_t next = i + 1;
    if (bytes[i] == '\r') {
      const std::size_t lf = bytes.find_first_not_of('\r', i);
      if (lf != std::string_view::npos && bytes[lf] == '\n') next = lf + 1;
    }
    i = start = next;
  }
  if (start < bytes.size()) lines.push_back({bytes.substr(start), no});
  return lines;
}

namespace {

constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

// A decimal integer with an optional sign that fits 32 bits, nothing else.
std::optional<std::int32_t> TabNumber(std::string_view text) {
  if (!text.empty() && text[0] == '+') text.remove_prefix(1);
  if (text.empty() || text[0] == '+') return std::nullopt;
  std::int32_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// A file that is not Shift-JIS would store its names and paths garbled.
PathTxtError EncodingFault(std::string_view bytes, const std::vector<NumberedLine>& lines) {
  if (bytes.starts_with(Utf8Bom) || LooksLikeUtf8(bytes)) return {PathTxtFault::Utf8, 1, {}, {}};
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
    return {PathTxtFault::Utf16, 1, {}, {}};
  const auto fault = [&](const NumberedLine& line) {
    return PathTxtError{PathTxtFault::NotShiftJis, line.No, std::string(line.Text), {}};
  };
  if (lines.empty()) return {};
  // A name cut in the middle of a character (as data files may hold them)
  // ends in a lead byte: that byte is the name's own and reads back.
  for (const std::string& name : SplitDelimited(lines[0].Text, ',')) {
    const std::size_t bad = FirstNonSjisByte(name);
    if (bad != std::string::npos &&
        (bad + 1 != name.size() || !IsSjisLeadByte(static_cast<unsigned char>(name[bad]))))
      return fault(lines[0]);
  }
  for (std::size_t k = 1; k < lines.size(); ++k)
    if (FirstNonSjisByte(lines[k].Text) != std::string_view::npos) return fault(lines[k]);
  return {};
}

}  // namespace

bool RestorePathTxt(std::string_view bytes, std::vector<std::string> tabNames, std::size_t tabCount,
                    const BatHeadReader& readHead, PathTxtCatalogue& out, PathTxtError& error,
                    const std::function<bool(std::size_t done, std::size_t total)>& going) {
  const std::vector<NumberedLine> lines = NumberedLines(bytes);
  if (PathTxtError fault = EncodingFault(bytes, lines); fault.Fault != PathTxtFault::None) {
    error = std::move(fault);
    return false;
  }
  PathTxtCatalogue built;
  built.TabNames = std::move(tabNames);
  if (!lines.empty()) {
    built.TabNames = SplitDelimited(lines[0].Text, ',');
    // The catalogue never goes without a tab.
    if (built.TabNames.empty()) built.TabNames.emplace_back(DefaultTabName);
  }
  // Surplus tabs stay, empty; the names only ever add tabs.
  const std::size_t tabs = std::max(tabCount, built.TabNames.size());
  for (std::size_t t = 0; t < tabs; ++t) built.TabList.push_back(std::make_unique<TMList>());

  for (std::size_t k = 1; k < lines.size(); ++k) {
    const std::string_view line = lines[k].Text;
    if (TrimBytes(line).empty()) continue;
    const auto skip = [&](PathTxtFault fault, std::string path = {}) {
      built.Skipped.push_back({fault, lines[k].No, std::string(line), std::move(path)});
    };
    const std::size_t comma = line.find(',');
    const std::optional<std::int32_t> tab = TabNumber(TrimBytes(line.substr(0, comma)));
    if (!tab) {
      skip(PathTxtFault::BadTabNumber);
      continue;
    }
    const std::string path(comma == std::string_view::npos ? std::string_view()
                                                           : TrimBytes(line.substr(comma + 1)));
    if (path.empty()) {
      skip(PathTxtFault::NoPath);
      continue;
    }
    // A tab the first line does not name would hold items nobody sees.
    if (*tab < 0 || static_cast<std::size_t>(*tab) >= built.TabNames.size()) {
      skip(PathTxtFault::NoSuchTab);
      continue;
    }
    if (going && !going(k - 1, lines.size() - 1)) {
      error = {};
      return false;
    }
    const std::optional<std::string> head = readHead(path);
    if (!head) {
      skip(PathTxtFault::UnreadableBat, path);
      continue;
    }
    std::optional<std::string> summary = BatSummary(*head);
    if (!summary) {
      skip(PathTxtFault::EmptyBat, path);
      continue;
    }
    AppendBatItem(*built.TabList[static_cast<std::size_t>(*tab)], *tab, path, std::move(*summary));
  }
  out = std::move(built);
  return true;
}

}  // namespace zorbi
