#include "forms/editor_settings_form.h"

#include "text/editor_launch.h"
#include "text/text_split.h"

namespace zorbi {

namespace {

constexpr std::string_view UnrepresentableNameMessage =
    "ファイル名に Shift-JIS で表せない文字があるため、設定できません。";

// The program of the setting, taken apart when it is quoted with options
// after it: its file name alone would show as `ed.exe" -x`.
std::string ShownEditor(const std::string& editor) {
  const std::optional<EditorProgram> parsed = ParseEditor(editor);
  if (!parsed) return std::string(FileNamePart(editor));
  std::string shown(FileNamePart(parsed->Program));
  if (!parsed->Arguments.empty()) shown += " " + parsed->Arguments;
  return shown;
}

std::string EditorFolder(const std::string& editor) {
  const std::optional<EditorProgram> parsed = ParseEditor(editor);
  const std::string& program = parsed ? parsed->Program : editor;
  return program.substr(0, program.size() - FileNamePart(program).size());
}

}  // namespace

TForm4::TForm4(const EditorSettingsControls& controls, std::string& editor, std::string& awkPath,
               FileDialogs& dialogs, MessageBoxes& messages, DialogWindow& window)
    : C(controls),
      editor_(editor),
      awk_path_(awkPath),
      dialogs_(dialogs),
      messages_(messages),
      window_(window) {}

void TForm4::FormCreate() {
  C.Edit1.SetText(ShownEditor(editor_));
  C.Edit2.SetText(awk_path_);
}

std::optional<std::string> TForm4::PickFile(std::string_view filter, const std::string& folder) {
  OpenDialogOptions options;
  options.Filter = std::string(filter);
  options.InitialDir = folder;
  options.FileMustExist = true;
  const auto chosen = dialogs_.OpenFiles(options);
  if (!chosen || chosen->empty()) return std::nullopt;
  const ChosenFile& file = chosen->front();
  // A path stored with '?' in it would name another file, or none.
  if (!file.Representable) {
    messages_.ShowMessage(std::string(UnrepresentableNameMessage) + "\r\n" + file.DisplayName,
                          MessageKind::Warning);
    return std::nullopt;
  }
  return file.Path;
}

void TForm4::Button2Click() {
  if (auto path = PickFile(EditorFilter, EditorFolder(editor_))) editor_ = std::move(*path);
  C.Edit1.SetText(ShownEditor(editor_));
}

void TForm4::Button3Click() {
  if (auto path = PickFile(AwkFilter, awk_path_)) {
    // The folder without its trailing backslash, even for a drive root:
    // the script search adds one.
    awk_path_ = path->substr(0, path->size() - FileNamePart(*path).size());
    if (!awk_path_.empty() && awk_path_.back() == '\\') awk_path_.pop_back();
  }
  C.Edit2.SetText(awk_path_);
}

void TForm4::Button1Click() {
  window_.Close();
}

}  // namespace zorbi
