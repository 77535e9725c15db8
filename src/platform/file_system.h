// What the program asks of the file system. Paths are CP932 byte strings;
// the Win32 implementation converts them to UTF-16 at the boundary.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorbi {

// What a name in a folder stands for. Other: a folder, or an entry the system
// will not describe; neither may be taken for a missing file.
enum class EntryKind { Missing, File, Other };

// One name in a folder.
struct FolderEntry {
  std::string Name;  // CP932; empty when the name has no CP932 form
  bool IsFolder = false;
  // A link to another place (a junction or symbolic link): a walk below a
  // folder does not follow it, as it may lead back up and never end.
  bool IsLink = false;
  std::string DisplayName;  // for messages, with unrepresentable characters replaced
};

struct FileSystem {
  virtual bool Exists(const std::string& path) = 0;
  virtual EntryKind Entry(const std::string& path) {
    return Exists(path) ? EntryKind::File : EntryKind::Missing;
  }

  // The file's size in bytes, 0 when it is missing; nullopt when that can't
  // be told.
  virtual std::optional<std::uint64_t> Size(const std::string& /*path*/) { return std::nullopt; }

  // The whole file, or nullopt when it is missing or cannot be read.
  virtual std::optional<std::string> ReadAll(const std::string& path) = 0;

  // At most the first `maxBytes` bytes of the file, or nullopt when it is
  // missing or cannot be read. For a first line without reading a big file.
  virtual std::optional<std::string> ReadHead(const std::string& path, std::size_t maxBytes) {
    std::optional<std::string> all = ReadAll(path);
    if (all && all->size() > maxBytes) all->resize(maxBytes);
    return all;
  }

  // Hands the file to `take` in order, in pieces of at most `pieceBytes`
  // bytes that are valid only during the call, so a large file is never held
  // whole. `take` returns false to read no further. False when the file is
  // missing or cannot be read, which may come after some pieces.
  virtual bool ReadPieces(const std::string& path, std::size_t pieceBytes,
                          const std::function<bool(std::string_view)>& take) {
    const std::optional<std::string> all = ReadAll(path);
    if (!all) return false;
    const std::string_view bytes(*all);
    for (std::size_t at = 0; at < bytes.size(); at += pieceBytes)
      if (!take(bytes.substr(at, pieceBytes))) break;
    return true;
  }

  // The names in `folder` ("." and ".." left out), in no particular order.
  // False when the folder is missing or cannot be listed.
  virtual bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) {
    (void)folder;
    entries.clear();
    return false;
  }

  // Makes the folder when it is not there. False, with `error` saying why,
  // when there is no folder of that name afterwards.
  virtual bool MakeFolder(const std::string& path, std::string& error) {
    error = path + ": folders cannot be made here";
    return false;
  }

  // Deletes a file; false when it could not be deleted.
  virtual bool RemoveFile(const std::string& /*path*/) { return false; }

  // Replaces the whole file (ReplaceFile below). On failure the old file is
  // untouched and `error` tells why.
  virtual bool ReplaceAll(const std::string& path, const std::string& bytes,
                          std::string& error) = 0;

  virtual ~FileSystem() = default;
};

// A new file being written.
struct NewFile {
  virtual bool Write(const std::string& bytes, std::string& error) = 0;
  // Flushes the bytes to the disk and closes the file.
  virtual bool Finish(std::string& error) = 0;
  virtual ~NewFile() = default;
};

// The steps a replace is made of, each of which can fail on its own.
struct FileSteps {
  virtual EntryKind Entry(const std::string& path) = 0;
  virtual bool ReadOnly(const std::string& path) = 0;
  // An empty file beside `path` whose name no one else uses; nullptr when the
  // folder refuses it.
  virtual std::unique_ptr<NewFile> CreateTemporary(const std::string& path, std::string& temporary,
                                                   std::string& error) = 0;
  // Moves `from` over `to`, replacing it.
  virtual bool Rename(const std::string& from, const std::string& to, std::string& error) = 0;
  virtual void Remove(const std::string& path) = 0;
  // Overwrites the existing file with `bytes`; on failure it puts the old
  // bytes back as far as it can.
  virtual bool WriteInPlace(const std::string& path, const std::string& bytes,
                            std::string& error) = 0;
  // The last step failed because another program holds the file for a
  // moment (a virus scanner, a search indexer, a sync client): worth trying
  // again shortly.
  virtual bool Held() const { return false; }
  // Waits before a held file is tried again.
  virtual void Wait(int milliseconds) { (void)milliseconds; }
  virtual ~FileSteps() = default;
};

// Writes `bytes` to a temporary file beside `path`, flushes it and renames it
// over `path`, so a failure leaves the old file as it was and no temporary
// file behind. When the folder refuses the temporary file but the file itself
// is writable, the file is written in place. A read-only file is never
// replaced: Windows refuses that, and Wine must not do it either. A file held
// by another program for a moment is tried again (TryWhileHeld).
bool ReplaceFile(FileSteps& steps, const std::string& path, const std::string& bytes,
                 std::string& error);

// The most a step waits in all for a file another program holds.
inline constexpr int HeldFileWaitMs = 2000;

// Runs `step` until it succeeds, fails for another reason than a held file,
// or the waits between tries reach HeldFileWaitMs.
bool TryWhileHeld(const std::function<bool()>& step, const std::function<bool()>& held,
                  const std::function<void(int)>& wait);

}  // namespace zorbi
