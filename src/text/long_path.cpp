#include "text/long_path.h"

#include <vector>

#include "text/sjis.h"

namespace zorbi {

namespace {

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

bool IsDriveLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The parts of `path` between separators. A trail byte of 0x5C is part of its
// character, not a separator.
std::vector<std::string_view> Parts(std::string_view path) {
  std::vector<std::string_view> parts;
  std::size_t start = 0, i = 0;
  while (i < path.size()) {
    const std::size_t length = SjisCharLen(path, i);
    if (length == 1 && IsSeparator(path[i])) {
      parts.push_back(path.substr(start, i - start));
      start = i + 1;
    }
    i += length;
  }
  parts.push_back(path.substr(start));
  return parts;
}

}  // namespace

std::string ExtendedLengthPath(std::string_view path) {
  const std::string unchanged(path);
  if (path.size() >= 4 && path[0] == '\\' && path[1] == '\\' &&
      (path[2] == '?' || path[2] == '.') && path[3] == '\\')
    return unchanged;

  std::string result;
  std::size_t fixed = 0;  // parts that ".." never removes: the share's two
  std::vector<std::string_view> parts;
  if (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == ':' && IsSeparator(path[2])) {
    result = std::string("\\\\?\\") + path[0] + ":";
    parts = Parts(path.substr(3));
  } else if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    parts = Parts(path.substr(2));
    if (parts.size() < 2 || parts[0].empty() || parts[1].empty() || parts[0] == "." ||
        parts[0] == ".." || parts[1] == "." || parts[1] == "..")
      return unchanged;
    result = "\\\\?\\UNC";
    fixed = 2;
  } else {
    return unchanged;
  }

  std::vector<std::string_view> kept;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const std::string_view part = parts[i];
    if (i >= fixed && (part.empty() || part == ".")) continue;
    if (i >= fixed && part == "..") {
      if (kept.size() > fixed) kept.pop_back();
      continue;
    }
    if (part.back() == '.' || part.back() == ' ') return unchanged;
    kept.push_back(part);
  }
  if (kept.empty()) return result + "\\";  // the drive's root
  for (const std::string_view part : kept) {
    result += '\\';
    result += part;
  }
  return result;
}

}  // namespace zorbi
