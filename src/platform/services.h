// Operating-system services the form logic uses besides files.
#pragma once

#include <string>

namespace zorbi {

enum class MessageKind { Plain, Information, Warning, Error };

// Modal message boxes owned by the main window, captioned with the
// application title, with one OK button.
struct MessageBoxes {
  virtual void ShowMessage(const std::string& text, MessageKind kind) = 0;
  virtual ~MessageBoxes() = default;
};

struct ScreenRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

struct System {
  // The program's own full path (CP932).
  virtual std::string ExePath() = 0;
  // The desktop area not covered by task bars.
  virtual ScreenRect WorkArea() = 0;
  virtual ~System() = default;
};

}  // namespace zorbi
