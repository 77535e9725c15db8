#include "catalogue/catalogue_search.h"

#include <algorithm>
#include <cstring>

#include "text/search_fold.h"
#include "text/sjis.h"

namespace zorbi {

namespace {

// Every word of `last` lies inside some word of `words`.
bool Narrows(const std::vector<std::string>& last, const std::vector<std::string>& words) {
  for (const std::string& old : last) {
    bool inside = false;
    for (const std::string& word : words)
      if (word.find(old) != std::string::npos) {
        inside = true;
        break;
      }
    if (!inside) return false;
  }
  return true;
}

// Where the file name starts: after the last '\\' or ':' that is not the
// second byte of a double-byte character.
std::size_t FileNameStart(std::string_view path) {
  // Looked for from the end: only a '\\' right after a byte that may lead a
  // character needs the walk from the start to tell what it is.
  std::size_t i = path.size();
  while (i > 0 && path[i - 1] != '\\' && path[i - 1] != ':') --i;
  if (i <= 1 || path[i - 1] == ':' || !IsSjisLeadByte(static_cast<unsigned char>(path[i - 2])))
    return i;
  std::size_t start = 0;
  for (std::size_t k = 0; k < path.size(); ++k) {
    const auto b = static_cast<unsigned char>(path[k]);
    if (b == '\\' || b == ':')
      start = k + 1;
    else if (IsSjisLeadByte(b) && k + 1 < path.size() &&
             IsSjisTrailByte(static_cast<unsigned char>(path[k + 1])))
      ++k;
  }
  return start;
}

}  // namespace

char* CatalogueSearch::Room(std::size_t bytes) {
  if (capacity_ - size_ < bytes) {
    const std::size_t capacity = std::max(2 * capacity_, size_ + bytes);
    auto grown = std::make_unique_for_overwrite<char[]>(capacity);
    if (size_ > 0) std::memcpy(grown.get(), folded_.get(), size_);
    folded_ = std::move(grown);
    capacity_ = capacity;
  }
  return folded_.get() + size_;
}

void CatalogueSearch::Fold(std::string_view sjis) {
  char* at = Room(sjis.size() * kMaxFoldGrowth);
  size_ = static_cast<std::size_t>(FoldInto(sjis, at) - folded_.get());
}

// A memo's lines as its comma text holds them, apart by spaces. Folded, the
// memo keeps its quotes and commas as they were, and no byte of a folded
// double-byte character is one: they are sorted out in place afterwards.
void CatalogueSearch::AppendMemoLines(std::string_view memo) {
  char* const begin = Room(memo.size() * kMaxFoldGrowth);
  char* const end = FoldInto(memo, begin);
  char* to = begin;
  bool quoted = false;
  for (const char* from = begin; from < end; ++from) {
    if (*from == '"') {
      if (quoted && from + 1 < end && from[1] == '"') {
        *to++ = '"';  // a doubled quote stands for one
        ++from;
        continue;
      }
      quoted = !quoted;
      *to++ = ' ';
    } else {
      *to++ = *from == ',' && !quoted ? ' ' : *from;
    }
  }
  size_ = static_cast<std::size_t>(to - folded_.get());
}

CatalogueSearch::CatalogueSearch(const CatalogueData& c, const Rank& rank) {
  const std::size_t tabs = std::min(c.TabList.size(), c.TabNames.size());
  std::size_t items = 0;
  for (std::size_t t = 0; t < tabs; ++t) items += c.TabList[t]->Items.size();
  starts_.reserve(items + 1);
  items_.reserve(items);
  Room(items * 64);
  for (std::size_t t = 0; t < tabs; ++t) {
    const TMList& tab = *c.TabList[t];
    for (std::size_t p = 0; p < tab.Items.size(); ++p) {
      const TMenuItem& item = *tab.Items[p];
      starts_.push_back(size_);
      items_.push_back({static_cast<std::int32_t>(t), static_cast<std::int32_t>(p)});
      // Spaces keep a word from running over from one text into the next.
      const std::string_view path = item.BatPath;
      Fold(path.substr(FileNameStart(path)));
      *Room(1) = ' ';
      ++size_;
      Fold(item.Summary);
      *Room(1) = ' ';
      ++size_;
      AppendMemoLines(item.Memo);
      if (rank)
        if (const double r = rank(item); r > 0)
          ranked_.push_back({r, static_cast<std::uint32_t>(items_.size() - 1)});
    }
  }
  starts_.push_back(size_);
  // Highest first; equal ranks in tab and item order.
  std::stable_sort(ranked_.begin(), ranked_.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
}

std::vector<SearchHit> CatalogueSearch::Ranked(std::size_t count) const {
  std::vector<SearchHit> top;
  for (std::size_t k = 0; k < ranked_.size() && k < count; ++k)
    top.push_back(items_[ranked_[k].second]);
  return top;
}

bool CatalogueSearch::Holds(std::size_t i, const std::vector<std::string>& words) const {
  const std::string_view texts(folded_.get() + starts_[i], starts_[i + 1] - starts_[i]);
  for (const std::string& word : words)
    if (texts.find(word) == std::string_view::npos) return false;
  return true;
}

const std::vector<SearchHit>& CatalogueSearch::Find(std::string_view text) {
  std::vector<std::string> words = SearchWords(text);
  std::vector<std::uint32_t> hits;
  if (searched_ && Narrows(lastWords_, words)) {
    for (const std::uint32_t i : lastHits_)
      if (Holds(i, words)) hits.push_back(i);
  } else {
    for (std::size_t i = 0; i < items_.size(); ++i)
      if (Holds(i, words)) hits.push_back(static_cast<std::uint32_t>(i));
  }
  searched_ = true;
  lastWords_ = std::move(words);
  lastHits_ = std::move(hits);
  hits_.clear();
  hits_.reserve(lastHits_.size());
  if (ranked_.empty()) {
    for (const std::uint32_t i : lastHits_) hits_.push_back(items_[i]);
    return hits_;
  }
  // The ranked hits, which are few, then the others in order.
  std::vector<bool> hit(items_.size(), false);
  for (const std::uint32_t i : lastHits_) hit[i] = true;
  for (const auto& [r, i] : ranked_)
    if (hit[i]) {
      hits_.push_back(items_[i]);
      hit[i] = false;
    }
  for (const std::uint32_t i : lastHits_)
    if (hit[i]) hits_.push_back(items_[i]);
  return hits_;
}

}  // namespace zorbi
