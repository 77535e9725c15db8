#include "forms/host_handoff.h"

#include "exchange/exchange_writer.h"
#include "files/startup_preload.h"
#include "forms/save_question.h"

namespace zorbi {

void HostHandoff::Read(const std::string& path) {
  CreateExchangeLists(exchange_);
  // The records are checked and counted but not kept: the close writes only
  // the chaining lines, and nothing else ever reads them.
  if (preload_ != nullptr && preload_->ExchangePath() == path) {
    loaded_ = preload_->TakeExchange(exchange_);
    preload_ = nullptr;
  } else {
    const bool exists = files_.Exists(path);
    const std::optional<std::string> content = exists ? files_.ReadAll(path) : std::nullopt;
    loaded_ = ReadExchangeFile(exchange_, exists, content, {.KeepRecords = false});
  }
  if (loaded_) return;
  if (exchange_.ExchangeStatus == kExchangeReadError)
    messages_.ShowMessage(std::string(HostUnstableMessage), MessageKind::Error);
  else if (exchange_.ExchangeStatus == kExchangeNotHq)
    messages_.ShowMessage(std::string(ExchangeFileName) + std::string(ExchangeDamagedMessage),
                          MessageKind::Plain);
}

bool HostHandoff::Chain(const std::string& path, const std::string& batPath, bool info) {
  // A control byte in the path would hand the host further commands.
  if (!IsChainablePath(batPath)) {
    messages_.ShowMessage(std::string(UnchainablePathMessage), MessageKind::Warning);
    return true;
  }
  // Built afresh each time, so a retried close never doubles the lines.
  exchange_.OutputLines.clear();
  AddChainingLines(exchange_, batPath, info);
  std::string error;
  const ExchangeWrite written = WriteExchangeFile(
      exchange_, [&](const std::string& bytes) { return files_.ReplaceAll(path, bytes, error); });
  if (written == ExchangeWrite::Failed) return AskCloseWithoutSaving(messages_, path, error);
  return true;
}

}  // namespace zorbi
