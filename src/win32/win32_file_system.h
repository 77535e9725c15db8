// The file system on Windows: CP932 paths become UTF-16 at this boundary.
#pragma once

#include "platform/file_system.h"

namespace zorbi {

class Win32FileSystem final : public FileSystem, public FileSteps {
 public:
  // True for an existing file; false for a folder or nothing.
  bool Exists(const std::string& path) override;
  EntryKind Entry(const std::string& path) override;
  std::optional<std::uint64_t> Size(const std::string& path) override;
  std::optional<std::string> ReadAll(const std::string& path) override;
  // Reads no further than `maxBytes`: the exchange file can be large.
  std::optional<std::string> ReadHead(const std::string& path, std::size_t maxBytes) override;
  bool ReadPieces(const std::string& path, std::size_t pieceBytes,
                  const std::function<bool(std::string_view)>& take) override;
  bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) override;
  bool MakeFolder(const std::string& path, std::string& error) override;
  bool RemoveFile(const std::string& path) override;
  bool ReplaceAll(const std::string& path, const std::string& bytes, std::string& error) override {
    return ReplaceFile(*this, path, bytes, error);
  }

  bool ReadOnly(const std::string& path) override;
  std::unique_ptr<NewFile> CreateTemporary(const std::string& path, std::string& temporary,
                                           std::string& error) override;
  bool Rename(const std::string& from, const std::string& to, std::string& error) override;
  void Remove(const std::string& path) override;
  bool WriteInPlace(const std::string& path, const std::string& bytes, std::string& error) override;
  bool Held() const override;
  void Wait(int milliseconds) override;

 private:
  // Notes the error of a step that failed on `path`, and keeps it the last error.
  void Failed(const std::string& path);
  unsigned long lastError_ = 0;
  bool lastReadOnly_ = false;
};

}  // namespace zorbi
