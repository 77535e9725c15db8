// Whether files exist, found away from the window's thread: a catalogue of
// many items, or one on a slow network drive, never holds the window up.
#pragma once

#include <string>
#include <vector>

namespace zorbi {

// One part of the answers, in the order the paths were asked.
struct CheckedFiles {
  std::vector<std::string> Paths;
  std::vector<bool> Exist;  // one per path
};

struct FileCheck {
  // Starts finding which of `paths` exist. The answers reach the form later,
  // on its own thread and between its handlers (TForm1::FilesChecked).
  virtual void Start(std::vector<std::string> paths) = 0;
  virtual ~FileCheck() = default;
};

}  // namespace zorbi
