// One record line, as the exchange reader hands it to the parsers: every
// record parser must agree with the line's token list. Much faster than the
// whole-file target, so a fault that needs one line just so is found here.
#include <cstdint>
#include <string_view>

#include "record_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  // The reader splits lines at LF; such an input is not one line.
  if (line.find('\n') != std::string_view::npos) return -1;
  zorbi::fuzz::CheckTokens(line);
  return 0;
}
