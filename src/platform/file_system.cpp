#include "platform/file_system.h"

#include <algorithm>

namespace zorbi {

bool TryWhileHeld(const std::function<bool()>& step, const std::function<bool()>& held,
                  const std::function<void(int)>& wait) {
  // Short waits first: a scanner lets go within milliseconds as a rule.
  for (int waited = 0, pause = 20;; pause = std::min(pause * 2, 250)) {
    if (step()) return true;
    if (!held() || waited >= HeldFileWaitMs) return false;
    pause = std::min(pause, HeldFileWaitMs - waited);
    wait(pause);
    waited += pause;
  }
}

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
    return entry == EntryKind::File &&
           TryWhileHeld([&] { return steps.WriteInPlace(path, bytes, error); },
                        [&] { return steps.Held(); }, [&](int ms) { steps.Wait(ms); });
  }
  if (file->Write(bytes, error) && file->Finish(error) &&
      TryWhileHeld([&] { return steps.Rename(temporary, path, error); },
                   [&] { return steps.Held(); }, [&](int ms) { steps.Wait(ms); }))
    return true;
  file.reset();
  steps.Remove(temporary);
  return false;
}

}  // namespace zorbi
