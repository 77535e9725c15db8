// Registering a folder of 1,000 BAT files on a tab that already holds 1,000
// items, with the files in memory: the scan, the skip of paths already on the
// tab, the summaries and the new items. The same with the files on disk under
// Wine is bench/folder_timing.cpp (built under bench/wine).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "catalogue/registration.h"
#include "files/folder_registration.h"

namespace {

constexpr int kFiles = 1000;
const std::string kFolder = "C:\\JWW\\外部変形\\まとめ";

// One folder of BAT files, listed in no particular order.
struct MemoryFolder final : zorbi::FileSystem {
  std::map<std::string, std::string> files;
  std::vector<zorbi::FolderEntry> entries;
  MemoryFolder() {
    for (int i = 0; i < kFiles; ++i) {
      const std::string name = "変形" + std::to_string(100000 + i) + (i % 2 ? ".BAT" : ".bat");
      files[kFolder + "\\" + name] = "@REM 選択した図形を処理する " + std::to_string(i) +
                                     "\r\nREM #jww\r\nREM #cd\r\nREM #e\r\necho x\r\n";
      entries.push_back({name, false, false, name});
    }
    std::shuffle(entries.begin(), entries.end(), std::mt19937(1));
  }
  bool Exists(const std::string& path) override { return files.count(path) > 0; }
  std::optional<std::string> ReadAll(const std::string& path) override {
    const auto found = files.find(path);
    return found == files.end() ? std::nullopt : std::optional<std::string>(found->second);
  }
  bool ListFolder(const std::string& folder, std::vector<zorbi::FolderEntry>& out) override {
    out = folder == kFolder ? entries : std::vector<zorbi::FolderEntry>{};
    return folder == kFolder;
  }
  bool ReplaceAll(const std::string&, const std::string&, std::string&) override { return false; }
};

void RegisterFolder(benchmark::State& state) {
  MemoryFolder folder;
  std::vector<std::string> onTab;
  for (int i = 0; i < kFiles; ++i) onTab.push_back("C:\\JWW\\外部変形\\T" + std::to_string(i));
  for (auto _ : state) {
    zorbi::TMList tab;
    zorbi::FolderRead read = zorbi::ReadFolderBats(folder, {kFolder}, true, onTab);
    for (zorbi::FolderBat& bat : read.Bats)
      zorbi::AppendBatItem(tab, 0, std::move(bat.Path), std::move(bat.Summary));
    benchmark::DoNotOptimize(tab.Count());
  }
}
BENCHMARK(RegisterFolder)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
