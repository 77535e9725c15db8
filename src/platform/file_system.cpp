#include "platform/file_system.h"

namespace zorbi {

bool ReplaceFile(FileSteps& steps, const std::string& path, const std::string& bytes,
                 std::string& error) {
  const EntryKind entry = steps.Entry(path);
  if (entry == EntryKind::Other) {
    error = path + ": not a file";
    return false;
  }
  if (entry == EntryKind::File && steps.ReadOnly(path)) {
    error = path + ": the file is read-only";
    return false;
  }
  std::string temporary;
  std::unique_ptr<NewFile> file = steps.CreateTemporary(path, temporary, error);
  if (!file) {
    // A folder the user may not add files to (a shared or protected one) can
    // still hold files the user may write.
    return entry == EntryKind::File && steps.WriteInPlace(path, bytes, error);
  }
  if (file->Write(bytes, error) && file->Finish(error) && steps.Rename(temporary, path, error))
    return true;
  file.reset();
  steps.Remove(temporary);
  return false;
}

}  // namespace zorbi
