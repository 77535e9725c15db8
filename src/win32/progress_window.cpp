#include "progress_window.h"

#include <commctrl.h>

#include <condition_variable>
#include <exception>
#include <thread>

#include "cp932.h"

namespace zorbi::win32 {

namespace {

constexpr UINT kTextId = 100, kBarId = 101;
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTimerMilliseconds = 100;

}  // namespace

bool ProgressState::Report(std::int64_t done, std::int64_t total, const std::string& text) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    done_ = done;
    total_ = total;
    text_ = text;
  }
  return !cancelled_;
}

void ProgressState::Read(std::int64_t& done, std::int64_t& total, std::string& text) {
  const std::lock_guard<std::mutex> lock(mutex_);
  done = done_;
  total = total_;
  text = text_;
}

bool ProgressWindow::Create(HWND owner, const std::string& title) {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&classes);
  if (!CreateHidden(owner, L"TProgressForm", title, kSize, SizeOf::Client)) return false;
  text_ = AddControl(L"STATIC", "", SS_LEFT | SS_PATHELLIPSIS | SS_NOPREFIX, kTextId,
                     RECT{12, 12, 356, 20});
  bar_ = AddControl(PROGRESS_CLASSW, "", PBS_SMOOTH | PBS_MARQUEE, kBarId, RECT{12, 40, 356, 18});
  SendMessageW(bar_, PBM_SETMARQUEE, TRUE, 30);
  cancel_ = AddControl(L"BUTTON", "キャンセル", WS_TABSTOP | BS_DEFPUSHBUTTON, IDCANCEL,
                       RECT{284, 74, 84, 26});
  SetTimer(Handle(), kTimerId, kTimerMilliseconds, nullptr);
  return true;
}

void ProgressWindow::Update() {
  if (state_.Finished()) {
    Close();
    return;
  }
  std::int64_t done = 0, total = 0;
  std::string text;
  state_.Read(done, total, text);
  if (state_.Cancelled()) text = "キャンセルしています...";
  SetWindowTextW(text_, Widen(text).c_str());
  const bool marquee = total <= 0;
  if (marquee != marquee_) {
    marquee_ = marquee;
    const LONG_PTR style = GetWindowLongPtrW(bar_, GWL_STYLE);
    SetWindowLongPtrW(bar_, GWL_STYLE, marquee ? (style | PBS_MARQUEE) : (style & ~PBS_MARQUEE));
    SendMessageW(bar_, PBM_SETMARQUEE, marquee, 30);
  }
  if (!marquee) {
    // The bar's range is an int; large counts are shown in thousandths.
    SendMessageW(bar_, PBM_SETRANGE32, 0, 1000);
    SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(done * 1000 / total), 0);
  }
}

void ProgressWindow::RequestCancel() {
  // The window stays until the work has stopped: it may be writing nothing,
  // but its results must not be taken half-way.
  state_.Cancel();
  EnableWindow(cancel_, FALSE);
  Update();
}

void ProgressWindow::OnCommand(UINT id, UINT, HWND) {
  if (id == IDCANCEL) RequestCancel();
}

LRESULT ProgressWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_CLOSE) {  // the close box and Alt+F4 cancel too
    RequestCancel();
    return 0;
  }
  if (message == WM_TIMER && wparam == kTimerId) {
    Update();
    return 0;
  }
  return ModalWindow::HandleMessage(message, wparam, lparam);
}

void ProgressService::Run(const std::string& title,
                          const std::function<void(ProgressSink&)>& work) {
  ProgressState state;
  std::exception_ptr failure;
  std::mutex mutex;
  std::condition_variable ended;
  std::thread worker([&] {
    try {
      work(state);
    } catch (...) {
      failure = std::current_exception();
    }
    {
      const std::lock_guard<std::mutex> lock(mutex);
      state.Finish();
    }
    ended.notify_all();
  });
  bool quick = false;
  {
    std::unique_lock<std::mutex> lock(mutex);
    quick = ended.wait_for(lock, std::chrono::milliseconds(kQuietMilliseconds),
                           [&] { return state.Finished(); });
  }
  if (!quick) {
    ProgressWindow window(state);
    if (window.Create(owner_, title)) {
      window.ShowModal();
    }
  }
  worker.join();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace zorbi::win32
