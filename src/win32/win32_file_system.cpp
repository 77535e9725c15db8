#include "win32_file_system.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <memory>

#include "cp932.h"
#include "text/long_path.h"

namespace zorbi {

namespace {

// Closes a file handle on every path out of a function.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { Close(); }

  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }
  bool Close() {
    if (!Valid()) return true;
    const bool closed = CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE handle_;
};

// The system's own wording for an error code, in CP932.
std::string SystemMessage(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text;
  if (length > 0 && buffer != nullptr) text.assign(buffer, length);
  if (buffer != nullptr) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
    text.pop_back();
  }
  char number[32];
  std::snprintf(number, sizeof number, "error %lu", static_cast<unsigned long>(code));
  const std::optional<std::string> narrow = Narrow(text);
  if (!narrow || narrow->empty()) return number;
  return *narrow + " (" + number + ")";
}

std::string Failure(const char* what, const std::string& path, DWORD code) {
  return std::string(what) + " " + path + ": " + SystemMessage(code);
}

// A name beside `path` (so the rename stays within one volume) that no other
// writer uses. Appended to the UTF-16 path: cutting the CP932 bytes at a backslash
// would go wrong, as a trail byte can be 0x5C too.
std::wstring TemporaryName(const std::wstring& path) {
  static std::atomic<unsigned> counter{0};
  wchar_t suffix[64];
  std::swprintf(suffix, sizeof suffix / sizeof suffix[0], L".%lx-%x.tmp",
                static_cast<unsigned long>(GetCurrentProcessId()), counter.fetch_add(1));
  return path + suffix;
}

// Absolute paths in the long form, so deep folders work up to the file
// system's own limit (the temporary name adds a few characters to the target's).
std::wstring SystemPath(const std::string& path) {
  return Widen(ExtendedLengthPath(path));
}

bool WriteAll(HANDLE file, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const size_t rest = bytes.size() - done;
    const DWORD chunk = rest > (1u << 30) ? (1u << 30) : static_cast<DWORD>(rest);
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) {
      return false;
    }
    done += written;
  }
  return true;
}

}  // namespace

bool Win32FileSystem::Exists(const std::string& path) {
  return Entry(path) == EntryKind::File;
}

