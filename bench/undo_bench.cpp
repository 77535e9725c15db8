// Undo and redo at 100,000 items on one tab (the longest renumbering) and on
// 50 tabs, read from a data file image as at start-up; and what 50 steps of
// history hold beside the catalogue, counted on the heap.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/catalogue_history.h"
#include "catalogue/data_file.h"
#include "fakes.h"
#include "form_test_util.h"

namespace {

std::atomic<std::int64_t> live{0};

}  // namespace

// Live heap bytes, as the allocator gives them.
void* operator new(std::size_t size) {
  void* p = std::malloc(size ? size : 1);
  if (!p) throw std::bad_alloc();
  live += static_cast<std::int64_t>(malloc_usable_size(p));
  return p;
}
void* operator new[](std::size_t size) {
  return operator new(size);
}
void operator delete(void* p) noexcept {
  if (!p) return;
  live -= static_cast<std::int64_t>(malloc_usable_size(p));
  std::free(p);
}
void operator delete[](void* p) noexcept {
  operator delete(p);
}
void operator delete(void* p, std::size_t) noexcept {
  operator delete(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  operator delete(p);
}

namespace {

constexpr int kItems = 100'000;

std::string Image(int tabs) {
  zorbi::CatalogueData catalogue;
  std::vector<std::string> names;
  for (int t = 0; t < tabs; ++t) {
    catalogue.TabList.push_back(std::make_unique<zorbi::TMList>());
    names.push_back("タブ" + std::to_string(t));
  }
  for (int p = 0; p < kItems; ++p) {
    const int t = p % tabs;
    auto item = std::make_unique<zorbi::TMenuItem>();
    item->InitItem("C:\\jww\\外部変形\\T" + std::to_string(1000000 + p) + ".BAT",
                   "summary " + std::to_string(p), t, catalogue.TabList[t]->Count(), "\"memo\"", "",
                   "", p == 0 ? 2 : 0, 0);
    zorbi::AddItem(*catalogue.TabList[static_cast<std::size_t>(t)], std::move(item));
  }
  return zorbi::CatalogueImage(catalogue, tabs, names);
}

void Load(zorbi::Catalogue& c, const std::string& image) {
  zorbi::DataFileContents contents;
  if (!zorbi::ParseCatalogueImage(image, contents)) std::abort();
  c.Load(std::move(contents));
}

// One undo and one redo of a change made once (the time is for both).
template <typename Change>
void UndoRedo(benchmark::State& state, int tabs, Change change) {
  const std::string image = Image(tabs);
  zorbi::Catalogue c;
  Load(c, image);
  zorbi::CatalogueHistory history(c);
  {
    const zorbi::CatalogueHistory::Step step(&history);
    change(c, image);
  }
  for (auto _ : state) {
    if (!history.Undo() || !history.Redo()) state.SkipWithError("nothing to undo");
  }
}

void DeleteFirst(benchmark::State& state) {
  UndoRedo(state, static_cast<int>(state.range(0)),
           [](zorbi::Catalogue& c, const std::string&) { c.DeleteItem(0, 0); });
}

void MoveLastToFirst(benchmark::State& state) {
  UndoRedo(state, static_cast<int>(state.range(0)), [](zorbi::Catalogue& c, const std::string&) {
    c.MoveItem(0, c.Tab(0)->Count() - 1, 0);
  });
}

void DeleteFirstTab(benchmark::State& state) {
  UndoRedo(state, static_cast<int>(state.range(0)),
           [](zorbi::Catalogue& c, const std::string&) { c.DeleteTab(0); });
}

void Register1000(benchmark::State& state) {
  UndoRedo(state, static_cast<int>(state.range(0)), [](zorbi::Catalogue& c, const std::string&) {
    for (int k = 0; k < 1000; ++k) c.AppendItem(0, "C:\\new\\N" + std::to_string(k) + ".BAT", "");
  });
}

// The whole catalogue replaced by one read from the same file, as a restore does.
void Replace(zorbi::Catalogue& c, const std::string& image) {
  zorbi::CatalogueData restored;
  std::vector<std::string> names;
  if (!zorbi::ReadCatalogueImage(restored, image, names)) std::abort();
  c.ReplaceTabs(std::move(names), std::move(restored.TabList), 0, 0);
}

void Restore(benchmark::State& state) {
  UndoRedo(state, static_cast<int>(state.range(0)), Replace);
}

// The same in the window: the grid let go of and shown again, and the
// background check asked about paths it has not seen.
void WindowDeleteFirst(benchmark::State& state) {
  zorbi::test::FormRig rig;
  std::vector<zorbi::test::ItemSpec> items;
  for (int i = 0; i < kItems; ++i)
    items.push_back({"C:\\jww\\T" + std::to_string(1000000 + i) + ".BAT"});
  rig.files.files[zorbi::test::FormRig::InDir("Z_Orbi.DAT")] =
      zorbi::test::DataFileWith({"Tab1"}, {items});
  zorbi::test::FakeFileCheck check;
  rig.form.UseFileCheck(&check);
  if (!rig.Create()) return state.SkipWithError("not created");
  rig.form.CheckFiles();
  rig.form.m1Click();
  for (auto _ : state) {
    rig.form.Undo1Click();
    rig.form.Redo1Click();
  }
}

// 50 steps of every kind, one of them a restore: the heap held beside the
// catalogue, as a share of the catalogue's own.
void FiftySteps(benchmark::State& state) {
  const std::string image = Image(50);
  for (auto _ : state) {
    const std::int64_t empty = live;
    zorbi::Catalogue c;
    Load(c, image);
    const std::int64_t own = live - empty;
    zorbi::CatalogueHistory history(c);
    for (int k = 0; k < 50; ++k) {
      const int t = k % 50;
      switch (k == 24 ? -1 : k % 7) {
        case -1:
          Replace(c, image);
          break;
        case 0:
          c.DeleteItem(t, 5);
          break;
        case 1:
          c.MoveItem(t, 0, 100);
          break;
        case 2:
          c.SetItemSummary(t, 3, "edited " + std::to_string(k));
          break;
        case 3:
          c.SetItemMemo(t, 4, "\"edited\",\"" + std::to_string(k) + "\"");
          break;
        case 4: {
          const zorbi::CatalogueHistory::Step step(&history);
          for (int n = 0; n < 100; ++n)
            c.AppendItem(t, "C:\\new\\N" + std::to_string(k * 100 + n) + ".BAT", "");
          break;
        }
        case 5:
          c.RenameTab(t, "renamed " + std::to_string(k));
          break;
        case 6:
          c.DeleteTab(t);
          break;
      }
    }
    const std::int64_t all = live - empty;
    // The catalogue as it is now, alone, as the next start reads it.
    const std::string current = zorbi::CatalogueImage(c.Data(), c.TabNameCount(), c.TabNames());
    const std::int64_t before = live;
    std::int64_t now = 0;
    {
      zorbi::Catalogue alone;
      Load(alone, current);
      now = live - before;
    }
    state.counters["steps"] = static_cast<double>(history.UndoSteps());
    state.counters["catalogue_MB"] = static_cast<double>(own) / 1e6;
    state.counters["history_MB"] = static_cast<double>(all - now) / 1e6;
    state.counters["history_vs_catalogue"] =
        static_cast<double>(all - now) / static_cast<double>(now);
  }
}

BENCHMARK(DeleteFirst)->Arg(1)->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(MoveLastToFirst)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(DeleteFirstTab)->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(Register1000)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Restore)->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(WindowDeleteFirst)->Unit(benchmark::kMillisecond);
BENCHMARK(FiftySteps)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
