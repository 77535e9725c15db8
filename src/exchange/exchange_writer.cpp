#include "exchange/exchange_writer.h"

#include "text/text_split.h"

namespace zorbi {

void AddOutputLine(ExchangeState& state, std::string_view line) {
  state.OutputLines.emplace_back(line);
}

std::string ExchangeFileImage(const std::vector<std::string>& lines) {
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  std::string image;
  image.reserve(size);
  for (const std::string& line : lines) image.append(line).append("\r\n");
  return image;
}

ExchangeWrite WriteExchangeFile(ExchangeState& state,
                                const std::function<bool(const std::string& bytes)>& replaceFile) {
  if (state.OutputLines.empty()) return ExchangeWrite::Nothing;
  if (!replaceFile(ExchangeFileImage(state.OutputLines))) return ExchangeWrite::Failed;
  state.OutputLines.clear();
  return ExchangeWrite::Written;
}

bool IsChainablePath(std::string_view path) {
  if (path.empty()) return false;
  for (const char c : path)
    if (static_cast<unsigned char>(c) < 0x20) return false;
  return true;
}

std::vector<std::string> ChainingLines(std::string_view pickedBatPath, bool info) {
  std::vector<std::string> lines;
  if (!IsChainablePath(pickedBatPath)) return lines;
  lines.push_back(std::string("h/").append(pickedBatPath));
  if (info) lines.push_back("h#" + FileNamePart(pickedBatPath).append(kStartNotice));
  return lines;
}

bool AddChainingLines(ExchangeState& state, std::string_view pickedBatPath, bool info) {
  std::vector<std::string> lines = ChainingLines(pickedBatPath, info);
  if (lines.empty()) return false;
  for (std::string& line : lines) state.OutputLines.push_back(std::move(line));
  return true;
}

}  // namespace zorbi
