// An item's text: its own bytes, or a view of the data file's bytes as read,
// which the item keeps alive. A catalogue read at start-up then costs no
// allocation per text; a text that is set or copied gets bytes of its own.
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>

namespace zorbi {

class ItemText {
 public:
  ItemText() = default;
  ItemText(std::string_view text) { Own(text); }
  ItemText(const std::string& text) { Own(text); }
  ItemText(const char* text) { Own(text); }

  // Views `bytes` from now on; they must outlive this text (the owning
  // item's Source).
  void ViewBytes(std::string_view bytes) noexcept {
    own_.reset();
    view_ = bytes;
  }

  // A copy never views: it may outlive the bytes the original views.
  ItemText(const ItemText& other) { Own(other.view_); }
  ItemText(ItemText&& other) {
    if (other.own_) {
      own_ = std::move(other.own_);
      view_ = std::exchange(other.view_, {});
    } else {
      Own(other.view_);
    }
  }
  ItemText& operator=(const ItemText& other) {
    if (this != &other) *this = ItemText(other);
    return *this;
  }
  ItemText& operator=(ItemText&& other) {
    if (this != &other) {
      ItemText taken(std::move(other));
      own_ = std::move(taken.own_);
      view_ = taken.view_;
    }
    return *this;
  }
  ~ItemText() = default;

  std::string_view View() const noexcept { return view_; }
  operator std::string_view() const noexcept { return view_; }
  operator std::string() const { return std::string(view_); }
  std::string str() const { return std::string(view_); }

  const char* data() const noexcept { return view_.data(); }
  std::size_t size() const noexcept { return view_.size(); }
  bool empty() const noexcept { return view_.empty(); }
  char operator[](std::size_t i) const noexcept { return view_[i]; }
  bool starts_with(std::string_view text) const noexcept { return view_.starts_with(text); }
  bool ends_with(std::string_view text) const noexcept { return view_.ends_with(text); }
  std::size_t find(std::string_view text, std::size_t from = 0) const noexcept {
    return view_.find(text, from);
  }
  std::size_t find(char c, std::size_t from = 0) const noexcept { return view_.find(c, from); }
  std::string substr(std::size_t from, std::size_t count = std::string::npos) const {
    return std::string(view_.substr(from, count));
  }
  void clear() noexcept {
    own_.reset();
    view_ = {};
  }

  friend bool operator==(const ItemText& a, const ItemText& b) noexcept {
    return a.view_ == b.view_;
  }
  friend bool operator==(const ItemText& a, std::string_view b) noexcept { return a.view_ == b; }
  friend bool operator==(const ItemText& a, const std::string& b) noexcept { return a.view_ == b; }
  friend bool operator==(const ItemText& a, const char* b) noexcept {
    return a.view_ == std::string_view(b);
  }
  friend std::string operator+(std::string a, const ItemText& b) { return a.append(b.view_); }
  friend std::string operator+(const ItemText& a, std::string_view b) {
    return std::string(a.view_).append(b);
  }
  friend std::string operator+(const ItemText& a, const char* b) {
    return std::string(a.view_).append(b);
  }
  friend std::string operator+(const char* a, const ItemText& b) {
    return std::string(a).append(b.view_);
  }
  friend std::ostream& operator<<(std::ostream& out, const ItemText& text) {
    return out << text.view_;
  }

 private:
  // Bytes of its own, exactly as long as the text: item texts are replaced
  // whole, never grown.
  void Own(std::string_view text) {
    if (text.empty()) {
      clear();
      return;
    }
    auto bytes = std::make_unique<char[]>(text.size());
    std::memcpy(bytes.get(), text.data(), text.size());
    view_ = std::string_view(bytes.get(), text.size());
    own_ = std::move(bytes);
  }

  std::unique_ptr<char[]> own_;
  std::string_view view_;  // of own_, or of the item's Source
};

}  // namespace zorbi
