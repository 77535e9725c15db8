#include "files/file_check_worker.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace zorbi {

struct FileCheckWorker::Shared {
  std::unique_ptr<FileSystem> files;
  std::mutex mutex;
  std::condition_variable changed;
  std::function<void()> wake;  // guarded; emptied when the owner goes
  std::deque<std::vector<std::string>> jobs;
  std::vector<CheckedFiles> answers;
  bool running = false;
  bool stop = false;
};

FileCheckWorker::FileCheckWorker(std::unique_ptr<FileSystem> files, std::function<void()> wake)
    : shared_(std::make_shared<Shared>()) {
  shared_->files = std::move(files);
  shared_->wake = std::move(wake);
}

FileCheckWorker::~FileCheckWorker() {
  const std::lock_guard<std::mutex> lock(shared_->mutex);
  shared_->stop = true;
  shared_->wake = nullptr;
  shared_->changed.notify_all();
}

void FileCheckWorker::Start(std::vector<std::string> paths) {
  if (paths.empty()) return;
  const std::lock_guard<std::mutex> lock(shared_->mutex);
  shared_->jobs.push_back(std::move(paths));
  shared_->changed.notify_all();
  // The thread comes with the first check, after the window is up.
  if (!shared_->running) {
    shared_->running = true;
    std::thread(Run, shared_).detach();
  }
}

std::vector<CheckedFiles> FileCheckWorker::TakeAnswers() {
  const std::lock_guard<std::mutex> lock(shared_->mutex);
  std::vector<CheckedFiles> taken;
  taken.swap(shared_->answers);
  return taken;
}

void FileCheckWorker::Run(const std::shared_ptr<Shared>& shared) {
  std::unique_lock<std::mutex> lock(shared->mutex);
  for (;;) {
    shared->changed.wait(lock, [&] { return shared->stop || !shared->jobs.empty(); });
    if (shared->stop) return;
    std::vector<std::string> paths = std::move(shared->jobs.front());
    shared->jobs.pop_front();
    for (std::size_t at = 0; at < paths.size();) {
      CheckedFiles part;
      lock.unlock();
      for (; at < paths.size() && part.Paths.size() < kPartSize; ++at) {
        part.Exist.push_back(shared->files->Exists(paths[at]));
        part.Paths.push_back(std::move(paths[at]));
      }
      lock.lock();
      if (shared->stop) return;
      const bool wasEmpty = shared->answers.empty();
      shared->answers.push_back(std::move(part));
      if (wasEmpty && shared->wake) shared->wake();
    }
  }
}

}  // namespace zorbi
