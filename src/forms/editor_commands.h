// Opening the highlighted item's BAT file, or the AWK script it runs, in the
// user's editor, and the editor alone.
#pragma once

#include <optional>
#include <string>

#include "platform/controls.h"
#include "platform/file_system.h"
#include "platform/services.h"
#include "text/editor_launch.h"

namespace zorbi {

class TForm5;

class EditorCommands {
 public:
  // `editor` and `awkPath` are the settings' values, read when used.
  EditorCommands(Grid& grid, FileSystem& files, MessageBoxes& messages, Processes& procs,
                 const std::string& editor, const std::string& awkPath)
      : grid_(grid),
        files_(files),
        messages_(messages),
        procs_(procs),
        editor_(editor),
        awkPath_(awkPath) {}

  // "バッチファイル編集".
  void EditBat();
  // "スクリプト編集": several scripts are chosen from in `form5`.
  void EditScript(TForm5* form5);
  // "エディタ起動".
  void StartEditor();
  // The BAT file of the last BAT or script edit command.
  const std::string& EditBatPath() const { return editBatPath_; }

 private:
  // The parsed Editor setting, or nullopt after saying why it cannot be used.
  std::optional<EditorProgram> EditorOrSay();
  // The editor on one file (alone when empty); false when it could not be started.
  bool Launch(const EditorProgram& editor, const std::string& path);
  void OpenScript(const std::string& name, bool chosen);

  Grid& grid_;
  FileSystem& files_;
  MessageBoxes& messages_;
  Processes& procs_;
  const std::string& editor_;
  const std::string& awkPath_;
  std::string editBatPath_;
};

}  // namespace zorbi
