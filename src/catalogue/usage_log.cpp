#include "catalogue/usage_log.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "catalogue/path_txt.h"
#include "text/sjis.h"

namespace zorbi {

namespace {

constexpr std::string_view UsageHeader = "Z_Orbi.use 1";
// A score never grows past this: a launch a second for years stays in range.
constexpr double MaxScore = 1e9;

template <typename T>
bool ReadNumber(std::string_view text, T& value) {
  const char* end = text.data() + text.size();
  const auto [at, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && at == end;
}

}  // namespace

namespace {

char FoldedAt(std::string_view path, std::size_t i) {
  const char c = path[i];
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

// The last bytes only, every letter folded (a trail byte too: paths that are
// one file still hash alike): a search asks for 100,000 paths at once.
std::size_t UsageLog::SameFileHash::operator()(std::string_view path) const {
  std::size_t hash = 14695981039346656037ull ^ path.size();
  for (std::size_t i = path.size() > 24 ? path.size() - 24 : 0; i < path.size(); ++i)
    hash = (hash ^ static_cast<unsigned char>(FoldedAt(path, i))) * 1099511628211ull;
  return hash;
}

bool UsageLog::SameFile::operator()(std::string_view a, std::string_view b) const {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size();) {
    const std::size_t len = SjisCharLen(a, i);
    if (len != SjisCharLen(b, i) || FoldedAt(a, i) != FoldedAt(b, i) ||
        a.substr(i + 1, len - 1) != b.substr(i + 1, len - 1))
      return false;
    i += len;
  }
  return true;
}

double UsageLog::Decayed(const Entry& e, std::int64_t now) {
  const double age = now > e.Last ? static_cast<double>(now - e.Last) : 0.0;
  return e.Score * std::exp2(-age / static_cast<double>(UsageHalfLifeSeconds));
}

bool UsageLog::Parse(std::string_view bytes) {
  entries_.clear();
  changed_ = false;
  const std::vector<NumberedLine> lines = NumberedLines(bytes);
  if (lines.empty() || lines[0].Text != UsageHeader) return false;
  for (std::size_t k = 1; k < lines.size(); ++k) {
    const std::string_view line = lines[k].Text;
    const std::size_t tab1 = line.find('\t');
    const std::size_t tab2 = tab1 == std::string_view::npos ? tab1 : line.find('\t', tab1 + 1);
    if (tab2 == std::string_view::npos) continue;
    std::int64_t thousandths = 0, last = 0;
    const std::string_view path = line.substr(tab2 + 1);
    if (!ReadNumber(line.substr(0, tab1), thousandths) ||
        !ReadNumber(line.substr(tab1 + 1, tab2 - tab1 - 1), last) || thousandths <= 0 ||
        path.empty() || path.find('\t') != std::string_view::npos ||
        FirstNonSjisByte(path) != std::string_view::npos)
      continue;
    const double score = std::min(static_cast<double>(thousandths) / 1000.0, MaxScore);
    // A file listed twice keeps the later line.
    const auto found = entries_.find(path);
    if (found != entries_.end()) entries_.erase(found);
    entries_.emplace(std::string(path), Entry{score, last});
  }
  // In one pass: a file of many lines must not take a scan per line too many.
  if (entries_.size() > MaxUsageEntries) {
    std::vector<Entries::iterator> all;
    all.reserve(entries_.size());
    for (auto it = entries_.begin(); it != entries_.end(); ++it) all.push_back(it);
    const std::size_t drop = all.size() - MaxUsageEntries;
    std::nth_element(
        all.begin(), all.begin() + static_cast<std::ptrdiff_t>(drop), all.end(),
        [](const auto& a, const auto& b) { return a->second.Score < b->second.Score; });
    for (std::size_t k = 0; k < drop; ++k) entries_.erase(all[k]);
  }
  return true;
}

std::string UsageLog::Image() const {
  std::vector<const Entries::value_type*> sorted;
  sorted.reserve(entries_.size());
  for (const auto& entry : entries_) sorted.push_back(&entry);
  // Most recent first, so the file reads as a history.
  std::sort(sorted.begin(), sorted.end(), [](const auto* a, const auto* b) {
    return a->second.Last != b->second.Last ? a->second.Last > b->second.Last : a->first < b->first;
  });
  std::string image(UsageHeader);
  image += "\r\n";
  for (const auto* entry : sorted) {
    const auto thousandths = static_cast<std::int64_t>(std::llround(entry->second.Score * 1000.0));
    if (thousandths <= 0) continue;
    image += std::to_string(thousandths) + "\t" + std::to_string(entry->second.Last) + "\t" +
             entry->first + "\r\n";
  }
  return image;
}

void UsageLog::Record(std::string_view path, std::int64_t now) {
  if (path.empty()) return;
  auto found = entries_.find(path);
  if (found == entries_.end()) {
    found = entries_.emplace(std::string(path), Entry{}).first;
  } else if (found->first != path) {
    // Named as it was launched last.
    const Entry e = found->second;
    entries_.erase(found);
    found = entries_.emplace(std::string(path), e).first;
  }
  Entry& e = found->second;
  e.Score = std::min(Decayed(e, now) + 1.0, MaxScore);
  e.Last = std::max(e.Last, now);
  changed_ = true;
  if (entries_.size() > MaxUsageEntries) DropLowest(now);
}

double UsageLog::Score(std::string_view path, std::int64_t now) const {
  const auto found = entries_.find(path);
  return found == entries_.end() ? 0.0 : Decayed(found->second, now);
}

void UsageLog::Relink(std::string_view oldPath, std::string_view newPath) {
  const auto found = entries_.find(oldPath);
  if (found == entries_.end() || SameFile()(oldPath, newPath)) return;
  const Entry moved = found->second;
  entries_.erase(found);
  const auto [into, fresh] = entries_.emplace(std::string(newPath), moved);
  // The new path may have a history of its own: the two add up.
  if (!fresh) {
    const std::int64_t last = std::max(into->second.Last, moved.Last);
    into->second.Score = std::min(Decayed(into->second, last) + Decayed(moved, last), MaxScore);
    into->second.Last = last;
  }
  changed_ = true;
}

void UsageLog::DropLowest(std::int64_t now) {
  auto lowest = entries_.begin();
  for (auto it = entries_.begin(); it != entries_.end(); ++it)
    if (Decayed(it->second, now) < Decayed(lowest->second, now)) lowest = it;
  if (lowest != entries_.end()) entries_.erase(lowest);
}

}  // namespace zorbi
