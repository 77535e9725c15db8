// An immutable byte string that records holding the same text share: a
// record's layer key, hhp line or message tag is usually the same as its
// neighbours', and a large drawing has millions of records.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace zorbi {

// Reference counted without atomics: records live on the one GUI thread.
class SharedText {
 public:
  SharedText() = default;
  explicit SharedText(std::string_view text)
      : rep_(text.empty() ? nullptr : new Rep{1, std::string(text)}) {}
  SharedText(const SharedText& other) noexcept : rep_(other.rep_) {
    if (rep_) ++rep_->refs;
  }
  SharedText(SharedText&& other) noexcept : rep_(std::exchange(other.rep_, nullptr)) {}
  SharedText& operator=(SharedText other) noexcept {
    std::swap(rep_, other.rep_);
    return *this;
  }
  ~SharedText() {
    if (rep_ && --rep_->refs == 0) delete rep_;
  }

  std::string_view view() const { return rep_ ? std::string_view(rep_->text) : std::string_view(); }
  operator std::string_view() const { return view(); }
  std::string str() const { return std::string(view()); }
  bool empty() const { return rep_ == nullptr; }
  std::size_t size() const { return view().size(); }
  // True when both hold the very same shared copy (or are both empty).
  bool SameAs(const SharedText& other) const { return rep_ == other.rep_; }

  friend bool operator==(const SharedText& a, std::string_view b) { return a.view() == b; }
  friend bool operator==(const SharedText& a, const SharedText& b) { return a.view() == b.view(); }

 private:
  struct Rep {
    std::size_t refs;
    std::string text;
  };
  Rep* rep_ = nullptr;
};

}  // namespace zorbi
