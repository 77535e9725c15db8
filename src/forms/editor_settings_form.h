// TForm4: the editor and the AWK folder. Only its two 参照 buttons change
// the settings; text typed into its boxes is not taken over.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/controls.h"
#include "platform/services.h"

namespace zorbi {

inline constexpr std::string_view EditorFilter = "エディター(.exe)|*.exe";
inline constexpr std::string_view AwkFilter = "AWKスクリプト(.awk)|*.awk";

struct EditorSettingsControls {
  EditBox& Edit1;  // the editor's file name
  EditBox& Edit2;  // AWKPath
};

class TForm4 {
 public:
  // `editor` and `awkPath` are the main window's settings, changed in place.
  TForm4(const EditorSettingsControls& controls, std::string& editor, std::string& awkPath,
         FileDialogs& dialogs, MessageBoxes& messages, DialogWindow& window);

  // Once, when the dialogs are made after the settings are read.
  void FormCreate();
  void ShowModal() { window_.ShowModal(); }
  void Button2Click();  // 参照 beside the editor
  void Button3Click();  // 参照 beside the AWK folder
  void Button1Click();  // OK
  void FormClose() {}

  EditorSettingsControls C;

 private:
  // The picked file's path, or nullopt when cancelled or refused.
  std::optional<std::string> PickFile(std::string_view filter, const std::string& folder);

  std::string& editor_;
  std::string& awk_path_;
  FileDialogs& dialogs_;
  MessageBoxes& messages_;
  DialogWindow& window_;
};

}  // namespace zorbi
