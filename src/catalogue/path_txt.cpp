#include "catalogue/path_txt.h"

#include <algorithm>
#include <charconv>

#include "catalogue/registration.h"
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

namespace {

// A decimal integer with an optional sign that fits 32 bits, nothing else.
std::optional<std::int32_t> TabNumber(std::string_view text) {
  if (!text.empty() && text[0] == '+') text.remove_prefix(1);
  if (text.empty() || text[0] == '+') return std::nullopt;
  std::int32_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

bool RestorePathTxt(std::string_view bytes, std::vector<std::string> tabNames, std::size_t tabCount,
                    const BatHeadReader& readHead, PathTxtCatalogue& out, PathTxtError& error) {
  const std::vector<std::string_view> lines = SplitTextLines(bytes);
  PathTxtCatalogue built;
  built.TabNames = std::move(tabNames);
  if (!lines.empty()) {
    built.TabNames = SplitDelimited(lines[0], ',');
    // The catalogue never goes without a tab.
    if (built.TabNames.empty()) built.TabNames.emplace_back(DefaultTabName);
  }
  // Surplus tabs stay, empty; the names only ever add tabs.
  const std::size_t tabs = std::max(tabCount, built.TabNames.size());
  for (std::size_t t = 0; t < tabs; ++t) built.TabList.push_back(std::make_unique<TMList>());

  for (std::size_t k = 1; k < lines.size(); ++k) {
    const auto fail = [&](PathTxtFault fault, std::string path = {}) {
      error = PathTxtError{fault, k + 1, std::string(lines[k]), std::move(path)};
      return false;
    };
    TokenList pieces;
    SplitBy(',', lines[k], pieces);
    const std::optional<std::int32_t> tab = TabNumber(pieces[0]);
    if (!tab) return fail(PathTxtFault::BadTabNumber);
    if (pieces.size() < 2) return fail(PathTxtFault::NoPath);
    if (*tab < 0 || static_cast<std::size_t>(*tab) >= built.TabList.size())
      return fail(PathTxtFault::NoSuchTab);
    const std::string& path = pieces[1];
    const std::optional<std::string> head = readHead(path);
    if (!head) return fail(PathTxtFault::UnreadableBat, path);
    std::optional<std::string> summary = BatSummary(*head);
    if (!summary) return fail(PathTxtFault::EmptyBat, path);
    AppendBatItem(*built.TabList[static_cast<std::size_t>(*tab)], *tab, path, std::move(*summary));
  }
  out = std::move(built);
  return true;
}

}  // namespace zorbi
