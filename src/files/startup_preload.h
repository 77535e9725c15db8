// Reading the catalogue and the host's exchange file while the window is
// being built: a large catalogue or drawing takes as long to parse as the
// window takes to appear.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "catalogue/data_file.h"
#include "exchange/exchange_reader.h"
#include "platform/file_system.h"

namespace zorbi {

class StartupPreload {
 public:
  // Starts reading the data file, then the exchange file, on a worker thread
  // through `files`, which the worker uses alone until both are taken. When
  // the two together are known to hold fewer than `workerFromBytes` bytes,
  // each is read where it is taken instead: a thread takes longer to start.
  StartupPreload(std::unique_ptr<FileSystem> files, std::string dataFile, std::string exchangeFile,
                 std::uint64_t workerFromBytes = 0);
  StartupPreload(const StartupPreload&) = delete;
  StartupPreload& operator=(const StartupPreload&) = delete;
  // A read still running (the program ends before it needs the file) is stopped.
  ~StartupPreload();

  const std::string& DataFilePath() const { return dataPath_; }
  const std::string& ExchangePath() const { return exchangePath_; }

  struct DataFile {
    std::shared_ptr<const std::string> Bytes;  // null: it could not be read
    bool Parsed = false;                       // as for a catalogue without tabs
    DataFileContents Contents;
  };
  // Waits for the data file only. Only once.
  DataFile TakeDataFile();

  // The exchange file is read in pieces of this size into one buffer.
  static constexpr std::size_t kExchangePieceBytes = 256 * 1024;

  // Waits for the exchange file. `state` becomes what ReadExchangeFile would
  // have made of a fresh state, records not kept; returns what it would have
  // returned. Only once.
  bool TakeExchange(ExchangeState& state);

 private:
  void Run();
  void ReadDataFile();
  void ReadExchange();

  std::unique_ptr<FileSystem> files_;
  std::string dataPath_;
  std::string exchangePath_;

  DataFile data_;
  std::exception_ptr dataFailure_;
  bool running_ = false;   // guarded by mutex_
  bool dataDone_ = false;  // guarded by mutex_
  std::mutex mutex_;
  std::condition_variable changed_;

  ExchangeState exchange_;
  bool loaded_ = false;
  bool exchangeDone_ = false;
  std::exception_ptr exchangeFailure_;
  std::atomic<bool> stop_{false};
  std::thread worker_;
};

}  // namespace zorbi
