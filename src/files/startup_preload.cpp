#include "files/startup_preload.h"

#include <system_error>
#include <utility>

namespace zorbi {

StartupPreload::StartupPreload(std::unique_ptr<FileSystem> files, std::string dataFile,
                               std::string exchangeFile, std::uint64_t workerFromBytes)
    : files_(std::move(files)),
      dataPath_(std::move(dataFile)),
      exchangePath_(std::move(exchangeFile)) {
  if (workerFromBytes > 0) {
    const std::optional<std::uint64_t> data = files_->Size(dataPath_);
    const std::optional<std::uint64_t> exchange = files_->Size(exchangePath_);
    if (data && exchange && *data < workerFromBytes && *exchange < workerFromBytes - *data) return;
  }
  try {
    worker_ = std::thread([this] { Run(); });
    // Back only once the worker runs: under Windows a new thread can't start
    // while a library is loading, and the caller goes on to load some.
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return running_; });
  } catch (const std::system_error&) {
    // No thread to be had: each Take reads on the caller's thread instead.
  }
}

StartupPreload::~StartupPreload() {
  stop_ = true;
  if (worker_.joinable()) worker_.join();
}

void StartupPreload::Run() {
  {
    const std::lock_guard lock(mutex_);
    running_ = true;
  }
  changed_.notify_all();
  ReadDataFile();
  {
    const std::lock_guard lock(mutex_);
    dataDone_ = true;
  }
  changed_.notify_all();
  if (!stop_) ReadExchange();
}

void StartupPreload::ReadDataFile() {
  try {
    if (std::optional<std::string> bytes = files_->ReadAll(dataPath_))
      data_.Bytes = std::make_shared<const std::string>(std::move(*bytes));
    // Start-up reads the file into a catalogue without tabs.
    if (data_.Bytes) data_.Parsed = ParseCatalogueImage(data_.Bytes, data_.Contents);
  } catch (...) {
    // Raised again on the thread that takes the outcome, as if read there.
    dataFailure_ = std::current_exception();
  }
}

void StartupPreload::ReadExchange() {
  try {
    const ExchangeReadOptions options{false, &stop_};
    const bool exists = files_->Exists(exchangePath_);
    bool read = false;
    if (exists) {
      // Read piece by piece through one buffer: the bytes are never needed again.
      ExchangePieceReader reader(exchange_, options);
      read = files_->ReadPieces(exchangePath_, kExchangePieceBytes, [&](std::string_view piece) {
        reader.Add(piece);
        return !stop_;
      });
      if (read) loaded_ = reader.Finish();
    }
    if (!read) {
      // No file, or one that fails to read: the latter ends as a file that
      // could not be read at all, whatever its first pieces held.
      exchange_ = ExchangeState();
      loaded_ = ReadExchangeFile(exchange_, exists, std::nullopt, options);
    }
  } catch (...) {
    exchangeFailure_ = std::current_exception();
  }
  exchangeDone_ = true;
}

StartupPreload::DataFile StartupPreload::TakeDataFile() {
  if (worker_.joinable()) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return dataDone_; });
  } else if (!dataDone_) {
    ReadDataFile();
    dataDone_ = true;
  }
  if (dataFailure_) std::rethrow_exception(std::exchange(dataFailure_, nullptr));
  return std::move(data_);
}

bool StartupPreload::TakeExchange(ExchangeState& state) {
  if (worker_.joinable())
    worker_.join();
  else if (!exchangeDone_)
    ReadExchange();
  if (exchangeFailure_) std::rethrow_exception(std::exchange(exchangeFailure_, nullptr));
  state = std::move(exchange_);
  return loaded_;
}

}  // namespace zorbi
