// An item's text: its own bytes, or a view of the data file's bytes as read,
// which the item keeps alive. A catalogue read at start-up then costs no
// allocation per text; a text that is set or copied gets bytes of its own.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

namespace zorbi {

class ItemText {
 public:
  ItemText() = default;
  ItemText(std::string text) : own_(std::move(text)) {}
  ItemText(std::string_view text) : own_(text) {}
  ItemText(const char* text) : own_(text) {}
  // Views `bytes` from now on; they must outlive this text (the owning
  // item's Source).
  void ViewBytes(std::string_view bytes) noexcept {
    own_.clear();
    view_ = bytes;
    viewing_ = true;
  }

  // A copy never views: it may outlive the bytes the original views.
  ItemText(const ItemText& other) : own_(other.View()) {}
  ItemText(ItemText&& other) : own_(other.Take()) {}
  ItemText& operator=(const ItemText& other) {
    if (this != &other) *this = ItemText(other);
    return *this;
  }
  ItemText& operator=(ItemText&& other) {
    if (this != &other) {
      own_ = other.Take();
      viewing_ = false;
    }
    return *this;
  }
  ~ItemText() = default;

  std::string_view View() const noexcept { return viewing_ ? view_ : std::string_view(own_); }
  operator std::string_view() const noexcept { return View(); }
  operator std::string() const { return std::string(View()); }
  std::string str() const { return std::string(View()); }

  const char* data() const noexcept { return View().data(); }
  std::size_t size() const noexcept { return View().size(); }
  bool empty() const noexcept { return size() == 0; }
  char operator[](std::size_t i) const noexcept { return View()[i]; }
  void clear() { *this = ItemText(); }

  friend bool operator==(const ItemText& a, const ItemText& b) noexcept {
    return a.View() == b.View();
  }
  friend bool operator==(const ItemText& a, std::string_view b) noexcept { return a.View() == b; }
  friend bool operator==(const ItemText& a, const std::string& b) noexcept { return a.View() == b; }
  friend bool operator==(const ItemText& a, const char* b) noexcept {
    return a.View() == std::string_view(b);
  }
  friend std::string operator+(std::string a, const ItemText& b) { return a.append(b.View()); }
  friend std::string operator+(const ItemText& a, std::string_view b) {
    return std::string(a.View()).append(b);
  }
  friend std::string operator+(const ItemText& a, const char* b) {
    return std::string(a.View()).append(b);
  }
  friend std::string operator+(const char* a, const ItemText& b) {
    return std::string(a).append(b.View());
  }
  friend std::ostream& operator<<(std::ostream& out, const ItemText& text) {
    return out << text.View();
  }

 private:
  std::string Take() { return viewing_ ? std::string(view_) : std::move(own_); }

  std::string own_;
  std::string_view view_;
  bool viewing_ = false;
};

}  // namespace zorbi
