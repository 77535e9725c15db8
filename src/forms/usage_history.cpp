#include "forms/usage_history.h"

#include "text/text_split.h"

namespace zorbi {

std::string UsageHistory::Path() const {
  const std::string exe = sys_.ExePath();
  return exe.substr(0, exe.size() - FileNamePart(exe).size()) + std::string(UsageFileName);
}

UsageLog& UsageHistory::Log() {
  if (!log_) {
    log_.emplace();
    const std::optional<std::string> bytes = files_.ReadAll(Path());
    if (bytes) log_->Parse(*bytes);
  }
  return *log_;
}

std::function<double(std::string_view path)> UsageHistory::ScoresNow() {
  const UsageLog& log = Log();
  const std::int64_t now = sys_.UnixTime();
  return [&log, now](std::string_view path) { return log.Score(path, now); };
}

void UsageHistory::Launched(std::string_view path) {
  Log().Record(path, sys_.UnixTime());
}

void UsageHistory::Relinked(std::string_view oldPath, std::string_view newPath) {
  Log().Relink(oldPath, newPath);
}

void UsageHistory::Save() {
  if (!log_ || !log_->Changed()) return;
  std::string error;
  files_.ReplaceAll(Path(), log_->Image(), error);
}

}  // namespace zorbi
