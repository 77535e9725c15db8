// Find as you type at 100,000 items on 50 tabs: the folded copy made when a
// search starts, the first keystroke with it, the keystrokes that narrow, and
// a text that starts over on the kept copy.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "catalogue/catalogue_search.h"
#include "catalogue/data_file.h"
#include "catalogue/usage_log.h"

namespace {

constexpr int kItems = 100'000;
constexpr int kTabs = 50;

// Names, summaries and memos of the kinds users collect: ASCII names, Japanese
// summaries, a short memo on one item in four. Read from a data file image as
// at start-up, so the items lie in memory as the program's do.
const zorbi::CatalogueData& SharedCatalogue() {
  static const zorbi::CatalogueData catalogue = [] {
    zorbi::CatalogueData c;
    const char* kinds[] = {"線の長さ", "円弧を分割", "寸法の一括変更", "ﾚｲﾔ整理", "文字を置換"};
    for (int t = 0; t < kTabs; ++t) {
      c.TabNames.push_back("作者" + std::to_string(t));
      c.TabList.push_back(std::make_unique<zorbi::TMList>());
    }
    for (int i = 0; i < kItems; ++i) {
      const int t = i % kTabs;
      auto item = std::make_unique<zorbi::TMenuItem>();
      item->BatPath = "C:\\JWW\\外部変形\\作者" + std::to_string(t) + "\\TOOL" +
                      std::to_string(100000 + i) + ".BAT";
      item->Summary = std::string(kinds[i % 5]) + "（第" + std::to_string(i % 97) + "版）";
      item->Memo = i % 4 == 0 ? "\"AWK 使用\",\"作図後に再表示\"" : "\"\"";
      item->TabNo = t;
      item->Position = c.TabList[t]->Count();
      zorbi::AddItem(*c.TabList[t], std::move(item));
    }
    zorbi::CatalogueData read;
    if (!zorbi::ReadCatalogueImage(read, zorbi::CatalogueImage(c, kTabs, c.TabNames),
                                   read.TabNames))
      std::abort();
    return read;
  }();
  return catalogue;
}

void FoldCatalogue(benchmark::State& state) {
  const zorbi::CatalogueData& c = SharedCatalogue();
  for (auto _ : state) {
    zorbi::CatalogueSearch search(c);
    benchmark::DoNotOptimize(&search);
  }
}

// The keystroke that starts a search: the copy is made, then every item is looked at.
void FirstKeystroke(benchmark::State& state) {
  const zorbi::CatalogueData& c = SharedCatalogue();
  for (auto _ : state) {
    zorbi::CatalogueSearch search(c);
    benchmark::DoNotOptimize(search.Find("t").size());
  }
}

// One more character: only the last hits are looked at.
void NarrowingKeystroke(benchmark::State& state) {
  zorbi::CatalogueSearch search(SharedCatalogue());
  for (auto _ : state) {
    search.Find("t");
    benchmark::DoNotOptimize(search.Find("to").size());
  }
}

// A deleted character or a new text: every item again, on the kept copy.
void FreshKeystroke(benchmark::State& state) {
  zorbi::CatalogueSearch search(SharedCatalogue());
  const std::string texts[] = {"ﾚｲﾔ", "寸法"};
  int n = 0;
  for (auto _ : state) benchmark::DoNotOptimize(search.Find(texts[n++ % 2]).size());
}

// A history of 2,000 launches over 1,000 files, kept beside the catalogue.
const zorbi::UsageLog& SharedHistory() {
  static const zorbi::UsageLog log = [] {
    zorbi::UsageLog l;
    for (int k = 0; k < 2000; ++k) {
      const int i = (k * 97) % 1000 * (kItems / 1000);
      l.Record("C:\\JWW\\外部変形\\作者" + std::to_string(i % kTabs) + "\\TOOL" +
                   std::to_string(100000 + i) + ".BAT",
               1'800'000'000 + k * 60);
    }
    return l;
  }();
  return log;
}

// The first keystroke when a history ranks the results: every item's score
// is taken as the search starts.
void RankedFirstKeystroke(benchmark::State& state) {
  const zorbi::CatalogueData& c = SharedCatalogue();
  const zorbi::UsageLog& log = SharedHistory();
  const auto rank = [&](const zorbi::TMenuItem& item) {
    return log.Score(item.BatPath, 1'800'200'000);
  };
  for (auto _ : state) {
    zorbi::CatalogueSearch search(c, rank);
    benchmark::DoNotOptimize(search.Find("t").size());
  }
}

// A new text over ranked results.
void RankedFreshKeystroke(benchmark::State& state) {
  const zorbi::UsageLog& log = SharedHistory();
  zorbi::CatalogueSearch search(SharedCatalogue(), [&](const zorbi::TMenuItem& item) {
    return log.Score(item.BatPath, 1'800'200'000);
  });
  const std::string texts[] = {"t", "寸法"};
  int n = 0;
  for (auto _ : state) benchmark::DoNotOptimize(search.Find(texts[n++ % 2]).size());
}

BENCHMARK(FoldCatalogue)->Unit(benchmark::kMillisecond);
BENCHMARK(FirstKeystroke)->Unit(benchmark::kMillisecond);
BENCHMARK(NarrowingKeystroke)->Unit(benchmark::kMillisecond);
BENCHMARK(FreshKeystroke)->Unit(benchmark::kMillisecond);
BENCHMARK(RankedFirstKeystroke)->Unit(benchmark::kMillisecond);
BENCHMARK(RankedFreshKeystroke)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
