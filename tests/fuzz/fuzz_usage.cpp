// Any bytes as Z_Orbi.use: a file that is taken writes back to bytes that
// read back the same, keeps at most the bounded number of files, and gives
// each a finite score that only fades; a refused file keeps nothing.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "catalogue/usage_log.h"

using namespace zorbi;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  UsageLog log;
  if (!log.Parse(bytes)) {
    if (log.Size() != 0) std::abort();
    return 0;
  }
  if (log.Size() > MaxUsageEntries || log.Changed()) std::abort();
  const std::string image = log.Image();
  UsageLog again;
  if (!again.Parse(image) || again.Image() != image) std::abort();
  // The last line's path, scored now and later.
  const std::size_t tab = image.rfind('\t');
  if (tab != std::string::npos) {
    const std::string path = image.substr(tab + 1, image.size() - tab - 3);
    const double now = again.Score(path, 2'000'000'000), later = again.Score(path, 2'100'000'000);
    if (!std::isfinite(now) || now < 0 || later > now) std::abort();
  }
  again.Record("C:\\x.bat", 2'000'000'000);
  if (again.Size() > MaxUsageEntries || !again.Changed()) std::abort();
  return 0;
}
