#include "cp932.h"

#include <windows.h>

#include <climits>

#include "text/display_text.h"

namespace zorbi {

namespace {
constexpr UINT kCodePage = 932;
}

std::wstring Widen(const std::string& cp932) {
  if (cp932.empty() || cp932.size() > INT_MAX) return {};
  const int size = static_cast<int>(cp932.size());
  const int length = MultiByteToWideChar(kCodePage, 0, cp932.data(), size, nullptr, 0);
  if (length <= 0) return {};
  std::wstring utf16(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(kCodePage, 0, cp932.data(), size, utf16.data(), length);
  return utf16;
}

std::optional<std::string> Narrow(const std::wstring& utf16) {
  if (utf16.empty()) return std::string();
  if (utf16.size() > INT_MAX) return std::nullopt;
  const int size = static_cast<int>(utf16.size());
  BOOL used_default = FALSE;
  const int length = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, utf16.data(), size,
                                         nullptr, 0, nullptr, &used_default);
  if (length <= 0 || used_default) return std::nullopt;
  std::string cp932(static_cast<size_t>(length), '\0');
  used_default = FALSE;
  WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, utf16.data(), size, cp932.data(), length,
                      nullptr, &used_default);
  if (used_default) return std::nullopt;
  return cp932;
}

char32_t FirstUnrepresentable(const std::wstring& utf16) {
  for (std::size_t i = 0; i < utf16.size();) {
    const char32_t high = utf16[i];
    const bool pair = high >= 0xD800 && high <= 0xDBFF && i + 1 < utf16.size() &&
                      utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF;
    const std::size_t length = pair ? 2 : 1;
    if (!Narrow(utf16.substr(i, length)))
      return pair ? 0x10000 + ((high - 0xD800) << 10) + (utf16[i + 1] - 0xDC00) : high;
    i += length;
  }
  return 0;
}

std::string NarrowForDisplay(const std::wstring& utf16) {
  if (std::optional<std::string> whole = Narrow(utf16)) return *whole;
  std::string shown;
  for (std::size_t i = 0; i < utf16.size();) {
    const char32_t high = utf16[i];
    const bool pair = high >= 0xD800 && high <= 0xDBFF && i + 1 < utf16.size() &&
                      utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF;
    const std::size_t length = pair ? 2 : 1;
    if (std::optional<std::string> one = Narrow(utf16.substr(i, length)))
      shown += *one;
    else
      shown += KeptChar(pair ? 0x10000 + ((high - 0xD800) << 10) + (utf16[i + 1] - 0xDC00) : high);
    i += length;
  }
  return shown;
}

std::wstring WidenForDisplay(const std::string& text) {
  std::wstring wide;
  for (const DisplayPiece& piece : DisplayPieces(text)) {
    if (piece.Char == 0) {
      wide += Widen(std::string(piece.Bytes));
    } else if (piece.Char >= 0x10000) {
      wide += static_cast<wchar_t>(0xD800 + ((piece.Char - 0x10000) >> 10));
      wide += static_cast<wchar_t>(0xDC00 + ((piece.Char - 0x10000) & 0x3FF));
    } else {
      wide += static_cast<wchar_t>(piece.Char);
    }
  }
  return wide;
}

}  // namespace zorbi
