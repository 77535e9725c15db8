// FileCheck on a worker thread of its own, with a FileSystem of its own.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_check.h"
#include "platform/file_system.h"

namespace zorbi {

class FileCheckWorker final : public FileCheck {
 public:
  // `files` is used by the worker alone. `wake` is called on the worker's
  // thread whenever answers begin to wait: the window posts itself a message
  // and takes them on its own thread.
  FileCheckWorker(std::unique_ptr<FileSystem> files, std::function<void()> wake);
  FileCheckWorker(const FileCheckWorker&) = delete;
  FileCheckWorker& operator=(const FileCheckWorker&) = delete;
  // Wakes no one any more. A file being checked is not waited for: on a
  // network drive that is gone it can take half a minute.
  ~FileCheckWorker() override;

  void Start(std::vector<std::string> paths) override;
  // The answers so far, in order; the first paths of a long list come back
  // before the rest is checked.
  std::vector<CheckedFiles> TakeAnswers();

  static constexpr std::size_t kPartSize = 512;

 private:
  struct Shared;
  static void Run(const std::shared_ptr<Shared>& shared);
  std::shared_ptr<Shared> shared_;
};

}  // namespace zorbi
