#include "forms/exchange_preload.h"

#include <system_error>
#include <utility>

namespace zorbi {

ExchangePreload::ExchangePreload(std::unique_ptr<FileSystem> files, std::string path)
    : files_(std::move(files)), path_(std::move(path)) {
  try {
    worker_ = std::thread([this] { Read(); });
  } catch (const std::system_error&) {
    // No thread to be had: Take reads on the caller's thread instead.
  }
}

ExchangePreload::~ExchangePreload() {
  stop_ = true;
  if (worker_.joinable()) worker_.join();
}

void ExchangePreload::Read() {
  try {
    const bool exists = files_->Exists(path_);
    std::optional<std::string> content = exists ? files_->ReadAll(path_) : std::nullopt;
    loaded_ = ReadExchangeFile(result_, exists, content, {false, &stop_});
  } catch (...) {
    // Raised again on the thread that takes the outcome, as if read there.
    failure_ = std::current_exception();
  }
}

bool ExchangePreload::Take(ExchangeState& state) {
  if (worker_.joinable())
    worker_.join();
  else if (!taken_)
    Read();
  taken_ = true;
  if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
  state = std::move(result_);
  return loaded_;
}

}  // namespace zorbi
