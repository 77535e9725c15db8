// What the program asks of the file system. Paths are CP932 byte strings;
// the Win32 implementation converts them to UTF-16 at the boundary.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace zorbi {

struct FileSystem {
  virtual bool Exists(const std::string& path) = 0;

  // The whole file, or nullopt when it is missing or cannot be read.
  virtual std::optional<std::string> ReadAll(const std::string& path) = 0;

  // At most the first `maxBytes` bytes of the file, or nullopt when it is
  // missing or cannot be read. For a first line without reading a big file.
  virtual std::optional<std::string> ReadHead(const std::string& path, std::size_t maxBytes) {
    std::optional<std::string> all = ReadAll(path);
    if (all && all->size() > maxBytes) all->resize(maxBytes);
    return all;
  }

  // Replaces the file atomically: the bytes go to a temporary file in the same
  // folder, are flushed, and the temporary file is renamed over `path`. On
  // failure the old file is untouched and `error` tells why.
  virtual bool ReplaceAll(const std::string& path, const std::string& bytes,
                          std::string& error) = 0;

  virtual ~FileSystem() = default;
};

}  // namespace zorbi
