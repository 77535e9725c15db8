// Long work on a worker thread, with a progress window over the main window
// once it takes longer than a moment.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "modal_window.h"
#include "platform/services.h"

namespace zorbi::win32 {

class ProgressService final : public ProgressRunner {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  void Run(const std::string& title, const std::function<void(ProgressSink&)>& work) override;

  // How long work may run before the window shows.
  static constexpr DWORD kQuietMilliseconds = 300;

 private:
  HWND owner_ = nullptr;
};

// What the worker reports and the window shows; shared between the threads.
class ProgressState final : public ProgressSink {
 public:
  bool Report(std::int64_t done, std::int64_t total, const std::string& text) override;
  void Cancel() { cancelled_ = true; }
  bool Cancelled() const { return cancelled_; }
  void Finish() { finished_ = true; }
  bool Finished() const { return finished_; }
  void Read(std::int64_t& done, std::int64_t& total, std::string& text);

 private:
  std::mutex mutex_;
  std::int64_t done_ = 0, total_ = 0;
  std::string text_;
  std::atomic<bool> cancelled_{false};
  std::atomic<bool> finished_{false};
};

class ProgressWindow final : public ModalWindow {
 public:
  explicit ProgressWindow(ProgressState& state) : state_(state) {}
  ~ProgressWindow() override { DestroyHandle(); }
  bool Create(HWND owner, const std::string& title);

  static constexpr SIZE kSize{380, 112};  // client area, 96 DPI

 private:
  void Update();
  void RequestCancel();
  void OnCommand(UINT id, UINT code, HWND control) override;
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

  ProgressState& state_;
  HWND text_ = nullptr, bar_ = nullptr, cancel_ = nullptr;
  bool marquee_ = true;
};

}  // namespace zorbi::win32