EntryKind Win32FileSystem::Entry(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(SystemPath(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD code = GetLastError();
    return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND ? EntryKind::Missing
                                                                        : EntryKind::Other;
  }
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? EntryKind::Other : EntryKind::File;
}

std::optional<std::uint64_t> Win32FileSystem::Size(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(SystemPath(path).c_str(), GetFileExInfoStandard, &data)) {
    const DWORD code = GetLastError();
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return 0;
    return std::nullopt;
  }
  if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return std::nullopt;
  return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

std::optional<std::string> Win32FileSystem::ReadAll(const std::string& path) {
  return ReadHead(path, std::string::npos);
}

std::optional<std::string> Win32FileSystem::ReadHead(const std::string& path,
                                                     std::size_t maxBytes) {
  // Others may hold the file open for writing (the host keeps its files open);
  // one that holds it without sharing for a moment is waited for.
  HANDLE opened = INVALID_HANDLE_VALUE;
  TryWhileHeld(
      [&] {
        opened = CreateFileW(SystemPath(path).c_str(), GENERIC_READ,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (opened == INVALID_HANDLE_VALUE) Failed(path);
        return opened != INVALID_HANDLE_VALUE;
      },
      [&] { return Held(); }, [&](int ms) { Wait(ms); });
  FileHandle file(opened);
  if (!file.Valid()) return std::nullopt;
  std::string bytes;
  LARGE_INTEGER size{};
  if (GetFileSizeEx(file.Get(), &size) && size.QuadPart > 0 && size.QuadPart < (1LL << 31)) {
    bytes.reserve(std::min(static_cast<std::size_t>(size.QuadPart), maxBytes));
  }
  // Read to the end rather than trust the size: the file may change meanwhile.
  char buffer[64 * 1024];
  while (bytes.size() < maxBytes) {
    const std::size_t wanted = std::min(sizeof buffer, maxBytes - bytes.size());
    DWORD read = 0;
    if (!ReadFile(file.Get(), buffer, static_cast<DWORD>(wanted), &read, nullptr)) {
      return std::nullopt;
    }
    if (read == 0) break;
    bytes.append(buffer, read);
  }
  return bytes;
}

bool Win32FileSystem::ReadPieces(const std::string& path, std::size_t pieceBytes,
                                 const std::function<bool(std::string_view)>& take) {
  FileHandle file(CreateFileW(SystemPath(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return false;
  const DWORD wanted = static_cast<DWORD>(std::clamp<std::size_t>(pieceBytes, 1, 1u << 30));
  // One buffer for every piece, not zero-filled: only what ReadFile wrote is handed on.
  const std::unique_ptr<char[]> buffer = std::make_unique_for_overwrite<char[]>(wanted);
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file.Get(), buffer.get(), wanted, &read, nullptr)) return false;
    if (read == 0 || !take(std::string_view(buffer.get(), read))) return true;
  }
}

bool Win32FileSystem::ReadOnly(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(SystemPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

namespace {

class Win32NewFile final : public NewFile {
 public:
  Win32NewFile(HANDLE handle, std::string path) : file_(handle), path_(std::move(path)) {}
  bool Write(const std::string& bytes, std::string& error) override {
    if (WriteAll(file_.Get(), bytes)) return true;
    error = Failure("Cannot write", path_, GetLastError());
    return false;
  }
  bool Finish(std::string& error) override {
    if (!FlushFileBuffers(file_.Get())) {
      error = Failure("Cannot flush", path_, GetLastError());
      return false;
    }
    if (!file_.Close()) {
      error = Failure("Cannot close", path_, GetLastError());
      return false;
    }
    return true;
  }

 private:
  FileHandle file_;
  std::string path_;  // the file being replaced, for the messages
};

}  // namespace

std::unique_ptr<NewFile> Win32FileSystem::CreateTemporary(const std::string& path,
                                                          std::string& temporary,
                                                          std::string& error) {
  const std::wstring target = SystemPath(path);
  if (target.empty()) {
    error = "No file name given.";
    return nullptr;
  }
  DWORD code = ERROR_FILE_EXISTS;
  for (int attempt = 0; attempt < 100 && code == ERROR_FILE_EXISTS; ++attempt) {
    const std::wstring name = TemporaryName(target);
    const HANDLE created = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created != INVALID_HANDLE_VALUE) {
      const std::optional<std::string> narrow = Narrow(name);
      if (!narrow) {
        // The CP932 path plus an ASCII suffix always narrows; be safe anyway.
        CloseHandle(created);
        DeleteFileW(name.c_str());
        break;
      }
      temporary = *narrow;
      return std::make_unique<Win32NewFile>(created, path);
    }
    code = GetLastError();
  }
  error = Failure("Cannot create a temporary file for", path, code);
  return nullptr;
}

void Win32FileSystem::Failed(const std::string& path) {
  const DWORD code = GetLastError();
  lastError_ = code;
  lastReadOnly_ = ReadOnly(path);
  SetLastError(code);
}

bool Win32FileSystem::Held() const {
  // Access is denied, too, to a file another program is deleting or holds
  // without sharing; a read-only file stays refused.
  return lastError_ == ERROR_SHARING_VIOLATION || lastError_ == ERROR_LOCK_VIOLATION ||
         (lastError_ == ERROR_ACCESS_DENIED && !lastReadOnly_);
}

void Win32FileSystem::Wait(int milliseconds) {
  Sleep(static_cast<DWORD>(milliseconds));
}

bool Win32FileSystem::Rename(const std::string& from, const std::string& to, std::string& error) {
  if (MoveFileExW(SystemPath(from).c_str(), SystemPath(to).c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  Failed(to);
  error = Failure("Cannot replace", to, GetLastError());
  return false;
}

void Win32FileSystem::Remove(const std::string& path) {
  DeleteFileW(SystemPath(path).c_str());
}

bool Win32FileSystem::MakeFolder(const std::string& path, std::string& error) {
  const std::wstring folder = SystemPath(path);
  if (CreateDirectoryW(folder.c_str(), nullptr)) return true;
  const DWORD code = GetLastError();
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return true;
  error = Failure("Cannot make the folder", path, code);
  return false;
}

bool Win32FileSystem::RemoveFile(const std::string& path) {
  return DeleteFileW(SystemPath(path).c_str()) != 0;
}

bool Win32FileSystem::WriteInPlace(const std::string& path, const std::string& bytes,
                                   std::string& error) {
  FileHandle file(CreateFileW(SystemPath(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) {
    Failed(path);
    error = Failure("Cannot write", path, GetLastError());
    return false;
  }
  // Kept to put back should the new bytes not fit (a full disk).
  std::string old;
  char buffer[64 * 1024];
  for (DWORD read = 0; ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr) && read > 0;)
    old.append(buffer, read);
  const auto rewrite = [&](const std::string& content) {
    LARGE_INTEGER start{};
    return SetFilePointerEx(file.Get(), start, nullptr, FILE_BEGIN) &&
           WriteAll(file.Get(), content) && SetEndOfFile(file.Get()) &&
           FlushFileBuffers(file.Get());
  };
  if (rewrite(bytes)) return true;
  error = Failure("Cannot write", path, GetLastError());
  rewrite(old);
  return false;
}

bool Win32FileSystem::ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) {
  entries.clear();
  std::wstring pattern = SystemPath(folder);
  if (!pattern.empty() && pattern.back() != L'\\') pattern += L'\\';
  pattern += L'*';
  WIN32_FIND_DATAW found{};
  // Large fetches and no short names: a folder of many thousand files is
  // listed in a few calls.
  const HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    FolderEntry entry;
    entry.IsFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.IsLink = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    if (std::optional<std::string> narrow = Narrow(name)) {
      entry.Name = *narrow;
      entry.DisplayName = std::move(*narrow);
    } else {
      entry.DisplayName = NarrowForDisplay(name);
    }
    entries.push_back(std::move(entry));
  } while (FindNextFileW(search, &found));
  const DWORD ended = GetLastError();
  FindClose(search);
  return ended == ERROR_NO_MORE_FILES;
}

}  // namespace zorbi
