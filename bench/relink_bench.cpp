// Missing files at 100,000 items: the window's share of the background check
// (asking for every path, taking every answer), the search of a 100,000-file
// tree, the plan and the relink itself.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "catalogue/data_file.h"
#include "catalogue/relink.h"
#include "catalogue/relink_plan.h"
#include "fakes.h"
#include "files/folder_scan.h"
#include "form_test_util.h"

namespace {

using namespace zorbi;

constexpr int kItems = 100'000;

std::string OldPath(int i) {
  return "Z:\\old\\cat100k\\T" + std::to_string(1000000 + i) + ".BAT";
}

// 100 folders of 1,000 files each, listed from memory.
struct Tree : FileSystem {
  bool Exists(const std::string&) override { return false; }
  std::optional<std::string> ReadAll(const std::string&) override { return std::nullopt; }
  bool ReplaceAll(const std::string&, const std::string&, std::string&) override { return false; }
  bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) override {
    entries.clear();
    if (folder == "D:\\new") {
      for (int f = 0; f < 100; ++f) entries.push_back({"F" + std::to_string(f), true, false, ""});
      return true;
    }
    const int f = std::stoi(folder.substr(folder.rfind('F') + 1));
    for (int i = f * 1000; i < (f + 1) * 1000; ++i)
      entries.push_back({"t" + std::to_string(1000000 + i) + ".bat", false, false, ""});
    return true;
  }
};

std::unique_ptr<test::FormRig> Rig() {
  auto rig = std::make_unique<test::FormRig>();
  std::vector<test::ItemSpec> items;
  for (int i = 0; i < kItems; ++i) items.push_back({OldPath(i)});
  rig->files.files[test::FormRig::InDir("Z_Orbi.DAT")] = test::DataFileWith({"Tab1"}, {items});
  if (!rig->Create()) return nullptr;
  return rig;
}

// The window's share: asking for every path once it shows, then taking the
// answers (the paths looked up beforehand, as the worker does).
void CheckFiles(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto rig = Rig();
    test::FakeFileCheck check;
    rig->form.UseFileCheck(&check);
    state.ResumeTiming();
    rig->form.CheckFiles();
    state.PauseTiming();
    rig.reset();
    state.ResumeTiming();
  }
}

void TakeAnswers(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto rig = Rig();
    test::FakeFileCheck check;
    rig->form.UseFileCheck(&check);
    rig->form.CheckFiles();
    CheckedFiles part;
    part.Paths = std::move(check.asked);
    part.Exist.assign(part.Paths.size(), false);
    state.ResumeTiming();
    rig->form.FilesChecked({part});
    state.PauseTiming();
    rig.reset();
    state.ResumeTiming();
  }
}

void ScanTree(benchmark::State& state) {
  Tree tree;
  for (auto _ : state) {
    FolderScan scan = ScanFolder(tree, "D:\\new", true, "");
    if (scan.Files.size() != kItems) state.SkipWithError("files missed");
  }
}

void PlanAndRelink(benchmark::State& state) {
  Tree tree;
  const std::vector<std::string> found = ScanFolder(tree, "D:\\new", true, "").Files;
  for (auto _ : state) {
    state.PauseTiming();
    DataFileContents contents;
    contents.TabNames = {"Tab1"};
    contents.TabItems.resize(1);
    for (int i = 0; i < kItems; ++i) {
      auto item = std::make_unique<TMenuItem>();
      item->BatPath = OldPath(i);
      item->Position = i;
      contents.TabItems[0].push_back(std::move(item));
    }
    Catalogue c;
    c.Load(std::move(contents));
    state.ResumeTiming();
    const RelinkPlan plan =
        MakeRelinkPlan(MissingItems(c.Data(), [](const std::string&) { return true; }), found);
    if (c.RelinkItems(plan.Changes) != kItems) state.SkipWithError("items missed");
  }
}

BENCHMARK(CheckFiles)->Unit(benchmark::kMillisecond);
BENCHMARK(TakeAnswers)->Unit(benchmark::kMillisecond);
BENCHMARK(ScanTree)->Unit(benchmark::kMillisecond);
BENCHMARK(PlanAndRelink)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
