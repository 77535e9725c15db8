// The editor's command lines and the AWK scripts a BAT file runs.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorbi {

// The `Editor` setting taken apart: a program path, in double quotes when
// arguments follow it, or the whole value when it holds no quote.
struct EditorProgram {
  std::string Program;
  std::string Arguments;  // trimmed; may be empty
};

// nullopt when the program part cannot be told: an unclosed or stray double
// quote, or no program at all. Such a value must start nothing: Windows would
// try a shorter path of it as a program ("C:\my editor\ed.exe"" starts
// "C:\my.exe").
std::optional<EditorProgram> ParseEditor(std::string_view editor);

// The program in double quotes, its arguments, then the file in double
// quotes when there is one.
std::string EditorCommandLine(const EditorProgram& editor, std::string_view file);

// The folders of the AWKPATH value: only ";" separates them (a folder may
// hold spaces); blanks around an entry and a pair of quotes around it go.
std::vector<std::string> AwkPathFolders(std::string_view value);

// The script names on the BAT file's lines that hold ".awk " (case-blind),
// taken from words holding ".awk" with a leading "-f" dropped; sorted as
// the user sees names ordered (case-blind first, then lower case before
// upper), an exact repeat listed once.
std::vector<std::string> ScriptNames(std::string_view batText);

// The folder of a path without the backslash before the name; a root such
// as "C:\" or "\" keeps its backslash.
std::string FolderOf(std::string_view path);

}  // namespace zorbi
