// Reading the host's exchange file while the window is being built: a large
// drawing takes as long to parse as the window takes to appear.
#pragma once

#include <atomic>
#include <exception>
#include <memory>
#include <string>
#include <thread>

#include "exchange/exchange_reader.h"
#include "platform/file_system.h"

namespace zorbi {

class ExchangePreload {
 public:
  // Starts reading `path` on a worker thread, through `files`, which the
  // worker uses alone until Take returns.
  ExchangePreload(std::unique_ptr<FileSystem> files, std::string path);
  ExchangePreload(const ExchangePreload&) = delete;
  ExchangePreload& operator=(const ExchangePreload&) = delete;
  // A read still running (the program ends before it needs the file) is stopped.
  ~ExchangePreload();

  const std::string& Path() const { return path_; }

  // Waits for the read. `state` becomes what ReadExchangeFile would have made
  // of a fresh state, records not kept; returns what it would have returned.
  // Only once.
  bool Take(ExchangeState& state);

 private:
  void Read();

  std::unique_ptr<FileSystem> files_;
  std::string path_;
  ExchangeState result_;
  bool loaded_ = false;
  bool taken_ = false;
  std::exception_ptr failure_;
  std::atomic<bool> stop_{false};
  std::thread worker_;
};

}  // namespace zorbi
