// Throughput of the exchange-file reader against a plain line scan of the same
// bytes and against converting just their numbers, on files made by
// gen_exchange.py; and, with --peak FILE, the peak of heap memory while one
// file is loaded and read.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <new>
#include <sstream>
#include <string>

#include "exchange/exchange_reader.h"

namespace {

// Heap accounting for --peak: every block carries its size in front.
std::size_t liveBytes = 0;
std::size_t peakBytes = 0;
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* Allocate(std::size_t size) {
  auto* block = static_cast<char*>(std::malloc(size + kHeader));
  if (!block) throw std::bad_alloc();
  std::memcpy(block, &size, sizeof size);
  liveBytes += size;
  if (liveBytes > peakBytes) peakBytes = liveBytes;
  return block + kHeader;
}

void Release(void* p) noexcept {
  if (!p) return;
  char* block = static_cast<char*>(p) - kHeader;
  std::size_t size = 0;
  std::memcpy(&size, block, sizeof size);
  liveBytes -= size;
  std::free(block);
}

std::string Load(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return {};
  std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
  in.seekg(0);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

std::size_t CountLines(const std::string& bytes) {
  std::size_t lines = 0;
  const char* p = bytes.data();
  const char* end = p + bytes.size();
  while (p < end) {
    const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
    ++lines;
    if (!lf) break;
    p = static_cast<const char*>(lf) + 1;
  }
  return lines;
}

// Converts every blank-separated token that starts like a number: what the
// reader can't avoid doing, whatever else it does.
double ConvertNumbers(const std::string& bytes) {
  double sum = 0;
  const char* p = bytes.data();
  const char* end = p + bytes.size();
  while (p < end) {
    while (p < end && static_cast<unsigned char>(*p) <= ' ') ++p;
    const char* token = p;
    while (p<end&& static_cast<unsigned char>(*p)> ' ') ++p;
    if (token < p && ((*token >= '0' && *token <= '9') || *token == '-' || *token == '.')) {
      double value = 0;
      std::from_chars(token, p, value);
      sum += value;
    }
  }
  return sum;
}

void NumberScan(benchmark::State& state, const std::string* bytes) {
  for (auto _ : state) benchmark::DoNotOptimize(ConvertNumbers(*bytes));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes->size()));
}

void LineScan(benchmark::State& state, const std::string* bytes) {
  for (auto _ : state) benchmark::DoNotOptimize(CountLines(*bytes));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes->size()));
}

void ReadExchange(benchmark::State& state, const std::string* bytes, bool keep) {
  zorbi::ExchangeState exchange;
  for (auto _ : state) {
    zorbi::CreateExchangeLists(exchange);
    if (!zorbi::ReadExchangeBytes(exchange, *bytes, {.KeepRecords = keep}))
      state.SkipWithError("read failed");
    benchmark::DoNotOptimize(exchange.Counters.EntityCount);
    state.PauseTiming();
    zorbi::FreeExchangeLists(exchange);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes->size()));
}

void ReadKept(benchmark::State& state, const std::string* bytes) {
  ReadExchange(state, bytes, true);
}

// As the program reads: records checked and counted, none kept.
void ReadCounted(benchmark::State& state, const std::string* bytes) {
  ReadExchange(state, bytes, false);
}

int Peak(const std::string& path, bool keep) {
  const std::size_t before = peakBytes = liveBytes;
  const std::string bytes = Load(path);
  zorbi::ExchangeState exchange;
  zorbi::CreateExchangeLists(exchange);
  if (!zorbi::ReadExchangeBytes(exchange, bytes, {.KeepRecords = keep})) {
    std::fprintf(stderr, "%s: read failed, status %d\n", path.c_str(), exchange.ExchangeStatus);
    return 1;
  }
  const double input = static_cast<double>(bytes.size());
  std::printf("%s (%s): %zu bytes, %d entities; peak heap %.1f MB = %.2f bytes per input byte\n",
              path.c_str(), keep ? "records kept" : "as the program reads", bytes.size(),
              exchange.Counters.EntityCount, static_cast<double>(peakBytes - before) / 1e6,
              static_cast<double>(peakBytes - before) / input);
  return 0;
}

}  // namespace

void* operator new(std::size_t size) {
  return Allocate(size);
}
void* operator new[](std::size_t size) {
  return Allocate(size);
}
void operator delete(void* p) noexcept {
  Release(p);
}
void operator delete[](void* p) noexcept {
  Release(p);
}
void operator delete(void* p, std::size_t) noexcept {
  Release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  Release(p);
}

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--peak") == 0)
    return Peak(argv[2], true) | Peak(argv[2], false);

  const char* dir = std::getenv("ZORBI_BENCH_DATA");
  const std::string folder = dir ? dir : "build/bench/data";
  static std::string files[3];
  const int sizes[3] = {1, 10, 100};
  for (int i = 0; i < 3; ++i) {
    files[i] = Load(folder + "/exchange_" + std::to_string(sizes[i]) + "mb.txt");
    if (files[i].empty()) continue;
    const std::string size = std::to_string(sizes[i]) + "MB";
    benchmark::RegisterBenchmark(("LineScan/" + size).c_str(), LineScan, &files[i])
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("NumberScan/" + size).c_str(), NumberScan, &files[i])
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("ReadExchange/" + size).c_str(), ReadKept, &files[i])
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("ReadCounted/" + size).c_str(), ReadCounted, &files[i])
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
