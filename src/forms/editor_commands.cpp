#include "forms/editor_commands.h"

#include "catalogue/catalogue.h"
#include "forms/script_choice_form.h"
#include "text/text_split.h"

namespace zorbi {

namespace {

constexpr std::string_view InvalidEditItemMessage =
    "選択された項目の外部変形は無効です、削除してください。";
constexpr std::string_view NotAwkMessage = "AWK利用の外部変形ではありません";
constexpr std::string_view ScriptNotFoundMessage = " が見付かりませんでした。";
constexpr std::string_view ProcessFailedMessage = "プロセスの生成に失敗";
constexpr std::string_view EditorFailedMessage = "エディターの起動に失敗しました。";
constexpr std::string_view BadEditorMessage =
    "エディターの指定を解釈できないため、起動しません。プログラムのパスを確かめてください。";
constexpr std::string_view AwkPathVariable = "AWKPATH";
// A longer value did not fit the buffer it was read into: it counts as unset.
constexpr std::size_t MaxAwkPathValue = 255;

}  // namespace

std::optional<EditorProgram> EditorCommands::EditorOrSay() {
  std::optional<EditorProgram> editor = ParseEditor(editor_);
  if (!editor)
    messages_.ShowMessage(std::string(BadEditorMessage) + "\r\n" + editor_, MessageKind::Warning);
  return editor;
}

bool EditorCommands::Launch(const EditorProgram& editor, const std::string& path) {
  return procs_.Start(EditorCommandLine(editor, path));
}

void EditorCommands::EditBat() {
  const TMenuItem* item = grid_.Item(grid_.Row());
  if (item == nullptr) return;
  editBatPath_ = item->BatPath;
  if (!files_.Exists(editBatPath_)) {
    messages_.ShowMessage(std::string(InvalidEditItemMessage), MessageKind::Information);
    return;
  }
  const std::optional<EditorProgram> editor = EditorOrSay();
  if (editor && !Launch(*editor, editBatPath_))
    messages_.ShowMessage(std::string(ProcessFailedMessage), MessageKind::Error);
}

void EditorCommands::StartEditor() {
  const std::optional<EditorProgram> editor = EditorOrSay();
  if (editor && !Launch(*editor, {}))
    messages_.ShowMessage(std::string(ProcessFailedMessage), MessageKind::Error);
}

void EditorCommands::EditScript(TForm5* form5) {
  // A row without an item repeats the last BAT file.
  if (const TMenuItem* item = grid_.Item(grid_.Row())) editBatPath_ = item->BatPath;
  const std::optional<std::string> text =
      editBatPath_.empty() ? std::nullopt : files_.ReadAll(editBatPath_);
  if (!text) {
    messages_.ShowMessage(std::string(InvalidEditItemMessage), MessageKind::Information);
    return;
  }
  const std::vector<std::string> names = ScriptNames(*text);
  if (names.empty()) {
    messages_.ShowMessage(std::string(NotAwkMessage), MessageKind::Information);
    return;
  }
  if (names.size() == 1) {
    OpenScript(names.front(), false);
    return;
  }
  if (form5 == nullptr) return;
  form5->ListBox1.SetItems(names);
  // Closed by its title bar the dialog chooses nothing, rather than the
  // name chosen for another BAT file before.
  form5->ChosenScript.clear();
  form5->ShowModal();
  if (!form5->ChosenScript.empty()) OpenScript(form5->ChosenScript, true);
}

void EditorCommands::OpenScript(const std::string& name, bool chosen) {
  if (name.empty()) return;
  std::string path =
      editBatPath_.substr(0, editBatPath_.size() - FileNamePart(editBatPath_).size());
  path += name;
  if (!files_.Exists(path)) path = awkPath_ + "\\" + name;
  const std::string file = FileNamePart(path);
  std::string found;
  if (files_.Exists(path)) {
    found = path;
  } else if (chosen) {
    std::string folders = procs_.EnvironmentVariable(std::string(AwkPathVariable)).value_or("");
    if (folders.size() > MaxAwkPathValue) folders.clear();
    const std::string own = FolderOf(path);
    for (const std::string& folder : AwkPathFolders(folders)) {
      if (folder == own) continue;
      if (files_.Exists(folder + "\\" + file)) {
        found = folder + "\\" + file;
        break;
      }
    }
  }
  if (found.empty()) {
    messages_.ShowMessage(file + std::string(ScriptNotFoundMessage), MessageKind::Information);
    return;
  }
  const std::optional<EditorProgram> editor = EditorOrSay();
  if (editor && !Launch(*editor, found))
    messages_.ShowMessage(std::string(EditorFailedMessage), MessageKind::Error);
}

}  // namespace zorbi
