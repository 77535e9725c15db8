// Find as you type over the whole catalogue. The search only reads: it keeps
// folded copies of the items' texts and hands back where the matches lie.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue.h"

namespace zorbi {

struct SearchHit {
  std::int32_t Tab = 0;
  std::int32_t Position = 0;
  friend bool operator==(const SearchHit&, const SearchHit&) = default;
};

class CatalogueSearch {
 public:
  // How much the user runs an item: the higher, the earlier it is found.
  using Rank = std::function<double(const TMenuItem&)>;

  // Folds the file name, summary and memo lines of every item on a named tab,
  // and takes each item's rank. The catalogue must not change while the
  // search is used.
  explicit CatalogueSearch(const CatalogueData& c, const Rank& rank = {});

  // The items whose texts hold every word of `text`, each word within one of
  // them: those with a rank first, the highest first, then the rest, each in
  // tab order then item order. A text whose words each hold one of the last
  // text's words can only narrow its hits: only those are looked at.
  const std::vector<SearchHit>& Find(std::string_view text);
  // The `count` items with the highest rank, the highest first.
  std::vector<SearchHit> Ranked(std::size_t count) const;

 private:
  // Whether item `i`'s folded texts hold every word.
  bool Holds(std::size_t i, const std::vector<std::string>& words) const;

  // Room for `bytes` more folded bytes.
  char* Room(std::size_t bytes);
  void Fold(std::string_view sjis);
  void AppendMemoLines(std::string_view memo);

  // Not a string: it is written through a pointer, and a string would first
  // fill with zeros what the folding overwrites.
  std::unique_ptr<char[]> folded_;
  std::size_t size_ = 0, capacity_ = 0;
  std::vector<std::size_t> starts_;  // item i's texts: folded_[starts_[i], starts_[i + 1])
  std::vector<SearchHit> items_;
  std::vector<std::pair<double, std::uint32_t>> ranked_;  // rank > 0 and item index
  std::vector<std::string> lastWords_;
  std::vector<std::uint32_t> lastHits_;  // indexes into items_
  std::vector<SearchHit> hits_;
  bool searched_ = false;
};

}  // namespace zorbi
