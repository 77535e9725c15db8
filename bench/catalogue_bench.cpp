// The catalogue's files at 100,000 items: the start-up parse of Z_Orbi.DAT,
// adding the parse to the catalogue, and the two images written at close,
// against a copy of the same bytes.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "catalogue/data_file.h"
#include "catalogue/path_txt.h"

namespace {

constexpr int kItems = 100'000;

// A catalogue as bench/startup makes it: one tab, long paths, short texts.
std::string Image() {
  zorbi::CatalogueData catalogue;
  catalogue.TabList.push_back(std::make_unique<zorbi::TMList>());
  for (int p = 0; p < kItems; ++p) {
    auto item = std::make_unique<zorbi::TMenuItem>();
    item->BatPath =
        "Z:\\tmp\\zorbi-startup.AbCdEf\\cat100k\\T" + std::to_string(1000000 + p) + ".BAT";
    item->Summary = "summary " + std::to_string(p);
    item->Position = p;
    item->Memo = "\"memo\"";
    item->PickState = p == 0 ? 2 : 0;
    zorbi::AddItem(*catalogue.TabList[0], std::move(item));
  }
  return zorbi::CatalogueImage(catalogue, 1, {"Tab1"});
}

const std::string& SharedImage() {
  static const std::string image = Image();
  return image;
}

void CopyBytes(benchmark::State& state) {
  const std::string& image = SharedImage();
  for (auto _ : state) {
    std::string copy(image.size(), '\0');
    std::memcpy(copy.data(), image.data(), image.size());
    benchmark::DoNotOptimize(copy.data());
  }
}

void ParseDataFile(benchmark::State& state) {
  const std::string& image = SharedImage();
  for (auto _ : state) {
    zorbi::DataFileContents contents;
    if (!zorbi::ParseCatalogueImage(image, contents)) state.SkipWithError("refused");
    benchmark::DoNotOptimize(contents.TabItems.data());
  }
}

void ParseAndAdd(benchmark::State& state) {
  const std::string& image = SharedImage();
  for (auto _ : state) {
    zorbi::CatalogueData catalogue;
    std::vector<std::string> names;
    if (!zorbi::ReadCatalogueImage(catalogue, image, names)) state.SkipWithError("refused");
    benchmark::DoNotOptimize(catalogue.TabList.data());
  }
}

void WriteImages(benchmark::State& state) {
  zorbi::CatalogueData catalogue;
  std::vector<std::string> names;
  if (!zorbi::ReadCatalogueImage(catalogue, SharedImage(), names)) state.SkipWithError("refused");
  for (auto _ : state) {
    std::string data = zorbi::CatalogueImage(catalogue, 1, names);
    std::string text = zorbi::PathTxtImage(names, catalogue.TabList);
    benchmark::DoNotOptimize(data.data());
    benchmark::DoNotOptimize(text.data());
  }
}

BENCHMARK(CopyBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(ParseDataFile)->Unit(benchmark::kMillisecond);
BENCHMARK(ParseAndAdd)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteImages)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
